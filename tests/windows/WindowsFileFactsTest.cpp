// File facts on Windows: the read-only flag stands for the permission bits, device names are
// never opened as members, a file open for reading may still be replaced, and a path with blanks
// has a short form for the association's command line.
#include <windows.h>

#include <gtest/gtest.h>

#include "core/os/RegularFile.h"
#include "core/os/SafeFileWriter.h"
#include "core/os/SystemFiles.h"
#include "platform/desktop/AssociationChoice.h"
#include "support/TempDir.h"

namespace tally {

TEST(WindowsFileFacts, TheReadOnlyFlagIsTheWriteBit) {
    TempDir dir;
    const std::string file = dir.write("Module1.bas", "Attribute VB_Name = \"Module1\"\r\n");
    sys::EntryFacts facts;
    ASSERT_EQ(sys::lookAt(file, facts), 0);
    EXPECT_EQ(facts.kind, sys::EntryKind::Regular);
    EXPECT_EQ(facts.length, 31);
    EXPECT_EQ(facts.mode, 0666u);
    EXPECT_TRUE(sys::mayWrite(file, facts));

    ASSERT_TRUE(SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_READONLY));
    ASSERT_EQ(sys::lookAt(file, facts), 0);
    EXPECT_EQ(facts.mode, 0444u);
    EXPECT_FALSE(sys::mayWrite(file, facts));
    SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_NORMAL);

    ASSERT_EQ(sys::lookAt(dir.path(), facts), 0);
    EXPECT_EQ(facts.kind, sys::EntryKind::Directory);
    EXPECT_EQ(sys::lookAt(dir / "missing.bas", facts), ENOENT);
    EXPECT_EQ(sys::lookAt(dir / "no/such/folder/x.bas", facts), ENOENT);
}

TEST(WindowsFileFacts, DeviceNamesInAnyFolderAreNeverReadAsMembers) {
    TempDir dir;
    for (const char* name : {"CON", "nul.bas", "COM1.frm", "aux", "LPT9.cls"}) {
        FileRead read = readRegularFile(dir / name);
        EXPECT_FALSE(read.bytes.has_value()) << name;
        EXPECT_FALSE(read.check.ok()) << name;
    }
    // A name that only starts like one is a file like any other.
    dir.write("CONFIG.bas", "x");
    EXPECT_TRUE(readRegularFile(dir / "CONFIG.bas").bytes.has_value());
}

TEST(WindowsFileFacts, AFileOpenForReadingCanBeSavedOver) {
    TempDir dir;
    const std::string file = dir.write("frmMain.frm", "old");
    RegularFile reading(file);
    ASSERT_TRUE(reading.check().ok());
    // The program reads with every sharing right, so its own save (and the user's editor's) can
    // put the new file in the place of the one being read.
    EXPECT_TRUE(SafeFileWriter(file).write("new").ok);
    EXPECT_EQ(dir.read("frmMain.frm"), "new");
}

TEST(WindowsFileFacts, AProgramPathWithBlanksHasAShortFormWithout) {
    TempDir dir;
    const std::string program = dir.write("Program Files/Tally Scan/tallyscan6.exe", "MZ");
    const std::string shortPath = associationProgramPath(program);
    EXPECT_EQ(shortPath.find(' '), std::string::npos) << shortPath;
    sys::EntryFacts facts;
    EXPECT_EQ(sys::lookAt(shortPath, facts), 0) << "the short form names the same file: " << shortPath;
    // A path that names nothing has no short form and stays as it is.
    EXPECT_EQ(associationProgramPath(dir / "Missing Folder/x.exe"), dir / "Missing Folder/x.exe");
}

}  // namespace tally
