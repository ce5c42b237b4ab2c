// The Registry tab over a fixture registry: browsing settings and objects, the menu's enabling
// rules, editing a DWORD and a string, exporting a key, deleting a key after the two questions.

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include "UiTestSupport.h"
#include "core/registry/MemoryRegistryStore.h"
#include "core/registry/RegistryMessages.h"
#include "support/TempDir.h"
#include "ui/registry/EditValueDialog.h"
#include "ui/registry/FilePropertiesDialog.h"
#include "ui/registry/FullObjectView.h"
#include "ui/registry/KeyedTree.h"
#include "ui/registry/RegistryCommands.h"
#include "ui/registry/RegistryPage.h"

using namespace tally;
using namespace tally::test;

namespace {

constexpr const char* kSettings = "Software\\VB and VBA Program Settings";
constexpr const char* kOptions = "Software\\VB and VBA Program Settings\\Ledger\\Options";
constexpr const char* kClsid = "{0713E8A2-850A-101B-AFC0-4210102A8DA7}";
constexpr int kRegistryTab = 4;

QString q(const char* text) {
    return QString::fromLatin1(text);
}

QStringList childTexts(const QTreeWidgetItem* item) {
    QStringList texts;
    for (int i = 0; item && i < item->childCount(); ++i) texts << item->child(i)->text(0);
    return texts;
}

QTreeWidgetItem* findNode(QTreeWidget* tree, const QString& text) {
    QList<QTreeWidgetItem*> found = tree->findItems(text, Qt::MatchExactly | Qt::MatchRecursive);
    return found.isEmpty() ? nullptr : found.front();
}

QTreeWidgetItem* rowNamed(QTreeWidget* list, const QString& text) {
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        if (list->topLevelItem(i)->text(0) == text) return list->topLevelItem(i);
    return nullptr;
}

// Runs `step` on the modal dialog of type D once it is open.
template <typename D>
void whenOpen(std::function<void(D*)> step) {
    QTimer::singleShot(0, [step] {
        auto* dialog = qobject_cast<D*>(QApplication::activeModalWidget());
        if (!dialog) {
            whenOpen<D>(step);
            return;
        }
        step(dialog);
    });
}

}  // namespace

class RegistryTabTest : public QObject {
    Q_OBJECT

    TempDir dir;
    std::unique_ptr<MemoryRegistryStore> fixture;
    std::unique_ptr<DiskServerFiles> files;
    std::unique_ptr<RegistrySources> sources;
    ScriptedPrompts prompts;
    RecordingShell shell;
    NoFileVersions versions;
    std::unique_ptr<MainWindow> window;
    RegistryPage* page = nullptr;
    RegistryCommands* commands = nullptr;

    MemoryRegistryStore& store() { return *fixture; }
    // Opens the tree down to the Options key and chooses it.
    void chooseOptions() {
        page->expandNode(q("Software"));
        page->expandNode(q(kSettings));
        page->expandNode(q(kSettings) + q("\\Ledger"));
        page->chooseNode(q(kOptions));
    }

private slots:
    void init() {
        fixture = std::make_unique<MemoryRegistryStore>();
        MemoryRegistryStore& store = *fixture;
        shell.requests.clear();
        store.put(Hive::CurrentUser, kOptions, stringValue("Caption", "Ledger 2003"));
        store.put(Hive::CurrentUser, kOptions, dwordValue("Count", 26));
        store.put(Hive::CurrentUser, kOptions, binaryValue("Window", std::string("\x01\x02\xff", 3)));
        store.createKey(Hive::CurrentUser, std::string(kOptions) + "\\Recent");
        store.put(Hive::CurrentUser, "Software\\VB and VBA Program Settings\\Ledger\\Colours",
                  dwordValue("Back", 0xFFFFFFFFu));
        store.createKey(Hive::CurrentUser, "Software\\Zeta");
        // A Wine prefix with the control in its system folder; the registry names it bare.
        dir.write("prefix/drive_c/windows/system32/MSCOMCT2.OCX", "MZ not really a program");
        const std::string server = "mscomct2.ocx";
        const std::string key = std::string("CLSID\\") + kClsid;
        store.put(Hive::ClassesRoot, key, stringValue("", "MICROSOFT date and TIME picker"));
        store.put(Hive::ClassesRoot, key + "\\Version", stringValue("", "2.0"));
        store.put(Hive::ClassesRoot, key + "\\InprocServer32", stringValue("", server));
        const std::string missing = "CLSID\\{11111111-2222-3333-4444-555555555555}";
        store.put(Hive::ClassesRoot, missing, stringValue("", "Missing Server"));
        store.put(Hive::ClassesRoot, missing + "\\Version", stringValue("", "1.0"));
        store.put(Hive::ClassesRoot, missing + "\\InprocServer32", stringValue("", "nowhere.dll"));
        files = std::make_unique<DiskServerFiles>(dir.path() + "/prefix");
        sources = std::make_unique<RegistrySources>(RegistrySources{store, *files, objectFoldersOf(*files)});
        prompts = ScriptedPrompts();
        MainWindowServices services{prompts, shell, versions, NumberLocale{}, runParse, sources.get()};
        window = std::make_unique<MainWindow>(services);
        window->startUp();
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        window->tabs()->setCurrentIndex(kRegistryTab);
        page = window->registryPage();
        commands = window->registryCommands();
        QVERIFY(page && commands);
    }

