#include "core/os/SaveTarget.h"

#include "core/os/SafeFileWriter.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#ifndef _WIN32
#include <sys/socket.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <unistd.h>

#include "support/Unprivileged.h"
#endif

#include <cstring>
#include <filesystem>
#include <vector>

namespace tally {

namespace {

namespace fs = std::filesystem;

class SaveTargetTest : public ::testing::Test {
protected:
    std::string path(const std::string& name) const { return m_dir / name; }
    bool contains(const std::string& text, const std::string& part) const {
        return text.find(part) != std::string::npos;
    }
    TempDir m_dir;
};

#ifndef _WIN32  // FIFOs, devices and sockets are POSIX file kinds; links need rights on Windows
TEST_F(SaveTargetTest, FifoIsRefusedAndStaysAFifo) {
    ASSERT_EQ(::mkfifo(path("pipe.psf").c_str(), 0644), 0);
    Outcome result = SafeFileWriter(path("pipe.psf")).write("scan text");
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.errorNumber, 75);
    EXPECT_TRUE(contains(result.detail, path("pipe.psf") + " is not a regular file but a FIFO"))
        << result.detail;
    EXPECT_TRUE(fs::is_fifo(path("pipe.psf")));
    EXPECT_EQ(m_dir.names(), std::vector<std::string>{"pipe.psf"});
}

// The node is made with /dev/null's numbers; saving over it used to leave a regular file there.
TEST_F(SaveTargetTest, CharacterDeviceIsRefusedAndStaysADevice) {
    std::string node = path("null.psf");
    if (::mknod(node.c_str(), S_IFCHR | 0666, makedev(1, 3)) != 0) {
        // Without the right to make a node, /dev/null itself is only looked at, never written.
        SaveTarget found = inspectSaveTarget("/dev/null");
        EXPECT_TRUE(contains(found.refusal, "is not a regular file but a character device")) << found.refusal;
        GTEST_SKIP() << "mknod is not allowed here";
    }
    Outcome result = SafeFileWriter(node).write(std::string(41000, 'x'));
    EXPECT_FALSE(result.ok);
    EXPECT_TRUE(contains(result.detail, node + " is not a regular file but a character device"))
        << result.detail;
    EXPECT_TRUE(fs::is_character_file(node));
    EXPECT_EQ(m_dir.names(), std::vector<std::string>{"null.psf"});
}

TEST_F(SaveTargetTest, SocketIsRefusedAndStaysASocket) {
    int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(fd, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const std::string where = path("s.psf");
    ASSERT_LT(where.size(), sizeof address.sun_path);
    std::memcpy(address.sun_path, where.c_str(), where.size() + 1);
    ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    Outcome result = SafeFileWriter(where).write("x");
    ::close(fd);
    EXPECT_TRUE(contains(result.detail, "is not a regular file but a socket")) << result.detail;
    EXPECT_TRUE(fs::is_socket(where));
}

TEST_F(SaveTargetTest, LinkToAFifoIsRefusedAndBothStay) {
    ASSERT_EQ(::mkfifo(path("pipe").c_str(), 0644), 0);
    fs::create_symlink(path("pipe"), path("link.psf"));
    Outcome result = SafeFileWriter(path("link.psf")).write("x");
    EXPECT_FALSE(result.ok);
    EXPECT_TRUE(contains(result.detail, "a FIFO (through a link to " + path("pipe") + ")")) << result.detail;
    EXPECT_TRUE(fs::is_symlink(path("link.psf")));
    EXPECT_TRUE(fs::is_fifo(path("pipe")));
}

TEST_F(SaveTargetTest, LinkLoopAndDanglingLinkAreRefusedAndStayLinks) {
    fs::create_symlink(path("b"), path("a.psf"));
    fs::create_symlink(path("a.psf"), path("b"));
    Outcome loop = SafeFileWriter(path("a.psf")).write("x");
    EXPECT_TRUE(contains(loop.detail, path("a.psf") + " is a symbolic link loop")) << loop.detail;

    fs::create_symlink(path("nowhere.psf"), path("dangling.psf"));
    Outcome dangling = SafeFileWriter(path("dangling.psf")).write("x");
    EXPECT_TRUE(contains(dangling.detail, "is a link to a file that does not exist")) << dangling.detail;
    EXPECT_TRUE(fs::is_symlink(path("a.psf")));
    EXPECT_TRUE(fs::is_symlink(path("dangling.psf")));
    EXPECT_FALSE(fs::exists(fs::symlink_status(path("nowhere.psf"))));
}
#endif

// The superuser could write it, but the mode says read-only and is honoured until the user agrees.
TEST_F(SaveTargetTest, ReadOnlyFileIsRefusedUntilAgreedAndKeepsItsMode) {
    std::string target = m_dir.write("ro.psf", "old");
    fs::permissions(target, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    Outcome refused = SafeFileWriter(target).write("new");
    EXPECT_FALSE(refused.ok);
    EXPECT_EQ(refused.errorNumber, 70);
    EXPECT_TRUE(contains(refused.detail, target + " is read-only (mode 0444)")) << refused.detail;
    EXPECT_EQ(m_dir.read("ro.psf"), "old");

    ASSERT_TRUE(SafeFileWriter(target).write("new", true));
    EXPECT_EQ(m_dir.read("ro.psf"), "new");
    EXPECT_EQ(fs::status(target).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
}

TEST_F(SaveTargetTest, HardLinkedFileIsRefusedUntilAgreed) {
    std::string target = m_dir.write("one.psf", "old");
    fs::create_hard_link(target, path("two.psf"));
    Outcome refused = SafeFileWriter(target).write("new");
    EXPECT_FALSE(refused.ok);
    EXPECT_TRUE(contains(refused.detail, target + " has 2 hard links")) << refused.detail;
    EXPECT_EQ(m_dir.read("one.psf"), "old");
    std::vector<std::string> cautions = saveCautions(target, inspectSaveTarget(target));
    EXPECT_EQ(cautions.size(), 1u);

    ASSERT_TRUE(SafeFileWriter(target).write("new", true));
    EXPECT_EQ(m_dir.read("one.psf"), "new");
    EXPECT_EQ(m_dir.read("two.psf"), "old");
}

TEST_F(SaveTargetTest, PlainFileHasNoCautions) {
    std::string target = m_dir.write("plain.psf", "old");
    SaveTarget found = inspectSaveTarget(target);
    EXPECT_TRUE(found.refusal.empty());
    EXPECT_TRUE(found.exists);
    EXPECT_TRUE(saveCautions(target, found).empty());
    EXPECT_TRUE(saveCautions(path("new.psf"), inspectSaveTarget(path("new.psf"))).empty());
}

#ifndef _WIN32  // Tests run as root; permissions are tried as another POSIX user
// Another user's file this user may not write: the mode is not read-only, the permission is missing.
TEST_F(SaveTargetTest, AFileThisUserMayNotWriteIsSaidSo) {
    if (::geteuid() != 0) GTEST_SKIP() << "needs another user to own the file";
    std::string target = m_dir.write("theirs.psf", "old");
    fs::permissions(m_dir.path(), fs::perms::owner_all | fs::perms::others_all);
    fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write | fs::perms::others_read);
    int said = test::runUnprivileged([&] {
        Outcome result = SafeFileWriter(target).write("new");
        return result.detail.find(target + " may not be written by you (mode 0604).") != std::string::npos
                   ? 1
                   : 0;
    });
    EXPECT_EQ(said, 1);
    EXPECT_EQ(m_dir.read("theirs.psf"), "old");
}

TEST_F(SaveTargetTest, UnwritableFolderIsNamedAsTheCause) {
    fs::create_directory(path("locked"));
    fs::permissions(m_dir.path(), fs::perms::owner_all | fs::perms::others_read | fs::perms::others_exec);
    fs::permissions(path("locked"), fs::perms::owner_all | fs::perms::others_read | fs::perms::others_exec);
    std::string target = path("locked/new.psf");
    int named = test::runUnprivileged([&] {
        Outcome result = SafeFileWriter(target).write("x");
        std::string expected =
            "Permission denied: " + target + " (the folder " + path("locked") +
            " must be writable for the temporary file the save goes through: Permission denied)";
        return result.detail == expected ? 1 : 0;
    });
    EXPECT_EQ(named, 1);
}
#endif

}  // namespace

}  // namespace tally
