#pragma once
// The main window's way into the reports: "&Show Reports" opens the chooser (or says a project is
// needed), the chosen report is built off the GUI thread under the busy pointer, and a finished
// report is handed to the one report viewer (ShowReport). A report with nothing in it says so
// instead ("Nothing to report." for an empty Spell Check list, otherwise "No changes were made.
// Nothing to report.").

#include <QObject>
#include <QPointer>
#include <functional>
#include <string>

#include "core/project/DiskVersionInfo.h"
#include "core/reports/ReportFiles.h"
#include "core/reports/ReportSettings.h"
#include "ui/reports/ReportChooser.h"
#include "ui/reports/ReportViewerDialogs.h"

class QWidget;

namespace tally {

class ProjectModel;
class ReportViewer;
class UserPrompts;

inline constexpr const char* kOpenProjectFirst = "Open a project first.";

class ProjectReports : public QObject {
    Q_OBJECT
public:
    // `window` is the main window: the chooser is modal over it, and the viewer closes with it.
    ProjectReports(const ProjectModel& model, UserPrompts& prompts, QWidget* window);
    ~ProjectReports() override;

    // The viewer's font dialog and printing; tests give scripted ones.
    void setDialogs(ReportViewerDialogs& dialogs) { m_dialogs = &dialogs; }
    // The time a report is dated with (an OLE date); the clock by default.
    void setClock(std::function<double()> clock) { m_clock = std::move(clock); }

    // "&Show Reports" and the toolbar's "report": the chooser, modal over the window but returning
    // at once; "Open a project first." when the
    // project has no files.
    void showChooser();
    // Builds the chosen report and shows it, or says there is nothing to report.
    void runReport(ReportChoice choice);
    // ShowReport: the document in the viewer (made on first use), brought to the front.
    ReportViewer* showReport(const std::string& rtf, const QString& title);

    ReportChooser* chooser() const { return m_chooser; }
    ReportViewer* viewer() const;

private:
    ReportSettings settings() const;
    static QString reportTitle(ReportChoice choice);

    const ProjectModel& m_model;
    UserPrompts& m_prompts;
    QWidget* m_window;
    SystemReportDialogs m_systemDialogs;
    ReportViewerDialogs* m_dialogs;
    DiskReportFiles m_files;
    DiskVersionInfo m_versions;
    std::function<double()> m_clock;
    QPointer<ReportChooser> m_chooser;
    QPointer<ReportViewer> m_viewer;
};

}  // namespace tally
