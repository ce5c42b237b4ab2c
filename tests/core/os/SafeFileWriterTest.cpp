#include "core/os/SafeFileWriter.h"

#include "support/TempDir.h"
#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/resource.h>

#include "support/Unprivileged.h"
#endif

#include <cerrno>
#include <csignal>
#include <filesystem>
#include <stdexcept>
#include <vector>

namespace tally {

namespace {

namespace fs = std::filesystem;

class SafeFileWriterTest : public ::testing::Test {
protected:
    std::string path(const std::string& name) const { return m_dir / name; }

    TempDir m_dir;
};

TEST_F(SafeFileWriterTest, CreatesAndReplacesFilesWithExactBytes) {
    std::string target = path("scan.psf");
    std::string bytes("Version 2.0\r\n\x01\x02\x03\0tail", 19);
    Outcome first = SafeFileWriter(target).write(bytes);
    ASSERT_TRUE(first.ok) << first.description;
    EXPECT_EQ(first.errorNumber, 0);
    EXPECT_EQ(m_dir.read("scan.psf"), bytes);

    ASSERT_TRUE(SafeFileWriter(target).write("short"));
    EXPECT_EQ(m_dir.read("scan.psf"), "short");
    ASSERT_TRUE(SafeFileWriter(target).write(""));
    EXPECT_EQ(m_dir.read("scan.psf"), "");
    EXPECT_EQ(m_dir.names(), std::vector<std::string>{"scan.psf"});
}

// Pieces of every size, from none to several blocks, land in order; what a writer that fails part way
// or whose producer throws leaves is the old file alone.
TEST_F(SafeFileWriterTest, StreamedPiecesLandInOrderAndAFailurePartWayKeepsTheOldFile) {
    const std::string target = path("scan.psf");
    std::string expected;
    std::vector<std::string> pieces{"", "Version 2.0\r\n", std::string(3 << 20, 'a'), "", "b"};
    for (int k = 0; k < 3000; ++k) pieces.push_back(std::string(static_cast<std::size_t>(k % 997), char('c' + k % 20)));
    pieces.push_back(std::string((1 << 20) - 1, 'z'));
    for (const std::string& piece : pieces) expected += piece;
    auto produceAll = [&](SafeWriteStream& out) {
        for (const std::string& piece : pieces) out.add(piece);
    };
    ASSERT_TRUE(SafeFileWriter(target).writeStreamed(produceAll));
    EXPECT_TRUE(m_dir.read("scan.psf") == expected);

    ASSERT_TRUE(SafeFileWriter(target).write("previous contents"));
    bool sawFailure = false;
    failNextSafeWrite(SafeWriteStep::Write, ENOSPC);
    Outcome full = SafeFileWriter(target).writeStreamed([&](SafeWriteStream& out) {
        produceAll(out);
        sawFailure = out.failed();
    });
    EXPECT_FALSE(full.ok);
    EXPECT_EQ(full.errorNumber, 61);
    EXPECT_TRUE(sawFailure);
    EXPECT_THROW(SafeFileWriter(target).writeStreamed([&](SafeWriteStream& out) {
        out.add(std::string(2 << 20, 'x'));
        throw std::runtime_error("out of memory while making the text");
    }),
                 std::runtime_error);
    EXPECT_EQ(m_dir.read("scan.psf"), "previous contents");
    EXPECT_EQ(m_dir.names(), std::vector<std::string>{"scan.psf"});
}

#ifndef _WIN32  // Windows keeps a read-only flag, not permission bits, and links need rights there
TEST_F(SafeFileWriterTest, ReplacedFileKeepsItsPermissions) {
    std::string target = path("module.bas");
    ASSERT_TRUE(SafeFileWriter(target).write("old"));
    fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    ASSERT_TRUE(SafeFileWriter(target).write("new"));
    EXPECT_EQ(fs::status(target).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST_F(SafeFileWriterTest, WritingThroughALinkReplacesTheLinkedFile) {
    std::string real = path("real.frm");
    std::string link = path("link.frm");
    ASSERT_TRUE(SafeFileWriter(real).write("old"));
    fs::create_symlink(real, link);
    ASSERT_TRUE(SafeFileWriter(link).write("new"));
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(m_dir.read("real.frm"), "new");
}
#endif

TEST_F(SafeFileWriterTest, MissingOrBlockedFoldersGiveAnErrorValue) {
    Outcome missing = SafeFileWriter(path("no/such/folder/a.psf")).write("x");
    EXPECT_FALSE(missing.ok);
    EXPECT_EQ(missing.errorNumber, 76);
    EXPECT_EQ(missing.description, "Path not found");
    EXPECT_EQ(missing.detail.rfind("Path not found: " + path("no/such/folder/a.psf"), 0), 0u) << missing.detail;

    ASSERT_TRUE(SafeFileWriter(path("plain")).write("a file, not a folder"));
    Outcome notFolder = SafeFileWriter(path("plain/a.psf")).write("x");
    EXPECT_EQ(notFolder.errorNumber, 76);

    fs::create_directory(path("folder"));
    Outcome onFolder = SafeFileWriter(path("folder")).write("x");
    EXPECT_EQ(onFolder.errorNumber, 75);
    EXPECT_TRUE(fs::is_directory(path("folder")));

    EXPECT_EQ(SafeFileWriter("").write("x").errorNumber, 76);
    EXPECT_EQ(m_dir.names(), (std::vector<std::string>{"folder", "plain"}));
}

#ifndef _WIN32  // tests run as root: permissions are tried as another POSIX user; a file size limit is POSIX
TEST_F(SafeFileWriterTest, ReadOnlyFolderIsRefused) {
    fs::create_directory(path("locked"));
    ASSERT_TRUE(SafeFileWriter(path("locked/a.psf")).write("before"));
    fs::permissions(m_dir.path(), fs::perms::owner_all | fs::perms::others_read | fs::perms::others_exec);
    fs::permissions(path("locked"), fs::perms::owner_read | fs::perms::owner_exec | fs::perms::others_read |
                                         fs::perms::others_exec);
    int errorNumber =
        test::runUnprivileged([&] { return SafeFileWriter(path("locked/a.psf")).write("after").errorNumber; });
    EXPECT_EQ(errorNumber, 70);
    fs::permissions(path("locked"), fs::perms::owner_all);
    EXPECT_EQ(m_dir.read("locked/a.psf"), "before");
}

// A file-size limit makes the write itself fail part way, even for the superuser.
TEST_F(SafeFileWriterTest, FailedWriteLeavesThePreviousFileAndNoTemporary) {
    std::string target = path("scan.psf");
    ASSERT_TRUE(SafeFileWriter(target).write("previous contents"));

    struct rlimit saved {};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = saved;
    small.rlim_cur = 64;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    Outcome result = SafeFileWriter(target).write(std::string(4096, 'x'));
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.errorNumber, 61);
    EXPECT_EQ(m_dir.read("scan.psf"), "previous contents");
    EXPECT_EQ(m_dir.names(), std::vector<std::string>{"scan.psf"});
}
#endif

}  // namespace

}  // namespace tally
