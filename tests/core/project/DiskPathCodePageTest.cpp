// Member names of projects saved in a double-byte code page. In Shift-JIS "\x83\x41" (katakana A)
// and "\x83\x61" (katakana DI) are two characters whose trail bytes look like 'A' and 'a': matching
// names ignoring case must not take one for the other.

#include <gtest/gtest.h>

#include "core/project/DiskPath.h"
#include "core/project/ProjectReader.h"
#include "core/text/CodePageDetection.h"
#include "support/TempDir.h"

namespace tally {

namespace {
constexpr int kShiftJis = 932;
}  // namespace

TEST(DiskPathCodePage, TrailBytesAreNoLettersInADoubleBytePage) {
    EXPECT_TRUE(sameFileName("\x83\x61.BAS", "\x83\x41.bas")) << "Windows-1252 folds the trail byte";
    EXPECT_FALSE(sameFileName("\x83\x61.BAS", "\x83\x41.bas", kShiftJis));
    EXPECT_TRUE(sameFileName("\x83\x61.BAS", "\x83\x61.bas", kShiftJis));
    EXPECT_TRUE(sameFileName("MOD\x83\x41.BAS", "mod\x83\x41.bas", kShiftJis));
    // A lead byte is no accented capital: "\xC4\xE3" and "\xE4\xE3" are two GBK characters.
    EXPECT_TRUE(sameFileName("\xC4\xE3.bas", "\xE4\xE3.bas"));
    EXPECT_FALSE(sameFileName("\xC4\xE3.bas", "\xE4\xE3.bas", 936));
    EXPECT_EQ(foldedFileName("AB\x83\x41\x83\x61Z", kShiftJis), "ab\x83\x41\x83\x61z");
}

#ifndef _WIN32  // names of raw code-page bytes exist only on POSIX disks
TEST(DiskPathCodePage, TheEntryOfTheSameCharactersIsFoundAndAnExactOneWinsFirst) {
    TempDir dir;
    const std::string katakanaA = dir.write("app/\x83\x41.bas", "1");
    const std::string katakanaDi = dir.write("app/\x83\x61.bas", "2");
    EXPECT_EQ(resolveOnDisk(dir / "app/\x83\x61.BAS", kShiftJis), katakanaDi);
    EXPECT_EQ(resolveOnDisk(dir / "app/\x83\x41.BAS", kShiftJis), katakanaA);
    EXPECT_EQ(resolveOnDisk(dir / "APP/\x83\x61.bas", kShiftJis), katakanaDi);
    // Windows-1252 takes both for one name and chooses the smallest.
    EXPECT_EQ(resolveOnDisk(dir / "app/\x83\x61.BAS"), katakanaA);
    EXPECT_EQ(resolveOnDisk(katakanaDi), katakanaDi);

    TempDir lone;
    lone.write("\x83\x41.bas", "1");
    EXPECT_EQ(resolveOnDisk(lone / "\x83\x61.bas", kShiftJis), lone / "\x83\x61.bas") << "no such file";
    FolderEntries folders(kShiftJis);
    EXPECT_EQ(folders.codePage(), kShiftJis);
    EXPECT_EQ(resolveMemberPath(lone.path() + "/", "\x83\x41.BAS", nullptr, &folders), lone / "\x83\x41.bas");
}

TEST(DiskPathCodePage, TheReaderMatchesMembersInTheProjectFilesCodePage) {
    TempDir dir;
    dir.write("\x83\x41.bas", "Attribute VB_Name = \"A\"\r\n");
    const std::string wanted = dir.write("\x83\x61.bas", "Attribute VB_Name = \"B\"\r\n");
    // "File management" in katakana and kanji, so that the project file reads as Shift-JIS.
    const std::string vbp =
        "Type=Exe\r\nModule=Module1; \x83\x61.BAS\r\n"
        "Title=\"\x83\x74\x83\x40\x83\x43\x83\x8B\x8A\xC7\x97\x9D\"\r\nName=\"Project1\"\r\n";
    ASSERT_EQ(detectCodePage({vbp}), kShiftJis);
    ProjectModel model;
    ASSERT_TRUE(openProject(model, dir.write("Project.vbp", vbp), NoFileVersions{}));
    ASSERT_EQ(model.fileCount(), 2);
    EXPECT_EQ(model.files[1].path, wanted);

    // The same member in a project file of French words (read as Windows-1252) is the smallest
    // folded match.
    const std::string french =
        "Type=Exe\r\nModule=Module1; \x83\x61.BAS\r\n"
        "Title=\"Gestion des donn\xE9" "es: r\xE9sum\xE9 des r\xE9sultats, \xE9t\xE9 et hiver\"\r\n";
    ASSERT_EQ(detectCodePage({french}), kCodePageWestern);
    ProjectModel western;
    ASSERT_TRUE(openProject(western, dir.write("Western.vbp", french), NoFileVersions{}));
    ASSERT_EQ(western.fileCount(), 2);
    EXPECT_EQ(western.files[1].path, dir / "\x83\x41.bas");
}
#endif

}  // namespace tally
