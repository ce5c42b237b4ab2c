#include "core/os/WindowsFolders.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/TempDir.h"

namespace tally {

#ifndef _WIN32  // on Windows the folders are the system's own
TEST(WindowsFolders, TheWinePrefixFoldersThatExist) {
    TempDir prefix;
    EXPECT_EQ(wineWindowsFolders(prefix.path(), "/nowhere").windowsDir, "");
    std::filesystem::create_directories(prefix / "drive_c/windows");
    WindowsFolders onlyWindows = wineWindowsFolders(prefix.path(), "/nowhere");
    EXPECT_EQ(onlyWindows.windowsDir, prefix / "drive_c/windows/");
    EXPECT_EQ(onlyWindows.systemDir, "");
    std::filesystem::create_directories(prefix / "drive_c/windows/system32");
    EXPECT_EQ(wineWindowsFolders(prefix.path() + "/", "").systemDir, prefix / "drive_c/windows/system32/");
}

TEST(WindowsFolders, HomeWineWhenNoPrefixIsSetAndNoneWithoutEither) {
    TempDir home;
    std::filesystem::create_directories(home / ".wine/drive_c/windows/system32");
    WindowsFolders folders = wineWindowsFolders("", home.path());
    EXPECT_EQ(folders.windowsDir, home / ".wine/drive_c/windows/");
    EXPECT_EQ(folders.systemDir, home / ".wine/drive_c/windows/system32/");
    EXPECT_EQ(wineWindowsFolders("", "").windowsDir, "");
    home.write("file/drive_c/windows", "not a folder");
    EXPECT_EQ(wineWindowsFolders(home / "file", "").windowsDir, "");
}
#endif

}  // namespace tally
