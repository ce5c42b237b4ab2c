#pragma once
// Shared pieces of the report viewer tests: the sample project's code report, a viewer with
// scripted dialogs over a model, and readers of what the pane holds.

#include <QTemporaryDir>
#include <QAbstractTextDocumentLayout>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextLayout>
#include <QtTest>
#include <string>

#include "ScriptedPrompts.h"
#include "ScriptedReportDialogs.h"
#include "UiTestSupport.h"
#include "core/reports/CodeReport.h"
#include "core/reports/ReportFiles.h"
#include "ui/reports/ReportBody.h"
#include "ui/reports/ReportViewer.h"
#include "ui/reports/RichTextConversion.h"

namespace tally::test {

// The sample project scanned by the core alone.
inline ProjectModel sampleModel() {
    ProjectModel model;
    NoFileVersions versions;
    NullParseProgress progress;
    CancelFlag cancel{false};
    scanProject(model, ScanRequest{samplePath().toStdString(), versions, progress, cancel});
    return model;
}

// The Project Code Report of the sample, dated 7 March 2003, 4:05 PM.
inline std::string sampleCodeReport(const ProjectModel& model) {
    DiskReportFiles files;
    NoVersionInfo versions;
    ReportSettings settings{.files = files, .versions = versions, .now = 37687.0 + 16.0 / 24 + 5.0 / 1440};
    return buildCodeReport(model, settings).value_or(std::string());
}

// A Report View window over a model, with scripted message boxes, file, font and print dialogs.
struct ViewerHarness {
    ViewerHarness() : viewer(model, prompts, dialogs) {}
    explicit ViewerHarness(ProjectModel scanned) : model(std::move(scanned)), viewer(model, prompts, dialogs) {}

    ReportBody* body() { return viewer.body(); }
    QAction* button(const char* key) { return viewer.actions()->button(key); }
    RichDocument shown() { return richDocumentOf(*viewer.body()->document()); }
    QString text() { return viewer.body()->toPlainText(); }
    // Selects the first occurrence of `text` in the pane; false when there is none.
    bool select(const QString& text) {
        int at = viewer.body()->toPlainText().indexOf(text);
        if (at < 0) return false;
        QTextCursor cursor = viewer.body()->textCursor();
        cursor.setPosition(at);
        cursor.setPosition(at + static_cast<int>(text.size()), QTextCursor::KeepAnchor);
        viewer.body()->setTextCursor(cursor);
        return true;
    }

    ProjectModel model;
    ScriptedPrompts prompts;
    ScriptedReportDialogs dialogs;
    ReportViewer viewer;
};

// Where the text after the first tab starts, for each paragraph from the one starting with `first`
// to the one starting with `last`, as `document` is laid out now.
inline QList<qreal> secondColumnStarts(QTextDocument& document, const QString& first, const QString& last) {
    document.documentLayout()->documentSize();  // lays the document out
    QList<qreal> starts;
    bool inside = false;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        inside = inside || block.text().startsWith(first);
        if (!inside) continue;
        int tab = static_cast<int>(block.text().indexOf(QLatin1Char('\t')));
        if (tab >= 0 && block.layout() && block.layout()->lineCount() > 0)
            starts << block.layout()->lineAt(0).cursorToX(tab + 1);
        if (block.text().startsWith(last)) break;
    }
    return starts;
}

}  // namespace tally::test
