#include "core/project/DiskPath.h"

#include <gtest/gtest.h>

#include "support/TempDir.h"

namespace tally {

TEST(DiskPath, FileAndDirectoryNamesAreFoundIgnoringCase) {
    TempDir dir;
    std::string form = dir.write("app/frmMain.frm", "x");
    std::string shared = dir.write("shared/x.bas", "x");
    EXPECT_EQ(resolveOnDisk(form), form);
    EXPECT_EQ(resolveMemberPath(dir / "app/", "FRMMAIN.FRM"), form);
    EXPECT_EQ(resolveMemberPath(dir / "app/", "..\\Shared\\X.bas"), shared);
    EXPECT_EQ(resolveMemberPath(dir / "app/", "..\\SHARED\\..\\app\\.\\frmmain.FRM"), form);
    EXPECT_EQ(resolveOnDisk(dir / "SHARED/../APP/frmmain.FRM"), dir / "shared/../app/frmMain.frm");
#ifndef _WIN32  // names differing only in case are one file on Windows
    // Names differing only in case: an exact match wins, otherwise the smallest name, whatever the
    // order of the directory.
    dir.write("X.BAS", "1");
    dir.write("x.bas", "2");
    EXPECT_EQ(resolveOnDisk(dir / "x.bas"), dir / "x.bas");
    EXPECT_EQ(resolveOnDisk(dir / "x.Bas"), dir / "X.BAS");
#endif
}

TEST(DiskPath, WhatCannotBeFoundAndNetworkPathsKeepTheLexicalPath) {
    TempDir dir;
    dir.write("app/frmMain.frm", "x");
    EXPECT_EQ(resolveMemberPath(dir / "app/", "frmMissing.frm"), dir / "app/frmMissing.frm");
    EXPECT_EQ(resolveMemberPath(dir / "app/", "..\\Nowhere\\FRMMAIN.FRM"), dir / "Nowhere/FRMMAIN.FRM");
    EXPECT_EQ(resolveMemberPath(dir / "app/", "FRMMAIN.FRM\\x.bas"), dir / "app/FRMMAIN.FRM/x.bas");
    EXPECT_EQ(resolveOnDisk(dir / std::string("app\0x", 5)), dir / std::string("app\0x", 5));
    EXPECT_EQ(resolveMemberPath(dir / "app/", "\\\\server\\share\\x.bas"), "\\\\server\\share\\x.bas");
    EXPECT_EQ(resolveMemberPath(dir / "app/", "\\\\?\\C:\\src\\x.bas"), "\\\\?\\C:\\src\\x.bas");
}

TEST(DiskPath, AWindows1252NameFindsTheSameTextStoredAsUtf8) {
    TempDir dir;
    std::string onDisk = dir.write("app/R\xC3\xA9sum\xC3\xA9.bas", "x");  // "Résumé.bas" in UTF-8
    EXPECT_EQ(resolveMemberPath(dir / "app/", "R\xE9sum\xE9.bas"), onDisk);
#ifndef _WIN32  // Wine folds only ASCII letters in file names (Windows folds all of them)
    EXPECT_EQ(resolveMemberPath(dir / "app/", "R\xE9SUM\xE9.BAS"), onDisk);
    EXPECT_EQ(resolveMemberPath(dir / "app/", "r\xC9sum\xC9.bas"), onDisk);
#endif
    EXPECT_TRUE(sameFileName("\x80uro", "\xE2\x82\xACuro"));
    // The Windows-1252 letters fold too: "NA\xCFVE.bas" names "na\u00EFve.bas", "\x8A" names "\x9A".
    EXPECT_TRUE(sameFileName("R\xC9sum\xC9.bas", "r\xC3\xA9sum\xC3\xA9.bas"));
    EXPECT_TRUE(sameFileName("NA\xCFVE.bas", "na\xC3\xAFve.bas"));
    EXPECT_TRUE(sameFileName("\x8Akoda.bas", "\xC5\xA1koda.bas"));
    EXPECT_FALSE(sameFileName("\xD7.bas", "\xC3\xB7.bas")) << "the multiplication sign is no letter";
    EXPECT_FALSE(sameFileName("?.bas", "\xE6\x97\xA5.bas")) << "a character Windows-1252 lacks is no '?'";
    EXPECT_FALSE(sameFileName("x.bas", "x.bas "));
    // A member that is not there keeps its spelling, written as the file system writes names.
    EXPECT_EQ(resolveMemberPath(dir / "app/", "Donn\xE9""es\\x.bas"), dir / "app/Donn\xC3\xA9""es/x.bas");
}

}  // namespace tally
