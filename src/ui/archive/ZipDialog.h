#pragma once
// "Zip Project Files" (frmZip): the project's files with check boxes; the checked ones go into
// one archive the user names.

#include <QDialog>
#include <atomic>
#include <string>

#include "core/archive/Archiver.h"
#include "core/archive/ProjectArchive.h"
#include "ui/common/UserPrompts.h"

class QCheckBox;
class QPushButton;
class QStatusBar;
class QTreeWidget;
class QTreeWidgetItem;

namespace tally {

class ZipDialog : public QDialog {
    Q_OBJECT
public:
    ZipDialog(const ProjectModel& model, Archiver& archiver, UserPrompts& prompts, QWidget* parent = nullptr);

    QTreeWidget* list() const { return m_list; }
    QCheckBox* pathBox() const { return m_path; }
    QPushButton* addButton() const { return m_add; }
    QPushButton* zipButton() const { return m_zip; }
    QString statusText() const;
    int checkedCount() const { return m_checked; }

    // Add Files and Zip Files, as their buttons run them.
    void addFiles();
    void zipFiles();

protected:
    // While an archive is being written, closing the window stops the run instead.
    void reject() override;

private:
    void addRow(const ZipRow& row);
    void rowChanged(QTreeWidgetItem* item, int column);
    void showCount();
    void showStatus(const QString& text);

    Archiver& m_archiver;
    UserPrompts& m_prompts;
    QTreeWidget* m_list;
    QCheckBox* m_path;
    QPushButton* m_add;
    QPushButton* m_zip;
    QPushButton* m_cancel;
    QStatusBar* m_status;
    int m_checked = 0;
    std::string m_projectFolder;
    bool m_running = false;
    std::atomic<bool> m_stop{false};
};

// The Add Files dialog's filter.
QString zipAddFilesFilter();

}  // namespace tally
