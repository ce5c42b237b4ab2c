// The spell check in the window: the menu command and the toolbar button, the dialog over the
// sample project with the real dictionary, corrections ticking rows, the word list, and the report
// of the corrections through the report chooser.

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QTimer>
#include <QTreeView>
#include <QtTest>

#include "UiTestSupport.h"
#include "core/spell/WordList.h"
#include "platform/HunspellSpeller.h"
#include "platform/SettingsFolder.h"
#include "platform/SpellDictionaries.h"
#include "ui/reports/ProjectReports.h"
#include "ui/reports/ReportBody.h"
#include "ui/reports/ReportViewer.h"
#include "ui/review/SpellPanel.h"
#include "ui/spell/SpellCheckDialog.h"

using namespace tally;
using namespace tally::test;

namespace {

std::unique_ptr<HunspellSpeller> englishSpeller() {
    auto files = findDictionary(dictionaryFolders("", ""), "en_US");
    if (!files) return nullptr;
    return std::make_unique<HunspellSpeller>(files->affixPath, files->dictionaryPath);
}

QString selected(const SpellCheckDialog& dialog) {
    return dialog.textPane()->textCursor().selectedText();
}

int tickedRows(const std::vector<SpellRow>& rows) {
    int ticked = 0;
    for (const SpellRow& row : rows) ticked += row.checked ? 1 : 0;
    return ticked;
}

}  // namespace

class SpellCheckTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        QVERIFY(m_config.isValid());
        qputenv("XDG_CONFIG_HOME", m_config.path().toUtf8());
    }

    void withoutAProjectBothCommandsSayWhatIsMissing() {
        Harness h;
        h.window->startUp();
        h.window->findChild<QAction*>(QStringLiteral("mnuSpell"))->trigger();
        QCOMPARE(h.window->tabs()->currentWidget(), static_cast<QWidget*>(h.window->spellPanel()));
        QCOMPARE(h.prompts.shown.back().text, QStringLiteral("There is nothing to check. Open a project first."));
        QCOMPARE(h.prompts.shown.back().icon, MessageIcon::Information);
        h.window->tabs()->setCurrentIndex(0);
        h.window->toolbarAction("spell")->trigger();
        QCOMPARE(h.prompts.shown.back().text, QStringLiteral("You need to open a project first."));
        QCOMPARE(h.prompts.shown.back().icon, MessageIcon::Exclamation);
        QCOMPARE(h.window->tabs()->currentIndex(), 0);
    }

    void changingTwoWordsTicksTheirRowsAndTheReportListsThem() {
        Harness h;
        QVERIFY(h.openShown());
        auto speller = englishSpeller();
        QVERIFY2(speller && speller->loaded(), "hunspell-en-us is a build dependency");
        std::vector<SpellRow>& rows = h.window->model().spell;
        SpellCheckDialog dialog(rows, *speller, h.prompts, QStringLiteral("broken"), {});
        dialog.show();
        QVERIFY(!dialog.changeButton()->isEnabled());
        QTest::mouseClick(dialog.startButton(), Qt::LeftButton);
        QVERIFY(!dialog.startButton()->isEnabled());

        // "Timesheets" is a word of the trade: ignored.
        QCOMPARE(dialog.notInDictionaryLabel()->text(), QStringLiteral("Timesheets"));
        QCOMPARE(selected(dialog), QStringLiteral("Timesheets"));
        QCOMPARE(dialog.infoLabel(0)->text(), QStringLiteral("frmMain.frm"));
        QTest::mouseClick(dialog.ignoreButton(), Qt::LeftButton);

        QCOMPARE(dialog.notInDictionaryLabel()->text(), QStringLiteral("Suplement"));
        QCOMPARE(dialog.suggestionList()->item(0)->text(), QStringLiteral("Supplement"));
        QCOMPARE(dialog.changeToField()->text(), QStringLiteral("Supplement"));
        QTest::mouseClick(dialog.changeButton(), Qt::LeftButton);

        QCOMPARE(dialog.notInDictionaryLabel()->text(), QStringLiteral("Descripton"));
        // A click on another suggestion puts it into "Change To"; typing there is what is written.
        dialog.suggestionList()->setCurrentRow(1);
        QCOMPARE(dialog.changeToField()->text(), dialog.suggestionList()->item(1)->text());
        dialog.changeToField()->setText(QStringLiteral("Description"));
        QTest::mouseClick(dialog.changeButton(), Qt::LeftButton);
        QTest::mouseClick(dialog.cancelButton(), Qt::LeftButton);
        QVERIFY(dialog.changedRows());

        QCOMPARE(tickedRows(rows), 2);
        std::vector<std::string> corrected;
        for (const SpellRow& row : rows)
            if (row.checked) corrected.push_back(row.corrected.str());
        QVERIFY(corrected[0].find("Supplement") != std::string::npos);
        QVERIFY(corrected[1].find("Description") != std::string::npos);

        // The report of the corrections, as the chooser's "Spelling" shows it.
        QAction* reports = h.window->projectMenuAction("mnuCodeR");
        QVERIFY(reports);
        reports->trigger();
        ReportChooser* chooser = h.window->reports()->chooser();
        QVERIFY(chooser);
        QCOMPARE(chooser->selected(), ReportChoice::Spelling);
        QTest::mouseClick(chooser->showButton(), Qt::LeftButton);
        QVERIFY2(h.prompts.shown.empty(), qPrintable(h.prompts.texts().join('\n')));
        ReportViewer* viewer = h.window->reports()->viewer();
        QVERIFY(viewer);
        QVERIFY(viewer->isVisible());
        const QString text = viewer->body()->toPlainText();
        QVERIFY2(text.startsWith(QStringLiteral("Project Spell Check Report\n")), qPrintable(text));
        QVERIFY(text.contains("File: frmMain.frm\n"));
        QVERIFY(text.contains("Corrected Text: " + QString::fromStdString(corrected[0])));
        QVERIFY(text.contains("Corrected Text: " + QString::fromStdString(corrected[1])));
        QCOMPARE(text.count("Original Text:"), 2);
        QTRY_VERIFY(!h.window->reports()->chooser());
    }

    void theMenuCommandRunsTheDialogAndTheScanCountsAsChanged() {
        Harness h;
        QVERIFY(h.openShown());
        h.window->model().scanChanged = false;
        bool ran = false;
        // The dialog opens once the speller is loaded: looked for until it is there.
        QTimer poll;
        poll.setInterval(20);
        QObject::connect(&poll, &QTimer::timeout, [&] {
            auto* dialog = qobject_cast<SpellCheckDialog*>(QApplication::activeModalWidget());
            if (!dialog || ran) return;
            ran = true;
            poll.stop();
            QTest::mouseClick(dialog->startButton(), Qt::LeftButton);
            // "Ignore Always" keeps the word in the project's list, in the settings folder.
            QTest::mouseClick(dialog->ignoreAlwaysButton(), Qt::LeftButton);
            QTest::mouseClick(dialog->changeButton(), Qt::LeftButton);
            QTest::mouseClick(dialog->cancelButton(), Qt::LeftButton);
        });
        poll.start();
        h.window->findChild<QAction*>(QStringLiteral("mnuSpell"))->trigger();
        QVERIFY(ran);
        QVERIFY(h.window->model().scanChanged);
        QCOMPARE(tickedRows(h.window->model().spell), 1);
        auto* list = h.window->spellPanel()->listView();
        int ticked = 0;
        for (int row = 0; row < list->model()->rowCount(); ++row)
            ticked += list->model()->index(row, 4).data(Qt::CheckStateRole).toInt() == Qt::Checked ? 1 : 0;
        QCOMPARE(ticked, 1);
        const std::string words = wordListPath(settingsFolder(), h.window->model().projectPath);
        QCOMPARE(readWordList(words), (WordList{"Timesheets"}));
    }

    void ignoringTheLastWordFinishes() {
        std::vector<SpellRow> rows(1);
        rows[0].file = "a.frm";
        rows[0].value = "Good mornin";
        auto speller = englishSpeller();
        QVERIFY(speller);
        ScriptedPrompts prompts;
        SpellCheckDialog dialog(rows, *speller, prompts, QStringLiteral("broken"), {});
        dialog.show();
        QTest::mouseClick(dialog.startButton(), Qt::LeftButton);
        QCOMPARE(selected(dialog), QStringLiteral("mornin"));
        QVERIFY(!dialog.ignoreAlwaysButton()->isVisible());
        QTest::mouseClick(dialog.ignoreButton(), Qt::LeftButton);
        QCOMPARE(prompts.shown.back().text, QStringLiteral("Finished"));
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QVERIFY(!dialog.changedRows());
    }

    void aBrokenDictionaryIsSaidAndTheDialogStays() {
        QTemporaryDir dir;
        HunspellSpeller broken((dir.path() + "/x.aff").toStdString(), (dir.path() + "/x.dic").toStdString());
        std::vector<SpellRow> rows(1);
        rows[0].value = "Hello world";
        ScriptedPrompts prompts;
        SpellCheckDialog dialog(rows, broken, prompts, QStringLiteral("The dictionary file x.dic is missing"), {});
        dialog.show();
        QTest::mouseClick(dialog.startButton(), Qt::LeftButton);
        QCOMPARE(prompts.shown.back().text, QStringLiteral("The dictionary file x.dic is missing"));
        QCOMPARE(prompts.shown.back().icon, MessageIcon::Exclamation);
        QVERIFY(dialog.isVisible());
        QVERIFY(!dialog.changeButton()->isEnabled());
    }

private:
    QTemporaryDir m_config;
};

QTEST_MAIN(SpellCheckTest)
#include "SpellCheckTest.moc"
