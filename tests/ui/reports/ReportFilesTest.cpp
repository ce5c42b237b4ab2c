// Opening and saving in the Report View window: .psl and .rtf as RTF with the user's formatting
// kept, any other name as plain text, .pdf as printed and .html as a web page; and the saves that
// must not happen (over the project's own files, over a file the user wants kept, into a missing
// folder), which say why and write nothing.

#include <QDir>
#include <QFileInfo>
#include <memory>

#include "ReportTestSupport.h"
#include "core/reports/RtfReader.h"

using namespace tally;
using namespace tally::test;

namespace {

// A small project on disk, for the saves that must be refused.
ProjectModel projectIn(const QTemporaryDir& folder) {
    writeFile(folder.filePath(QStringLiteral("App.vbp")), "Type=Exe\r\nModule=Module1; Module1.bas\r\n");
    writeFile(folder.filePath(QStringLiteral("Module1.bas")), "Attribute VB_Name = \"Module1\"\r\n");
    ProjectModel model;
    model.projectPath = folder.filePath(QStringLiteral("App.vbp")).toStdString();
    model.files.resize(2);
    model.files[1].name = "Module1";
    model.files[1].path = folder.filePath(QStringLiteral("Module1.bas")).toStdString();
    return model;
}

}  // namespace

class ReportFilesTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        m_report = sampleCodeReport(sampleModel());
        QVERIFY(!m_report.empty());
        m_folder = std::make_unique<QTemporaryDir>();
        QVERIFY(m_folder->isValid());
    }

    void aReportSavedAsRtfReopensWithTheSameTextAndFormatting_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("rtf") << QStringLiteral("report.rtf");
        QTest::newRow("psl") << QStringLiteral("report.psl");
        QTest::newRow("upper case") << QStringLiteral("REPORT.RTF");
    }

    void aReportSavedAsRtfReopensWithTheSameTextAndFormatting() {
        QFETCH(QString, name);
        const QString path = m_folder->filePath(name);
        ViewerHarness h;
        h.viewer.showDocument(m_report, QStringLiteral("Project Code Report"));
        // the user's own touches: a bold name, a centred title, another font
        QVERIFY(h.select(QStringLiteral("ArchiveOldEntries")));
        h.button("bold")->trigger();
        QVERIFY(h.select(QStringLiteral("Project Code Report")));
        h.button("center")->trigger();
        QVERIFY(h.select(QStringLiteral("Empty Routines")));
        h.dialogs.fonts = {FontChoice{QFont(QStringLiteral("Times New Roman"), 16), QColor(128, 0, 64)}};
        h.viewer.runCommand(ReportCommand::Font);
        RichDocument edited = h.shown();

        h.prompts.saveFiles = {path};
        h.viewer.runCommand(ReportCommand::Save);
        QVERIFY2(h.prompts.shown.empty(), qPrintable(h.prompts.texts().join(QLatin1Char('\n'))));
        QCOMPARE(h.prompts.filters.last(),
                 QStringLiteral("Log Files|*.psl|Rich Text Files|*.rtf|Text Files|*.txt|PDF Files|*.pdf|Web "
                                "Pages|*.html|All Files|*.*"));
        QByteArray saved = fileBytes(path);
        QVERIFY(saved.startsWith("{\\rtf1"));
        QVERIFY(readRtf(saved.toStdString()) == edited);

        ViewerHarness again;
        again.prompts.openFiles = {path};
        again.viewer.runCommand(ReportCommand::Open);
        QCOMPARE(again.prompts.filters.last(),
                 QStringLiteral("Log Files|*.psl|Rich Text Files|*.rtf|Text Files|*.txt|All Files|*.*"));
        QCOMPARE(again.text(), h.text());
        QVERIFY(again.shown() == edited);
        QVERIFY(again.select(QStringLiteral("ArchiveOldEntries")));
        QVERIFY(again.button("bold")->isChecked());
        QVERIFY(again.select(QStringLiteral("Project Code Report")));
        QVERIFY(again.button("center")->isChecked());
        QVERIFY(again.body()->hasFocus() || !again.viewer.isVisible());
    }

    void aReportSavedAsTextIsItsPlainTextAndReopensAsIt() {
        const QString path = m_folder->filePath(QStringLiteral("report.txt"));
        ViewerHarness h;
        h.viewer.showDocument(m_report, QStringLiteral("Project Code Report"));
        QVERIFY(h.viewer.saveFile(path));
        QByteArray saved = fileBytes(path);
        QString expected = h.text();
        expected.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
        QCOMPARE(QString::fromUtf8(saved), expected + QStringLiteral("\r\n"));
        QVERIFY(!saved.contains("\\rtf"));

        ViewerHarness again;
        again.viewer.openFile(path);
        QCOMPARE(again.text(), h.text());
        QVERIFY(again.select(QStringLiteral("Project Code Report")));
        QVERIFY(!again.button("bold")->isChecked());
        // saved again, the same bytes
        const QString second = m_folder->filePath(QStringLiteral("again.txt"));
        QVERIFY(again.viewer.saveFile(second));
        QCOMPARE(fileBytes(second), saved);
    }

    void aTextFileIsShownWithoutReadingItsControlWords() {
        const QByteArray rtf = "{\\rtf1\\ansi {\\b bold} \\par x}";
        const QString text = m_folder->filePath(QStringLiteral("looks-like-rtf.txt"));
        const QString log = m_folder->filePath(QStringLiteral("is-rtf.psl"));
        QVERIFY(writeFile(text, rtf));
        QVERIFY(writeFile(log, rtf));
        ViewerHarness h;
        h.viewer.openFile(text);
        QCOMPARE(h.text(), QString::fromLatin1(rtf));
        h.viewer.openFile(log);
        QCOMPARE(h.text(), QStringLiteral("bold \nx"));
        QVERIFY(h.select(QStringLiteral("bold")));
        QVERIFY(h.button("bold")->isChecked());
    }

    void aTextFileFromWindowsIsReadInItsCodePage() {
        const QString path = m_folder->filePath(QStringLiteral("ansi.txt"));
        QVERIFY(writeFile(path, "caf\xE9 \x80 5\r\nnext"));
        ViewerHarness h;
        h.viewer.openFile(path);
        QCOMPARE(h.text(), QStringLiteral("café € 5\nnext"));
    }

    void savingAsPdfOrHtmlWritesThePrintedDocumentOrAWebPage_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArrayList>("expected");  // how the file starts, then what it holds
        QTest::newRow("pdf") << QStringLiteral("report.pdf") << QByteArrayList{"%PDF", "/Type /Page", "%%EOF"};
        QTest::newRow("html") << QStringLiteral("report.html")
                              << QByteArrayList{"<!DOCTYPE html>", "<title>Project Code Report</title>", "ArchiveOldEntries"};
    }

    void savingAsPdfOrHtmlWritesThePrintedDocumentOrAWebPage() {
        QFETCH(QString, name);
        QFETCH(QByteArrayList, expected);
        const QString path = m_folder->filePath(name);
        ViewerHarness h;
        h.viewer.showDocument(m_report, QStringLiteral("Project Code Report"));
        h.prompts.saveFiles = {path};
        h.viewer.runCommand(ReportCommand::Save);
        QVERIFY2(h.prompts.shown.empty(), qPrintable(h.prompts.texts().join(QLatin1Char('\n'))));
        const QByteArray saved = fileBytes(path);
        QVERIFY(saved.startsWith(expected[0]));
        for (const QByteArray& part : expected) QVERIFY2(saved.contains(part), part.constData());
    }

    void theProjectsOwnFilesAreNeverSavedOver_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("reason");
        QTest::newRow("project file") << QStringLiteral("App.vbp") << QStringLiteral("is the project file");
        QTest::newRow("source file") << QStringLiteral("Module1.bas")
                                     << QStringLiteral("is a file of the open project");
    }

    void theProjectsOwnFilesAreNeverSavedOver() {
        QFETCH(QString, name);
        QFETCH(QString, reason);
        ViewerHarness h(projectIn(*m_folder));
        const QString path = m_folder->filePath(name);
        QByteArray before = fileBytes(path);
        h.viewer.showDocument(m_report, QStringLiteral("Project Code Report"));
        h.prompts.saveFiles = {path};
        h.prompts.answers = {true, true};
        h.viewer.runCommand(ReportCommand::Save);
        QCOMPARE(h.prompts.shown.size(), std::size_t(1));
        QVERIFY2(h.prompts.shown[0].text.contains(reason), qPrintable(h.prompts.shown[0].text));
        QCOMPARE(h.prompts.shown[0].icon, MessageIcon::Exclamation);
        QCOMPARE(h.prompts.shown[0].title, QStringLiteral("Tallyscan 6"));
        QCOMPARE(fileBytes(path), before);
        QCOMPARE(QDir(m_folder->path()).entryList(QDir::Files | QDir::Hidden).size(), 2);
    }

    void anExistingFileIsReplacedOnlyWhenTheUserSaysSo() {
        const QString path = m_folder->filePath(QStringLiteral("kept.rtf"));
        QVERIFY(writeFile(path, "old"));
        ViewerHarness h;
        h.viewer.showDocument(m_report, QStringLiteral("Project Code Report"));
        h.prompts.answers = {false, true};
        QVERIFY(!h.viewer.saveFile(path));
        QCOMPARE(h.prompts.texts(), QStringList{QStringLiteral("This file already exists. Do you want to overwrite it?")});
        QCOMPARE(fileBytes(path), QByteArray("old"));
        QVERIFY(h.viewer.saveFile(path));
        QVERIFY(fileBytes(path).startsWith("{\\rtf1"));
    }

    void aFailedSaveSaysWhyAndACancelledOneDoesNothing() {
        ViewerHarness h;
        h.viewer.showDocument(m_report, QStringLiteral("Project Code Report"));
        const QString missing = m_folder->filePath(QStringLiteral("no/such/folder/report.rtf"));
        QVERIFY(!h.viewer.saveFile(missing));
        QCOMPARE(h.prompts.shown.size(), std::size_t(1));
        QVERIFY2(h.prompts.shown[0].text.startsWith(QStringLiteral("Path not found")), qPrintable(h.prompts.shown[0].text));
        QVERIFY(!QFileInfo::exists(missing));

        h.prompts.shown.clear();
        h.viewer.runCommand(ReportCommand::Save);  // the script has no file: the dialog was cancelled
        h.viewer.runCommand(ReportCommand::Open);
        QVERIFY(h.prompts.shown.empty());
        QVERIFY(h.text().startsWith(QStringLiteral("Project Code Report")));
        QCOMPARE(QDir(m_folder->path()).entryList(QDir::Files | QDir::Hidden).size(), 0);
    }

    void aFileThatCannotBeReadIsNamedAndTheDocumentStays() {
        ViewerHarness h;
        h.viewer.showDocument(m_report, QStringLiteral("Project Code Report"));
        h.viewer.openFile(m_folder->filePath(QStringLiteral("missing.psl")));
        QCOMPARE(h.prompts.shown.size(), std::size_t(1));
        QVERIFY(h.prompts.shown[0].text.endsWith(QStringLiteral("missing.psl does not exist")));
        QVERIFY(h.text().startsWith(QStringLiteral("Project Code Report")));
    }

private:
    std::string m_report;
    std::unique_ptr<QTemporaryDir> m_folder;  // a new one for each test
};

QTEST_MAIN(ReportFilesTest)
#include "ReportFilesTest.moc"