    void cleanup() {
        window.reset();
        sources.reset();
        fixture.reset();
    }

    void browsesSettingsLazilyAndListsValues() {
        QTreeWidget* tree = page->tree();
        QCOMPARE(tree->topLevelItem(0)->text(0), q("Registry"));
        QTreeWidgetItem* software = findNode(tree, q("Software Settings"));
        QVERIFY(software);
        QCOMPARE(childTexts(software), QStringList{q("~~DUMMY~~")});
        page->expandNode(q("Software"));
        QCOMPARE(childTexts(software), (QStringList{q("VB and VBA Program Settings"), q("Zeta")}));
        // The look-ahead reads one chain below each new node, so the settings node can open.
        page->expandNode(q(kSettings));
        page->expandNode(q(kSettings) + q("\\Ledger"));
        page->expandNode(q(kSettings) + q("\\Ledger"));  // a second time adds nothing
        QTreeWidgetItem* ledger = findNode(tree, q("Ledger"));
        QVERIFY(ledger);
        QCOMPARE(ledger->childCount(), 2);

        page->chooseNode(q(kOptions));
        QCOMPARE(rowTexts(page->list()),
                 (QStringList{q("Caption|\"Ledger 2003\""), q("Count|0x0000001a (26)"), q("Window|01 02 ff ")}));
        QCOMPARE(RegistryPage::rowIcon(rowNamed(page->list(), q("Window"))), q("bindata"));
        // A key chosen: Back Up and Delete are offered, the object commands are not.
        commands->updateMenu();
        QVERIFY(commands->item(kBackUpKeyItem)->isEnabled());
        QVERIFY(commands->item(kDeleteKeyItem)->isEnabled());
        QVERIFY(!commands->item(kFullListingItem)->isEnabled());
        // On another tab the menu acts on nothing.
        window->tabs()->setCurrentIndex(0);
        commands->updateMenu();
        QVERIFY(!commands->item(kBackUpKeyItem)->isEnabled());
    }

