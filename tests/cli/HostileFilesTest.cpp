// The command line against files that are not what their names say: FIFOs, devices, folders and
// link loops where sources or scan files should be, save targets that must not be written over, and
// names that try to command the terminal. None may hang, crash or change a file it was not asked to.

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <filesystem>
#include <sstream>

#include "CliRun.h"
#include "cli/CliApp.h"
#include "support/TempDir.h"

namespace tally {

using ::testing::HasSubstr;
using ::testing::Not;

namespace {

namespace fs = std::filesystem;

const std::string kClean = std::string(TALLY_SOURCE_DIR) + "/tests/data/tiny/clean";


class HostileFilesTest : public ::testing::Test {
protected:
    // A FIFO that blocked an open would hang the run; the alarm ends the test instead.
    void SetUp() override {
        ::alarm(60);
        for (const char* name : {"Clean.vbp", "frmClean.frm", "modClean.bas"})
            fs::copy_file(kClean + "/" + name, m_dir / name);
    }
    void TearDown() override { ::alarm(0); }
    std::string path(const std::string& name) const { return m_dir / name; }
    TempDir m_dir;
};

TEST_F(HostileFilesTest, SpecialFilesNamedAsMembersAreSkippedAndSaid) {
    ASSERT_EQ(::mkfifo(path("modPipe.bas").c_str(), 0644), 0);
    fs::create_symlink(path("modPipe.bas"), path("modLink.bas"));
    fs::create_directory(path("modFolder.bas"));
    fs::create_symlink(path("modLoopB.bas"), path("modLoop.bas"));
    fs::create_symlink(path("modLoop.bas"), path("modLoopB.bas"));
    ASSERT_EQ(::mkfifo(path("frmPipe.frm").c_str(), 0644), 0);
    // A form's name is read from its head; a device there must not be read until memory runs out.
    fs::create_symlink("/dev/zero", path("modZero.bas"));
    fs::create_symlink("/dev/zero", path("frmZero.frm"));
    m_dir.write(
        "Hostile.vbp",
        "Name=\"Clicks\"\r\n"
        "Form=frmClean.frm\r\nModule=modClean; modClean.bas\r\nModule=modPipe; modPipe.bas\r\n"
        "Module=modLink; modLink.bas\r\nModule=modFolder; modFolder.bas\r\nModule=modLoop; modLoop.bas\r\n"
        "Module=modZero; modZero.bas\r\nForm=frmPipe.frm\r\nForm=frmZero.frm\r\n");
    CliRun scan = run({"scan", path("Hostile.vbp")});
    EXPECT_EQ(scan.code, kExitOk) << scan.err;
    EXPECT_THAT(scan.err,
                HasSubstr("skipped " + path("modPipe.bas") + ": it is not a regular file (a FIFO)"));
    EXPECT_THAT(scan.err,
                HasSubstr("skipped " + path("modLink.bas") + ": it is not a regular file (a FIFO)"));
    EXPECT_THAT(scan.err, HasSubstr("skipped " + path("modFolder.bas") + ": it is a directory"));
    EXPECT_THAT(scan.err, HasSubstr("skipped " + path("modLoop.bas") + ": it is a symbolic link loop"));
    EXPECT_THAT(scan.err, HasSubstr("skipped " + path("modZero.bas") +
                                    ": it is not a regular file (a character device)"));
    EXPECT_THAT(scan.out, HasSubstr("Clicks - Tallyscan 6"));
    EXPECT_TRUE(fs::is_fifo(path("modPipe.bas")));
}

// Sparse files: they claim more than any source holds without taking the disk space.
TEST_F(HostileFilesTest, OversizedMemberOrProjectFileIsRefusedUnread) {
    m_dir.write("modHuge.bas", "");
    fs::resize_file(path("modHuge.bas"), (std::uintmax_t{256} << 20) + 1);
    m_dir.write("Big.vbp",
                "Name=\"Big\"\r\nModule=modClean; modClean.bas\r\nModule=modHuge; modHuge.bas\r\n");
    CliRun scan = run({"scan", path("Big.vbp")});
    EXPECT_EQ(scan.code, kExitOk) << scan.err;
    EXPECT_THAT(scan.err,
                HasSubstr("skipped " + path("modHuge.bas") + ": it is larger than 256 MB and is not read"));
    EXPECT_THAT(scan.out, HasSubstr("routines:   "));

    m_dir.write("Huge.vbp", "");
    fs::resize_file(path("Huge.vbp"), (std::uintmax_t{256} << 20) + 1);
    CliRun project = run({"tree", path("Huge.vbp")});
    EXPECT_EQ(project.code, kExitUsage);
    EXPECT_THAT(project.err, HasSubstr(path("Huge.vbp") + " is larger than 256 MB and is not read."));
}

TEST_F(HostileFilesTest, ProjectOrScanFileThatIsNotARegularFileIsRefused) {
    ASSERT_EQ(::mkfifo(path("Pipe.vbp").c_str(), 0644), 0);
    CliRun project = run({"tree", path("Pipe.vbp")});
    EXPECT_EQ(project.code, kExitUsage);
    EXPECT_THAT(project.err, HasSubstr(path("Pipe.vbp") + " is not a regular file (a FIFO)."));

    ASSERT_EQ(::mkfifo(path("Pipe.psf").c_str(), 0644), 0);
    fs::create_symlink(path("Pipe.psf"), path("Link.psf"));
    CliRun scan = run({"open", path("Link.psf")});
    EXPECT_EQ(scan.code, kExitUsage);
    EXPECT_THAT(scan.err, HasSubstr("75 - Path/File access error: " + path("Link.psf") +
                                    " is not a regular file (a FIFO)"));

    fs::create_symlink(path("LoopB.vbp"), path("Loop.vbp"));
    fs::create_symlink(path("Loop.vbp"), path("LoopB.vbp"));
    EXPECT_THAT(run({"tree", path("Loop.vbp")}).err,
                HasSubstr(path("Loop.vbp") + " is a symbolic link loop."));
    EXPECT_THAT(run({"tree", "/dev/zero"}).err,
                HasSubstr("/dev/zero is not a regular file (a character device)."));
}

TEST_F(HostileFilesTest, SaveNeverWritesOverTheProjectItsSourcesOrOtherFiles) {
    const std::string project = m_dir.read("Clean.vbp");
    CliRun overProject = run({"scan", path("Clean.vbp"), "--save", path("Clean.vbp")});
    EXPECT_EQ(overProject.code, kExitUsage);
    EXPECT_THAT(overProject.err, HasSubstr(path("Clean.vbp") + " is the project file; choose another name"));
    // Members and files that are no scan file are refused the same way (the ScanSaveTarget tests).
    m_dir.write("readme.txt", "keep me\n");
    EXPECT_EQ(run({"scan", path("Clean.vbp"), "--save", path("readme.txt")}).code, kExitUsage);
    EXPECT_EQ(m_dir.read("Clean.vbp"), project);
    EXPECT_EQ(m_dir.read("readme.txt"), "keep me\n");

    EXPECT_EQ(run({"scan", path("Clean.vbp"), "--save", path("Clean.psf")}).code, kExitOk);
    EXPECT_EQ(run({"scan", path("Clean.vbp"), "--save", path("Clean.psf")}).code, kExitOk);
}

// Run as root, saving onto a device node used to rename a regular file over it.
TEST_F(HostileFilesTest, SaveOntoADeviceOrFifoLeavesTheNode) {
    ASSERT_EQ(run({"scan", path("Clean.vbp"), "--save", path("Clean.psf")}).code, kExitOk);
    ASSERT_EQ(::mkfifo(path("pipe.psf").c_str(), 0644), 0);
    CliRun fifo = run({"open", path("Clean.psf"), "--save", path("pipe.psf")});
    EXPECT_EQ(fifo.code, kExitUsage);
    EXPECT_THAT(fifo.err,
                HasSubstr(path("pipe.psf") + " is not a regular file but a FIFO; nothing was written"));
    EXPECT_TRUE(fs::is_fifo(path("pipe.psf")));

    std::string node = path("null.psf");
    if (::mknod(node.c_str(), S_IFCHR | 0666, makedev(1, 3)) != 0)
        GTEST_SKIP() << "mknod is not allowed here";
    CliRun device = run({"open", path("Clean.psf"), "--save", node});
    EXPECT_EQ(device.code, kExitUsage);
    EXPECT_THAT(device.err, HasSubstr(node + " is not a regular file but a character device"));
    EXPECT_TRUE(fs::is_character_file(node));
}

TEST_F(HostileFilesTest, ReadOnlyScanFileIsRefusedAndKept) {
    ASSERT_EQ(run({"scan", path("Clean.vbp"), "--save", path("Clean.psf")}).code, kExitOk);
    const std::string before = m_dir.read("Clean.psf");
    fs::permissions(path("Clean.psf"), fs::perms::owner_read);
    CliRun refused = run({"open", path("Clean.psf"), "--save", path("Clean.psf")});
    EXPECT_EQ(refused.code, kExitUsage);
    EXPECT_THAT(refused.err,
                HasSubstr("Permission denied: " + path("Clean.psf") + " is read-only (mode 0400)."));
    EXPECT_EQ(m_dir.read("Clean.psf"), before);
}

TEST_F(HostileFilesTest, NamesCannotCommandTheTerminal) {
    m_dir.write("Evil.vbp",
                "Module=modClean; modClean.bas\r\nTitle=\"Evil\x1b]0;owned\x07\x8d"
                "2J\"\r\n"
                "Name=\"Bell\x07\"\r\n");
    CliRun tree = run({"tree", path("Evil.vbp")});
    EXPECT_EQ(tree.code, kExitOk);
    EXPECT_THAT(tree.out, HasSubstr("Evil\\x1b]0;owned\\x07\\x8d2J"));
    CliRun scan = run({"scan", path("Evil.vbp"), "--list", "never-called"});
    EXPECT_THAT(scan.out, HasSubstr("Bell\\x07 - Tallyscan 6"));
    for (const std::string& text : {tree.out, scan.out, scan.err}) {
        EXPECT_EQ(text.find('\x1b'), std::string::npos);
        EXPECT_EQ(text.find('\x07'), std::string::npos);
        EXPECT_EQ(text.find("\xc2\x8d"), std::string::npos);
    }
}

}  // namespace

}  // namespace tally
