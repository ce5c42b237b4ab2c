// The main window's ties to the desktop: the recent files entries, the association question on
// the first activation, the editor settings from VB's key, the Help menu and the About box.

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include "UiTestSupport.h"
#include "core/registry/RegistryValues.h"
#include "core/settings/AppSettings.h"
#include "core/settings/ScanFileAssociation.h"
#include "ui/app/AboutBox.h"
#include "ui/app/AssociationDialog.h"
#include "ui/app/RecentFilesMenu.h"
#include "ui/codeview/CodeEditor.h"
#include "ui/codeview/CodeViewPanel.h"
#include "ui/common/AnsiText.h"

using namespace tally;
using namespace tally::test;

namespace {

constexpr const char* kMru = "Software\\Quillmere\\Tallyscan 6\\MRUList";

// A copy of the sample project in a folder of its own, its project file renamed.
QString copySample(const QTemporaryDir& dir, const QString& folder, const QString& projectName) {
    return copySource(QStringLiteral("examples/sample"), dir.filePath(folder), QStringLiteral("Hourglass.vbp"),
                      projectName);
}

QStringList visibleEntries(RecentFilesMenu* recent) {
    QStringList shown;
    for (int entry = 1; entry <= kRecentFileCount; ++entry)
        if (recent->item(entry)->isVisible()) shown << recent->item(entry)->text();
    return shown;
}

struct RecordingAssociation final : FileAssociation {
    bool present() const override { return isPresent; }
    bool write(const std::string& programPath) override {
        written << QString::fromStdString(programPath);
        isPresent = true;
        return true;
    }
    bool isPresent = false;
    QStringList written;
};

// The set-up of a window over a registry the test fills first, with the association hooks and
// memory figures whose free memory changes at each reading.
auto desktop(std::function<void(MemoryRegistryStore&)> fill = {}, FileAssociation* association = nullptr,
             std::function<int(QWidget*)> ask = {}) {
    return [=](Harness& h, MainWindowServices& services) {
        if (fill) fill(h.registry);
        services.association = association;
        services.askAssociation = ask;
        services.memory = [reads = 0]() mutable {
            ++reads;
            return MemoryFigures{std::uint64_t{24576} << 20, (std::uint64_t{12000} + reads) << 20};
        };
    };
}

}  // namespace

class DesktopTiesTest : public QObject {
    Q_OBJECT

private slots:
    void theRecentFilesListFollowsTheOpenCommands() {
        QTemporaryDir dir;
        Harness d;
        QVERIFY(d.show());
        RecentFilesMenu* recent = d.window->recentFiles();
        QVERIFY(!recent->item(0)->isVisible());  // no separator without entries

        QStringList projects;
        for (const QString& name : {QStringLiteral("One"), QStringLiteral("Two"), QStringLiteral("Three"),
                                    QStringLiteral("Four"), QStringLiteral("Five")})
            projects << copySample(dir, name, name + QStringLiteral(".vbp"));
        for (const QString& project : projects) {
            d.prompts.openFiles.push_back(project);
            d.window->openProjectCommand();
        }
        QCOMPARE(visibleEntries(recent), (QStringList{QStringLiteral("Five.vbp"), QStringLiteral("Four.vbp"),
                                                      QStringLiteral("Three.vbp"), QStringLiteral("Two.vbp")}));
        QVERIFY(recent->item(0)->isVisible());
        QCOMPARE(QString::fromStdString(readValueText(d.registry, Hive::CurrentUser, kMru, "1", "")),
                 QDir(projects[4]).absolutePath());

        // Reopening a listed file keeps the order.
        d.prompts.openFiles.push_back(projects[2]);
        d.window->openProjectCommand();
        QCOMPARE(visibleEntries(recent).first(), QStringLiteral("Five.vbp"));

        // An entry opens its project without asking for a file and without moving in the list.
        recent->item(4)->trigger();
        QCOMPARE(QString::fromStdString(d.window->model().projectPath), QDir(projects[1]).absolutePath());
        QCOMPARE(visibleEntries(recent).first(), QStringLiteral("Five.vbp"));

        // A vanished file says so and stays listed.
        QDir(dir.filePath(QStringLiteral("Four"))).removeRecursively();
        recent->item(2)->trigger();
        QCOMPARE(d.prompts.shown.back().text, QStringLiteral("Unable to locate ") + QDir(projects[3]).absolutePath());
        QCOMPARE(d.prompts.shown.back().icon, MessageIcon::Exclamation);
        QCOMPARE(visibleEntries(recent).size(), 4);
    }

    void reopeningTheOpenScanOffersToSaveItsChangesFirst() {
        QTemporaryDir dir;
        Harness d;
        QVERIFY(d.openShown());
        const QString scan = dir.filePath(QStringLiteral("hourglass.psf"));
        d.prompts.saveFiles.push_back(scan);
        QVERIFY(d.window->saveScanCommand());
        d.window->model().scanChanged = true;  // a check mark set since
        d.prompts.answers = {false};
        d.window->recentFileCommand(scan);
        QCOMPARE(d.prompts.shown.back().text,
                 QStringLiteral("The current scan file has changed. Would you like to save it now?"));
    }

