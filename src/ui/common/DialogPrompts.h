#pragma once
// The real message boxes and file dialogs.

#include <QString>

#include "ui/common/UserPrompts.h"

class QWidget;

namespace tally {

class DialogPrompts final : public UserPrompts {
public:
    explicit DialogPrompts(QWidget* parent = nullptr) : m_parent(parent) {}
    void setParent(QWidget* parent) { m_parent = parent; }

    void notify(const QString& text, MessageIcon icon, const QString& title) override;
    bool askYesNo(const QString& text, const QString& title) override;
    QString chooseOpenFile(const QString& caption, const QString& filter) override;
    QStringList chooseOpenFiles(const QString& caption, const QString& filter) override;
    QString chooseSaveFile(const QString& caption, const QString& filter, const QString& proposed) override;
    SaveItChoice chooseSaveIt(const QString& label, std::span<const SaveItButton> buttons) override;

private:
    QWidget* m_parent;
};

// "Project Files|*.vbp|All Files|*.*" as a Qt name filter: "Project Files (*.vbp *.VBP);;All Files (*)".
// Patterns match both cases, as Windows file names do.
QString qtNameFilter(const QString& filter);

}  // namespace tally