    void listsObjectsAndOpensTheirFullListing() {
        page->chooseNode(q("OBJECTS"));
        QCOMPARE(page->selectedNodeText(), q("Installed Objects - 2"));
        commands->updateMenu();
        for (int item : {kRegisterItem, kUnregisterItem, kFullListingItem, kPropertiesItem})
            QVERIFY(commands->item(item)->isEnabled());
        QTreeWidgetItem* picker = rowNamed(page->list(), q("Microsoft Date And Time Picker"));
        QVERIFY(picker);
        QCOMPARE(RegistryPage::rowIcon(picker), q("class"));
        QCOMPARE(RegistryPage::rowIcon(rowNamed(page->list(), q("Missing Server"))), q("class1"));

        // Without a selected row the object commands ask for one.
        page->list()->clearSelection();
        commands->fullListing();
        QCOMPARE(prompts.shown.back().text, q("Select an object first."));

        page->list()->setCurrentItem(picker);
        QStringList seen;
        whenOpen<FullObjectView>([&seen](FullObjectView* view) {
            seen << view->tree()->topLevelItem(0)->text(0);
            view->chooseNode(q("CLSID\\") + q(kClsid) + q("\\Version"));
            seen << rowTexts(view->list());
            // One of the fixed nodes clears the list, and an empty list shows the unset default.
            view->chooseNode(q("CLSID"));
            seen << rowTexts(view->list());
            view->closeButton()->click();
        });
        commands->fullListing();
        QCOMPARE(seen, (QStringList{q("HKEY_CLASSES_ROOT"), q("(Default)|\"2.0\""), q("(Default)|(value not set)")}));

        QCOMPARE(picker->text(3), q("C:\\windows\\system32\\mscomct2.ocx"));
        QStringList properties;
        whenOpen<FilePropertiesDialog>([&properties](FilePropertiesDialog* dialog) {
            properties = dialog->lines();
            dialog->reject();
        });
        commands->properties();
        QVERIFY(properties.contains(q("Name: MSCOMCT2.OCX")));

        // Properties of an object whose server file is missing says so.
        page->list()->setCurrentItem(rowNamed(page->list(), q("Missing Server")));
        commands->properties();
        QCOMPARE(prompts.shown.back().text, q("The file associated with this object can not be found."));
    }

    void editsADwordAndAString() {
        chooseOptions();
        QTreeWidgetItem* count = rowNamed(page->list(), q("Count"));
        page->list()->setCurrentItem(count);
        QString start;
        whenOpen<EditValueDialog>([&start](EditValueDialog* dialog) {
            start = dialog->dataField()->toPlainText();
            // Decimal view, then a digit typed; a letter is filtered out.
            dialog->viewOption(1)->click();
            dialog->dataField()->selectAll();
            QTest::keyClicks(dialog->dataField(), q("4x2"));
            dialog->okButton()->click();
        });
        commands->editValue(count);
        QCOMPARE(start, q("1a"));
        QCOMPARE(count->text(1), q("0x0000002a (42)"));
        QCOMPARE(dwordOf(store().value(Hive::CurrentUser, kOptions, "Count")->data), 42u);

        QTreeWidgetItem* caption = rowNamed(page->list(), q("Caption"));
        whenOpen<EditValueDialog>([](EditValueDialog* dialog) {
            QVERIFY(!dialog->viewFrame()->isVisible());
            dialog->dataField()->selectAll();
            QTest::keyClicks(dialog->dataField(), q("Ledger \"2004\""));
            dialog->okButton()->click();
        });
        commands->editValue(caption);
        QCOMPARE(caption->text(1), q("\"Ledger \"2004\"\""));
        QCOMPARE(std::string(cutAtNul(store().value(Hive::CurrentUser, kOptions, "Caption")->data)),
                 std::string("Ledger \"2004\""));

        // Cancel writes nothing.
        whenOpen<EditValueDialog>([](EditValueDialog* dialog) {
            QTest::keyClicks(dialog->dataField(), q("zzz"));
            dialog->cancelButton()->click();
        });
        commands->editValue(caption);
        QCOMPARE(caption->text(1), q("\"Ledger \"2004\"\""));
    }

