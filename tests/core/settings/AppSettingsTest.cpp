// The settings key, the recent files list, the editor settings read from the registry, and the
// scan file association with the answers of its question.

#include <gtest/gtest.h>

#include "core/registry/MemoryRegistryStore.h"
#include "core/registry/RegistryValues.h"
#include "core/settings/AppSettings.h"
#include "core/settings/RecentFiles.h"
#include "core/settings/ScanFileAssociation.h"

namespace tally {

namespace {

constexpr std::string_view kMru = "Software\\Quillmere\\Tallyscan 6\\MRUList";

std::string stored(const MemoryRegistryStore& store, std::string_view name) {
    return readValueText(store, Hive::CurrentUser, kMru, name, "<none>");
}

// Opens files one after the other as the Project menu does: the list as shown, then AddToMRU.
RecentFiles openAll(MemoryRegistryStore& store, std::initializer_list<std::string_view> paths) {
    for (std::string_view path : paths) addRecentFile(store, loadRecentFiles(store), path);
    return loadRecentFiles(store);
}

}  // namespace

TEST(RecentFiles, FiveOpensKeepTheNewestFourAndAListedFileKeepsItsPlace) {
    MemoryRegistryStore store;
    EXPECT_EQ(loadRecentFiles(store), RecentFiles{});
    RecentFiles list = openAll(store, {"/p/a.vbp", "/p/b.vbp", "/p/c.psf", "/p/d.vbp", "/p/e.vbp"});
    EXPECT_EQ(list, (RecentFiles{"/p/e.vbp", "/p/d.vbp", "/p/c.psf", "/p/b.vbp"}));
    EXPECT_EQ(stored(store, "1"), "/p/e.vbp");

    // Reopening one that is listed changes nothing; another spelling is another file.
    EXPECT_FALSE(addRecentFile(store, list, "/p/c.psf"));
    EXPECT_EQ(loadRecentFiles(store), list);
    EXPECT_TRUE(addRecentFile(store, list, "/p/C.psf"));
    EXPECT_EQ(loadRecentFiles(store), (RecentFiles{"/p/C.psf", "/p/e.vbp", "/p/d.vbp", "/p/c.psf"}));
}

TEST(RecentFiles, EmptyPlacesAreWrittenAsEmptyStringsAndBlankOnesReadAsEmpty) {
    MemoryRegistryStore store;
    openAll(store, {"C:\\Work\\Ledger.vbp"});
    EXPECT_EQ(stored(store, "1"), "C:\\Work\\Ledger.vbp");
    EXPECT_EQ(stored(store, "2"), "<none>");  // empty strings read as the default
    EXPECT_TRUE(store.value(Hive::CurrentUser, kMru, "4").has_value());
    store.put(Hive::CurrentUser, kMru, stringValue("2", "   "));
    EXPECT_EQ(loadRecentFiles(store)[1], "");

    EXPECT_EQ(recentFileCaption("C:\\Work\\Ledger.vbp"), "Ledger.vbp");
    EXPECT_EQ(recentFileCaption("/home/ann/ledger/Ledger.VBP"), "Ledger.VBP");
    EXPECT_EQ(recentFileKind("/x/LEDGER.VBP"), RecentFileKind::Project);
    EXPECT_EQ(recentFileKind("/x/scan.Psf"), RecentFileKind::ScanFile);
    EXPECT_EQ(recentFileKind("/x/notes.txt"), RecentFileKind::Other);
    EXPECT_EQ(recentFileKind("pf"), RecentFileKind::Other);
}

TEST(EditorSettings, ReadFromTheDevelopmentEnvironmentsKey) {
    MemoryRegistryStore store;
    EXPECT_EQ(readEditorSettings(store), EditorSettings{});
    const std::string key(kVbEditorKey);
    store.put(Hive::CurrentUser, key, stringValue("FontFace", "Courier New"));
    store.put(Hive::CurrentUser, key, dwordValue("FontHeight", 12));
    store.put(Hive::CurrentUser, key, stringValue("TabWidth", "2"));
    EXPECT_EQ(readEditorSettings(store), (EditorSettings{"Courier New", 12, 2}));  // unusable values: EditorSettingsTest
}

namespace {

// An association that records what was written.
struct RecordingAssociation final : FileAssociation {
    bool present() const override { return isPresent; }
    bool write(const std::string& programPath) override {
        written.push_back(programPath);
        isPresent = true;
        return true;
    }
    bool isPresent = false;
    std::vector<std::string> written;
};

}  // namespace

TEST(ScanFileAssociation, TheAnswersOfTheQuestionAndNoMore) {
    struct Answer {
        int code;
        bool writes;
        bool noMore;
    };
    // The dialog's four answers, and a closed dialog (0) or a stray code, which do nothing.
    const Answer answers[] = {{associationAnswer(true, false), true, false}, {associationAnswer(true, true), true, true},
                              {associationAnswer(false, false), false, false},
                              {associationAnswer(false, true), false, true}, {0, false, false}, {3, false, false}};
    for (const auto& [answer, writes, noMore] : answers) {
        MemoryRegistryStore settings;
        RecordingAssociation association;
        ASSERT_TRUE(shouldAskAboutAssociation(association, settings));
        applyAssociationAnswer(answer, association, settings, "/usr/bin/tallyscan6");
        EXPECT_EQ(association.written.size(), writes ? 1u : 0u) << answer;
        EXPECT_EQ(readValueText(settings, Hive::CurrentUser, "Software\\Quillmere\\Tallyscan 6\\Associate", "", ""),
                  noMore ? "NoMore" : "")
            << answer;
        // Asked again on the next start only when neither written nor refused for good.
        EXPECT_EQ(shouldAskAboutAssociation(association, settings), !writes && !noMore) << answer;
    }
}

TEST(ScanFileAssociation, TheRegistryAssociationWritesTheEightValuesAndThenTellsTheShell) {
    MemoryRegistryStore store;
    int told = 0;
    RegistryAssociation association(store, [&told] { ++told; });
    EXPECT_FALSE(association.present());
    ASSERT_TRUE(association.write("C:\\PROGRA~1\\TALLYS~1\\TALLYS~1.EXE"));
    EXPECT_EQ(told, 1);
    EXPECT_TRUE(association.present());
    auto text = [&store](Hive hive, std::string_view key) { return readValueText(store, hive, key, "", "?"); };
    EXPECT_EQ(text(Hive::ClassesRoot, ".psf"), "Project.Scanfile");
    EXPECT_EQ(text(Hive::ClassesRoot, "Project.Scanfile"), "Project Scan File");
    EXPECT_EQ(text(Hive::ClassesRoot, "Project.Scanfile\\shell\\open\\command"),
              "C:\\PROGRA~1\\TALLYS~1\\TALLYS~1.EXE \"%1\"");
    EXPECT_EQ(text(Hive::ClassesRoot, "Project.Scanfile\\DefaultIcon"), "C:\\PROGRA~1\\TALLYS~1\\TALLYS~1.EXE");
    EXPECT_EQ(text(Hive::LocalMachine, "SOFTWARE\\Classes\\.psf"), "Project.Scanfile");
    EXPECT_EQ(text(Hive::LocalMachine, "SOFTWARE\\Classes\\Project.Scanfile\\shell\\open\\command"),
              "C:\\PROGRA~1\\TALLYS~1\\TALLYS~1.EXE \"%1\"");

    // Present compares both texts exactly.
    store.put(Hive::ClassesRoot, "Project.Scanfile", stringValue("", "project scan file"));
    EXPECT_FALSE(association.present());

    // A refused step stops the rest, and the shell is not told.
    MemoryRegistryStore refusing;
    refusing.refuseAllWrites("read-only");
    RegistryAssociation failing(refusing, [&told] { ++told; });
    EXPECT_FALSE(failing.write("x"));
    EXPECT_EQ(told, 1);
}

}  // namespace tally
