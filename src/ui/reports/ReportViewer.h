#pragma once
// The report viewer (frmReportView, "Report View"): a report's document in the rich-text pane
// txtBody, where the user can edit and format it, open and save report files (.psl and .rtf as
// RTF, .pdf laid out as printed, .html as a web page, any other name as plain text), and print it.
// The File and Edit menus and the toolbar come from ReportViewActions; the toolbar follows the
// selection.

#include <QMainWindow>
#include <string>

#include "ui/reports/ReportViewActions.h"

namespace tally {

class ProjectModel;
class ReportBody;
class ReportViewerDialogs;
class UserPrompts;

inline constexpr const char* kReportViewCaption = "Report View";
// The file dialogs' filter for opening; saving offers PDF and web pages besides.
inline constexpr const char* kReportOpenFilter =
    "Log Files|*.psl|Rich Text Files|*.rtf|Text Files|*.txt|All Files|*.*";
inline constexpr const char* kReportSaveFilter =
    "Log Files|*.psl|Rich Text Files|*.rtf|Text Files|*.txt|PDF Files|*.pdf|Web Pages|*.html|All Files|*.*";

class ReportViewer : public QMainWindow {
    Q_OBJECT
public:
    // `model` is the open project: a report is never saved over its files.
    ReportViewer(const ProjectModel& model, UserPrompts& prompts, ReportViewerDialogs& dialogs,
                 QWidget* parent = nullptr);
    ~ReportViewer() override;

    // Shows an RTF document (a report's, or a file's); `title` names it in saved web pages and PDFs.
    void showDocument(const std::string& rtf, const QString& title);
    // A command of the menus or the toolbar; `checked` is a two-state button's new state.
    void runCommand(ReportCommand command, bool checked = false);
    // What Open and Save do once a file has been chosen. Save says why when it did not write.
    void openFile(const QString& path);
    bool saveFile(const QString& path);

    ReportBody* body() const { return m_body; }
    ReportViewActions* actions() const { return m_actions; }

private:
    // Formatting (ReportViewer.cpp).
    void followSelection();
    void setStyle(ReportCommand command, bool on);
    void setAlignment(Qt::Alignment alignment);
    void chooseFont();

    // Files and printing (ReportViewerFiles.cpp).
    void openCommand();
    void saveCommand();
    std::string fileBytes(const QString& path) const;
    void notify(const QString& text);

    const ProjectModel& m_model;
    UserPrompts& m_prompts;
    ReportViewerDialogs& m_dialogs;
    ReportBody* m_body;
    ReportViewActions* m_actions;
    QString m_title;
    QString m_lastPath;
};

}  // namespace tally