    void exportsAKeyAndDeletesItAfterTwoQuestions() {
        chooseOptions();

        const std::string backup = dir.path() + "/options";  // the extension comes from the filter
        prompts.saveFiles.push_back(QString::fromStdString(backup));
        commands->backUpKey();
        QCOMPARE(prompts.captions.back(), q("Save File"));
        QCOMPARE(prompts.filters.back(), q("Registry Files|*.reg|All Files|*.*"));
        const std::string expected =
            "REGEDIT4\r\n\r\n"
            "[HKEY_CURRENT_USER\\Software\\VB and VBA Program Settings\\Ledger\\Options]\r\n"
            "\"Caption\"=\"Ledger 2003\"\r\n"
            "\"Count\"=dword:0000001a\r\n"
            "\"Window\"=hex:01,02,ff\r\n"
            " \r\n"
            "[HKEY_CURRENT_USER\\Software\\VB and VBA Program Settings\\Ledger\\Options\\Recent]\r\n"
            " \r\n";
        QCOMPARE(fileBytes(QString::fromStdString(backup + ".reg")).toStdString(), expected);
        QCOMPARE(prompts.shown.back().text,
                 q("All of the settings for the selected key have been copied to the file options.reg. "
                   "Double-click on the file to restore the settings."));
        QCOMPARE(prompts.shown.back().icon, MessageIcon::None);

        // Saving over the backup asks first; No keeps the file.
        prompts.saveFiles.push_back(QString::fromStdString(backup + ".reg"));
        prompts.answers = {false};
        commands->backUpKey();
        QCOMPARE(prompts.shown.back().text, q("This file already exists. Do you want to overwrite it?"));

        // Delete: No to the backup, No to the deletion keeps the key.
        prompts.answers = {false, false};
        commands->deleteKey();
        QVERIFY(store().subkeys(Hive::CurrentUser, kOptions).has_value());
        // Yes to the deletion removes the key with its subkey, and its node.
        prompts.answers = {false, true};
        commands->deleteKey();
        QCOMPARE(prompts.shown.back().text,
                 q("Click Yes to delete the selected registry key. Click No to cancel the operation."));
        QVERIFY(!store().subkeys(Hive::CurrentUser, kOptions).has_value());
        QVERIFY(!store().subkeys(Hive::CurrentUser, std::string(kOptions) + "\\Recent").has_value());
        QVERIFY(!findNode(page->tree(), q("Options")));
        QVERIFY(store().subkeys(Hive::CurrentUser, "Software\\VB and VBA Program Settings\\Ledger\\Colours"));
    }

    void aRefusedDeletionKeepsTheNodeAndSaysWhy() {
        page->expandNode(q("Software"));
        page->chooseNode(q("Software\\Zeta"));
        store().refuseAllWrites("The Wine registry is in use by a running Wine program.");
        prompts.answers = {false, true};
        commands->deleteKey();
        QCOMPARE(prompts.shown.back().text, q("The Wine registry is in use by a running Wine program."));
        QVERIFY(findNode(page->tree(), q("Zeta")));
    }

    void sortedNodesMatchInsertionOneByOne() {
        // The binary search gives the places a scan from the start would: after every child whose
        // text sorts before or with the new one, regardless of case.
        QTreeWidget widget;
        KeyedTree tree(&widget);
        const QString root = q("root");
        tree.add(nullptr, root, root, QString(), QString(), true);
        QStringList expected;
        std::uint32_t seed = 7;
        for (int i = 0; i < 400; ++i) {
            seed = seed * 1103515245u + 12345u;
            const char letters[] = {'a', 'B', 'b', 'C', '_', 'z'};
            QString text;
            for (int n = 0; n < 1 + static_cast<int>(seed >> 29); ++n) text += QLatin1Char(letters[(seed >> (3 * n + 8)) % 6]);
            int at = 0;
            while (at < expected.size() && QString::compare(expected[at], text, Qt::CaseInsensitive) <= 0) ++at;
            expected.insert(at, text);
            tree.add(&root, QString::number(i), text, QString(), QString());
        }
        QCOMPARE(childTexts(tree.find(root)), expected);
    }

    void registersAServerThroughTheShell() {
        page->chooseNode(q("OBJECTS"));
        prompts.saveFiles.push_back(q("/opt/controls/Grid.ocx"));
        commands->registerObject();
        QCOMPARE(prompts.filters.back(), q("OCX & DLL Files|*.ocx; *.dll|All Files|*.*"));
        QCOMPARE(shell.requests.size(), 1u);
        QCOMPARE(QString::fromStdString(shell.requests.back().file), q("regsvr32.exe"));
        QCOMPARE(QString::fromStdString(shell.requests.back().parameters), q("/opt/controls/Grid.ocx"));
    }
};

QTEST_MAIN(RegistryTabTest)
#include "RegistryTabTest.moc"
