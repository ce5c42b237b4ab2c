// "Zip Project Files" on the sample project, with the program's own archiver, read back by unzip;
// and "Zip && Save File" keeping a dated backup before the save.

#include <QCheckBox>
#include <QDate>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <cstdio>

#include "UiTestSupport.h"
#include "core/archive/DatedBackup.h"
#include "platform/archive/ArchiverChoice.h"
#include "ui/archive/ZipDialog.h"

using namespace tally;
using namespace tally::test;

namespace {

// The output of a shell command (the independent reader of the archives).
QString commandOutput(const QString& command, int* status = nullptr) {
    QString text;
    if (FILE* pipe = ::popen(command.toLocal8Bit().constData(), "r")) {
        char buffer[4096];
        std::size_t n;
        while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) text += QString::fromLocal8Bit(buffer, static_cast<qsizetype>(n));
        const int code = ::pclose(pipe);
        if (status) *status = code;
    }
    return text;
}

// The names of an archive's entries, as unzip lists them.
QStringList zipEntries(const QString& archive) {
    return commandOutput(QStringLiteral("unzip -Z1 '%1'").arg(archive)).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

QStringList rowNames(QTreeWidget* list) {
    QStringList names;
    for (int i = 0; i < list->topLevelItemCount(); ++i) names << list->topLevelItem(i)->text(0);
    names.sort();
    return names;
}

}  // namespace

class ZipDialogTest : public QObject {
    Q_OBJECT

private slots:
    void theSampleProjectsRowsCountAndArchive() {
        Harness h;
        QVERIFY(h.openShown());
        std::unique_ptr<Archiver> archiver = makeSystemArchiver();
        ZipDialog dialog(h.window->model(), *archiver, h.prompts, h.window.get());
        QCOMPARE(rowNames(dialog.list()),
                 (QStringList{"Hourglass.vbp", "IBillable.cls", "clsInvoice.cls", "ctlHourBox.ctl", "frmInvoice.frm",
                              "frmMain.frm", "frmMain.frx", "modDates.bas", "modFormat.bas", "modMain.bas", "pagHourBox.pag"}));
        // modDates.bas lives in ../shared, beside the project's folder.
        QCOMPARE(dialog.statusText(), QStringLiteral("11 files to be added to the archive."));
        for (int i : {1, 4, 7, 9}) dialog.list()->topLevelItem(i)->setCheckState(0, Qt::Unchecked);
        QCOMPARE(dialog.statusText(), QStringLiteral("7 files to be added to the archive."));
        dialog.list()->topLevelItem(4)->setCheckState(0, Qt::Checked);
        QCOMPARE(dialog.checkedCount(), 8);

        QTemporaryDir dir;
        const QString archive = dir.filePath(QStringLiteral("Hourglass.zip"));
        h.prompts.saveFiles.push_back(archive);
        dialog.zipFiles();
        QCOMPARE(h.prompts.proposals.back(), QStringLiteral("NewZip.zip"));
        QCOMPARE(h.prompts.filters.back(), QStringLiteral("Zip Files|*.zip|All Files|*.*"));
        QCOMPARE(dialog.statusText(), QStringLiteral("Zip file created"));
        int status = -1;
        commandOutput(QStringLiteral("unzip -tq '%1'").arg(archive), &status);
        QCOMPARE(status, 0);
        QStringList entries = zipEntries(archive);
        QCOMPARE(entries.size(), 8);
        // Without "Store path information." the entries are bare file names.
        for (const QString& entry : entries) QVERIFY2(!entry.contains(QLatin1Char('/')), qPrintable(entry));

        // Yes to the question replaces the archive: with paths now, and two files fewer.
        for (int i : {0, 2}) dialog.list()->topLevelItem(i)->setCheckState(0, Qt::Unchecked);
        dialog.pathBox()->setChecked(true);
        h.prompts.saveFiles.push_back(archive);
        h.prompts.answers = {true};
        dialog.zipFiles();
        QCOMPARE(h.prompts.shown.back().text, QStringLiteral("This file exists. Do you want to overwrte it?"));
        QCOMPARE(zipEntries(archive).size(), 6);

        // Add Files adds the existing ones, checked.
        const QString extra = dir.filePath(QStringLiteral("Splash.GIF"));
        QVERIFY(writeFile(extra, "GIF89a"));
        h.prompts.openFileLists.push_back({extra, dir.filePath(QStringLiteral("missing.bmp"))});
        dialog.addFiles();
        QCOMPARE(dialog.list()->topLevelItemCount(), 12);
        QCOMPARE(dialog.checkedCount(), 7);
    }

    void zipAndSaveKeepsADatedBackupOfTheStoredFile() {
        QTemporaryDir dir;
        const QString copy = dir.filePath(QStringLiteral("sample"));
        Harness h;
        QVERIFY(h.openShown(copySource(QStringLiteral("examples/sample"), copy, QStringLiteral("Hourglass.vbp"))));
        QVERIFY(h.window->projectMenuAction("mnuProjZip")->isEnabled());

        // The backup part on its own, as the Save It dialog's "Zip && Save File" runs it.
        const QString stored = copy + QStringLiteral("/modMain.bas");
        const QDate today = QDate::currentDate();
        const QString expected = QStringLiteral("modMain%1-%2-%3.bas.Zip")
                                     .arg(today.month())
                                     .arg(today.day())
                                     .arg(today.year() % 100, 2, 10, QLatin1Char('0'));
        std::unique_ptr<Archiver> archiver = makeSystemArchiver();
        DatedBackup backup(*archiver, [today] { return CalendarDay{today.year(), today.month(), today.day()}; },
                           [](const std::string& path) { return QFileInfo::exists(QString::fromStdString(path)); }, {});
        QCOMPARE(backup.archiveStoredFile(stored.toStdString()), std::optional<std::string>(expected.toStdString()));
        QCOMPARE(zipEntries(copy + QLatin1Char('/') + expected), QStringList{QStringLiteral("modMain.bas")});
        const QString second = QString(expected).replace(QStringLiteral(".Zip"), QStringLiteral("~1.Zip"));
        QCOMPARE(backup.archiveStoredFile(stored.toStdString()), std::optional<std::string>(second.toStdString()));
    }
};

QTEST_MAIN(ZipDialogTest)
#include "ZipDialogTest.moc"
