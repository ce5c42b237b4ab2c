#include "ui/reports/ProjectReports.h"

#include <QGuiApplication>
#include <QWidget>

#include "core/model/OleDate.h"
#include "core/model/ProjectModel.h"
#include "core/os/WindowsFolders.h"
#include "core/reports/CodeReport.h"
#include "core/reports/SpellCheckReport.h"
#include "core/reports/StatisticsReport.h"
#include "platform/SystemLocale.h"
#include "ui/common/BackgroundCall.h"
#include "ui/common/BusyPointer.h"
#include "ui/common/ProjectText.h"
#include "ui/common/UserPrompts.h"
#include "ui/reports/ReportBody.h"
#include "ui/reports/ReportViewer.h"

namespace tally {

namespace {

}  // namespace

ProjectReports::ProjectReports(const ProjectModel& model, UserPrompts& prompts, QWidget* window)
    : QObject(window), m_model(model), m_prompts(prompts), m_window(window), m_dialogs(&m_systemDialogs),
      m_clock(oleNow) {}

ProjectReports::~ProjectReports() = default;

ReportViewer* ProjectReports::viewer() const {
    return m_viewer.data();
}

void ProjectReports::showChooser() {
    if (m_model.fileCount() <= 1) {
        m_prompts.notify(QString::fromLatin1(kOpenProjectFirst), MessageIcon::Information, applicationTitle());
        return;
    }
    if (m_chooser) {
        m_chooser->raise();
        m_chooser->activateWindow();
        return;
    }
    m_chooser = new ReportChooser(m_window);
    m_chooser->setAttribute(Qt::WA_DeleteOnClose);
    connect(m_chooser, &ReportChooser::reportChosen, this, &ProjectReports::runReport);
    m_chooser->open();
}

ReportSettings ProjectReports::settings() const {
    WindowsFolders folders = systemWindowsFolders();
    return ReportSettings{.files = m_files, .versions = m_versions, .codecs = sourceCodecs(), .now = m_clock(),
                          .numbers = systemNumberLocale(), .windowsDir = folders.windowsDir,
                          .systemDir = folders.systemDir};
}

QString ProjectReports::reportTitle(ReportChoice choice) {
    switch (choice) {
    case ReportChoice::Spelling: return tr("Project Spell Check Report");
    case ReportChoice::Code: return tr("Project Code Report");
    case ReportChoice::Statistics: break;
    }
    return tr("Project Statistics Report");
}

void ProjectReports::runReport(ReportChoice choice) {
    ReportDocument document;
    std::string_view emptyMessage = kNothingToReport;
    {
        BusyPointer busy;
        const ReportSettings made = settings();
        // The model is only read; clicks and keys wait until the report is done.
        document = runWhilePainting([this, &made, choice, &emptyMessage]() -> ReportDocument {
            if (choice == ReportChoice::Code) return buildCodeReport(m_model, made);
            if (choice == ReportChoice::Statistics) return ReportDocument(buildStatisticsReport(m_model, made));
            SpellCheckReport spelling = buildSpellCheckReport(m_model, made);
            emptyMessage = spelling.message;
            return std::move(spelling.document);
        });
    }
    if (!document) {
        // An empty Spell Check list is a warning (there was nothing to check); a list without a
        // correction is only information.
        const bool emptyList = emptyMessage == kNothingInTheList;
        m_prompts.notify(QString::fromLatin1(emptyMessage.data(), static_cast<qsizetype>(emptyMessage.size())),
                         emptyList ? MessageIcon::Exclamation : MessageIcon::Information, applicationTitle());
        return;
    }
    showReport(*document, reportTitle(choice));
}

ReportViewer* ProjectReports::showReport(const std::string& rtf, const QString& title) {
    if (!m_viewer) {
        m_viewer = new ReportViewer(m_model, m_prompts, *m_dialogs, m_window);
        m_viewer->setWindowFlag(Qt::Window);
        m_viewer->setAttribute(Qt::WA_DeleteOnClose);
    }
    m_viewer->showDocument(rtf, title);
    m_viewer->show();
    m_viewer->raise();
    m_viewer->activateWindow();
    m_viewer->body()->setFocus(Qt::OtherFocusReason);
    return m_viewer;
}

}  // namespace tally
