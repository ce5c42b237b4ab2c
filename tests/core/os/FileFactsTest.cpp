#include "core/os/FileFacts.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/project/FolderEntries.h"
#include "support/TempDir.h"

namespace tally {

namespace {
// Bytes of every value, longer than one read block, so that a lost or repeated block shows.
std::string varied(std::size_t n) {
    std::string out(n, '\0');
    for (std::size_t i = 0; i < n; ++i) out[i] = static_cast<char>((i * 7 + i / 251) & 0xFF);
    return out;
}
}  // namespace

TEST(FileFacts, FilesAreReadWholeOrByTheirHead) {
    TempDir dir;
    std::string big = varied(200'001);
    std::string bigPath = dir.write("big.bin", big);
    std::string emptyPath = dir.write("empty.bas", "");
    std::string smallPath = dir.write("small.bas", "Attribute VB_Name\r\n");

    EXPECT_EQ(readFileBytes(bigPath), big);
    EXPECT_EQ(readFileBytes(emptyPath), std::string());
    EXPECT_EQ(readFileHead(bigPath, 4096), big.substr(0, 4096));
    EXPECT_EQ(readFileHead(smallPath, 4096), "Attribute VB_Name\r\n");
    EXPECT_EQ(readFileHead(smallPath, 9), "Attribute");

    // An earlier look spares a second one; a file that changed since is still read as it is now.
    PathStatus stale = pathStatus(smallPath);
    stale.length = 10'000'000;
    EXPECT_EQ(readFileBytes(bigPath, pathStatus(smallPath)), big);
    EXPECT_EQ(readFileBytes(smallPath, stale), "Attribute VB_Name\r\n");
    EXPECT_EQ(readFileHead(bigPath, 4096, pathStatus(emptyPath)), big.substr(0, 4096));
    // A look that found nothing is made again.
    EXPECT_EQ(readFileBytes(smallPath, PathStatus{}), "Attribute VB_Name\r\n");
    EXPECT_EQ(readFileBytes(dir / "missing.bas", stale), std::nullopt);

    EXPECT_EQ(readFileBytes(dir / "missing.bas"), std::nullopt);
    EXPECT_EQ(readFileBytes(dir.path()), std::nullopt);
    EXPECT_EQ(readFileBytes(smallPath + std::string("\0x", 2)), std::nullopt);
}

TEST(FileFacts, OneLookTellsPresenceKindLengthAndDate) {
    TempDir dir;
    std::string file = dir.write("a/x.bas", "12345");
    PathStatus status = pathStatus(file);
    EXPECT_TRUE(status.present);
    EXPECT_TRUE(status.regularFile);
    EXPECT_EQ(status.length, 5);
    EXPECT_GT(status.modifiedOle(), 40000.0);
    EXPECT_EQ(status.modifiedOle(), fileModifiedOle(file));

    PathStatus folder = pathStatus(dir / "a");
    EXPECT_TRUE(folder.present);
    EXPECT_FALSE(folder.regularFile);
    EXPECT_EQ(folder.length, 0);
    EXPECT_EQ(folder.modifiedOle(), 0.0);
    EXPECT_FALSE(fileExists(dir / "a"));

    for (const std::string& nothing : {dir / "a/none.bas", std::string(), file + std::string("\0", 1)}) {
        PathStatus status = pathStatus(nothing);
        EXPECT_FALSE(status.present);
        EXPECT_FALSE(status.regularFile);
        EXPECT_EQ(fileLength(nothing), 0);
        EXPECT_EQ(fileModifiedOle(nothing), 0.0);
    }
}

#ifndef _WIN32  // the case search of a POSIX disk; Windows finds any case itself
TEST(FolderEntries, AListedFolderRulesOutOnlyNamesItDoesNotHoldUnderAnyCase) {
    TempDir dir;
    std::string form = dir.write("app/frmMain.frx", "x");
    dir.write("app/frmOther.frm", "x");
    std::filesystem::create_directories(dir / "app/folder.frx");
    FolderEntries folders;

    EXPECT_TRUE(fileExists(folders, form));
    EXPECT_FALSE(fileExists(folders, dir / "app/frmOther.frx"));
    EXPECT_TRUE(fileExists(folders, dir / "app/FRMMAIN.FRX"));  // found as Windows finds it
    EXPECT_EQ(folders.spelledOnDisk(dir / "app/FRMMAIN.FRX"), form);
    EXPECT_FALSE(fileExists(folders, dir / "app/folder.frx"));   // there, but not a file
    EXPECT_FALSE(fileExists(folders, dir / "nowhere/x.frx"));    // a folder that cannot be listed
    EXPECT_FALSE(folders.mayExist(dir / "app/frmOther.frx"));
    EXPECT_TRUE(folders.mayExist(dir / "app/frmMain.frx"));
    // Paths that are not plain absolute ones are left to the disk.
    EXPECT_TRUE(folders.mayExist("relative.frx"));
    EXPECT_TRUE(folders.mayExist(dir / "app\\x.frx"));
    EXPECT_TRUE(folders.mayExist(dir / "app/"));
}
#endif

}  // namespace tally