    void anUpperCaseProjectOpensAndAnUnknownFileDoesNothing() {
        QTemporaryDir dir;
        const QString upper = copySample(dir, QStringLiteral("Upper"), QStringLiteral("HOURGLASS.VBP"));
        const QString notes = dir.filePath(QStringLiteral("notes.txt"));
        QVERIFY(writeFile(notes, {}));
        Harness d(runParse, desktop([&](MemoryRegistryStore& registry) {
                      registry.put(Hive::CurrentUser, kMru, stringValue("1", toLocalPath(upper)));
                      registry.put(Hive::CurrentUser, kMru, stringValue("2", toLocalPath(notes)));
                  }));
        QVERIFY(d.show());
        RecentFilesMenu* recent = d.window->recentFiles();
        QCOMPARE(visibleEntries(recent), (QStringList{QStringLiteral("HOURGLASS.VBP"), QStringLiteral("notes.txt")}));
        recent->item(2)->trigger();
        QVERIFY(d.window->model().projectPath.empty());
        QVERIFY(d.prompts.shown.empty());
        recent->item(1)->trigger();
        QCOMPARE(QString::fromStdString(d.window->model().projectPath), upper);
        QVERIFY(d.window->model().fileCount() > 0);
    }

    void theFirstActivationAsksAboutTheAssociationOnce() {
        RecordingAssociation association;
        int asked = 0;
        {
            Harness d(runParse, desktop({}, &association, [&asked](QWidget*) {
                          ++asked;
                          return associationAnswer(true, true);
                      }));
            QVERIFY(d.show());
            QTRY_COMPARE(asked, 1);
            QCOMPARE(association.written.size(), 1);
            QCOMPARE(QString::fromStdString(readSetting(d.registry, "Associate", "")), QStringLiteral("NoMore"));
            // Asked again from the Help menu whatever NoMore says.
            d.window->associateCommand();
            QCOMPARE(asked, 2);
        }
        // "NoMore" (or an association in place) asks nothing on the next start.
        RecordingAssociation absent;
        asked = 0;
        Harness again(runParse,
                      desktop([](MemoryRegistryStore& registry) { writeSetting(registry, "Associate", "", "NoMore"); },
                              &absent, [&asked](QWidget*) { return ++asked; }));
        QVERIFY(again.show());
        QTest::qWait(50);
        QCOMPARE(asked, 0);
    }

    void theQuestionsButtonsGiveTheFourAnswers() {
        AssociationDialog dialog;
        QCOMPARE(dialog.answer(), 0);
        dialog.againBox()->setChecked(true);
        dialog.button(0)->click();
        QCOMPARE(dialog.answer(), 5);
        AssociationDialog yes;
        yes.button(1)->click();
        QCOMPARE(yes.answer(), 1);
    }

    void theCodeViewTakesVbsEditorFontAndTabWidth() {
        Harness d(runParse, desktop([](MemoryRegistryStore& registry) {
                      const std::string key(kVbEditorKey);
                      registry.put(Hive::CurrentUser, key, stringValue("FontHeight", "14"));
                      registry.put(Hive::CurrentUser, key, stringValue("TabWidth", "8"));
                  }));
        auto* panel = dynamic_cast<CodeViewPanel*>(d.window->codeView());
        QVERIFY(panel);
        const QFont font = panel->editor()->font();
        QCOMPARE(font.pointSizeF(), 14.0);
        QCOMPARE(panel->editor()->tabStopDistance(),
                 QFontMetricsF(font).horizontalAdvance(QString(8, QLatin1Char(' '))));
        Harness plain;
        auto* defaults = dynamic_cast<CodeViewPanel*>(plain.window->codeView());
        QCOMPARE(defaults->editor()->font().pointSizeF(), 10.0);
    }

    void helpOpensTheGuideAndTheAboutBoxRefreshesItsFigures() {
        Harness d(runParse, desktop());
        QVERIFY(d.show());
        d.window->helpTopicsCommand();
        QCOMPARE(d.shell.requests.size(), 1u);
        QVERIFY(QString::fromStdString(d.shell.requests.back().file).endsWith(QStringLiteral("/tools.htm")));
        QVERIFY(QFileInfo::exists(QString::fromStdString(d.shell.requests.back().file)));

        QStringList seen;
        QTimer::singleShot(0, [&seen] {
            auto* box = qobject_cast<AboutBox*>(QApplication::activeModalWidget());
            if (!box) return;
            QCOMPARE(box->refreshTimer()->interval(), 1000);
            seen << box->totalMemoryLabel()->text() << box->freeMemoryLabel()->text();
            QTest::qWait(1150);  // one refresh
            seen << box->freeMemoryLabel()->text();
            box->accept();
        });
        d.window->aboutCommand();
        QCOMPARE(seen.size(), 3);
        QCOMPARE(seen[0], QStringLiteral("24,576 MB"));
        QVERIFY(seen[1] != seen[2]);
    }
};

QTEST_MAIN(DesktopTiesTest)
#include "DesktopTiesTest.moc"
