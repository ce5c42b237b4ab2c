#pragma once
// Stands in for the code view panel: keeps the header strip with the file's name (lblCodeFile)
// and remembers what it was asked to show, so that the rest of the window already works.

#include <QWidget>
#include <string>
#include <vector>

#include "ui/codeview/CodeViewHost.h"

namespace tally {

class FileHeaderStrip;

class CodeViewPlaceholder : public QWidget, public CodeViewHost {
    Q_OBJECT
public:
    explicit CodeViewPlaceholder(QWidget* parent = nullptr);

    QWidget* widget() override { return this; }
    void commitPendingEdits() override {}
    bool offerToSaveChanges() override { return true; }
    bool mayLeaveFile(const std::string&) override { return true; }
    std::string shownFilePath() const override { return m_filePath; }
    void clear() override;
    void showFile(const std::string& filePath, const std::vector<ComboItem>& items) override;
    void showTarget(const CodeTarget& target, const std::vector<ComboItem>& items) override;
    bool isEmpty() const override { return m_items.empty(); }

    // What was last asked: the file, its combo items and the last double-click target.
    const std::string& filePath() const { return m_filePath; }
    const std::vector<ComboItem>& items() const { return m_items; }
    const CodeTarget& lastTarget() const { return m_lastTarget; }
    // The header strip's text (the file name shown).
    QString headerText() const;

private:
    FileHeaderStrip* m_header;
    std::string m_filePath;
    std::vector<ComboItem> m_items;
    CodeTarget m_lastTarget;
};

}  // namespace tally
