#include "core/os/RegularFile.h"

#include "core/os/FileBuffer.h"
#include "core/os/FileFacts.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

namespace tally {

namespace {

namespace fs = std::filesystem;

// A FIFO that blocked the open or the read would hang the test; the alarm ends it instead.
class RegularFileTest : public ::testing::Test {
protected:
#ifndef _WIN32
    void SetUp() override { ::alarm(20); }
    void TearDown() override { ::alarm(0); }
#endif
    std::string path(const std::string& name) const { return m_dir / name; }
    TempDir m_dir;
};

TEST_F(RegularFileTest, RegularFileIsReadWhole) {
    std::string file = m_dir.write("mod.bas", "Sub A()\r\nEnd Sub\r\n");
    FileRead read = readRegularFile(file);
    ASSERT_TRUE(read.bytes);
    EXPECT_EQ(*read.bytes, "Sub A()\r\nEnd Sub\r\n");
    EXPECT_EQ(RegularFile(file).readHead(3), "Sub");
}

#ifndef _WIN32  // FIFOs are a POSIX file kind, and links need rights on Windows that a user seldom has
TEST_F(RegularFileTest, FifoAndLinkToFifoAreRefusedWithoutBlocking) {
    ASSERT_EQ(::mkfifo(path("pipe.bas").c_str(), 0644), 0);
    fs::create_symlink(path("pipe.bas"), path("link.bas"));
    for (const std::string& name : {path("pipe.bas"), path("link.bas")}) {
        FileRead read = readRegularFile(name);
        EXPECT_FALSE(read.bytes);
        EXPECT_EQ(read.check.refusal, FileRefusal::NotRegular);
        EXPECT_EQ(refusalPhrase(read.check), "is not a regular file (a FIFO)");
        EXPECT_FALSE(readFileBytes(name));
        EXPECT_FALSE(readFileHead(name, 4096));
        FileBuffer buffer;
        EXPECT_FALSE(buffer.read(name));
    }
}

// A look made before the path became a FIFO lets the open go ahead; what was opened is refused.
TEST_F(RegularFileTest, PathThatBecameFifoSinceTheLookIsRefused) {
    const std::string name = m_dir.write("mod.bas", "Sub A()\r\n");
    const PathStatus look = pathStatus(name);
    ASSERT_TRUE(look.regularFile);
    fs::remove(name);
    ASSERT_EQ(::mkfifo(name.c_str(), 0644), 0);
    RegularFile file(name, look);
    EXPECT_EQ(file.check().refusal, FileRefusal::NotRegular);
    EXPECT_EQ(refusalPhrase(file.check()), "is not a regular file (a FIFO)");
    EXPECT_FALSE(file.readHead(4096));
    EXPECT_FALSE(readFileBytes(name, look));
    FileBuffer buffer;
    EXPECT_FALSE(buffer.read(name, look));

    // A look that found no regular file is made again, and says what is there now.
    EXPECT_EQ(RegularFile(name, PathStatus{}).check().refusal, FileRefusal::NotRegular);
    EXPECT_EQ(RegularFile(path("gone.bas"), look).check().refusal, FileRefusal::Missing);
}
#endif

TEST_F(RegularFileTest, DevicesAreNotReadForEver) {
    FileRead zero = readRegularFile("/dev/zero");
    EXPECT_FALSE(zero.bytes);
    EXPECT_EQ(refusalPhrase(zero.check), "is not a regular file (a character device)");
    EXPECT_FALSE(readFileBytes("/dev/zero"));
    EXPECT_FALSE(readFileHead("/dev/zero", 4096));
    FileBuffer buffer;
    EXPECT_FALSE(buffer.read("/dev/zero"));
}

#ifndef _WIN32  // symbolic links need rights on Windows that a user seldom has
TEST_F(RegularFileTest, DirectoryLinkLoopAndMissingSayWhatTheyAre) {
    fs::create_directory(path("folder.bas"));
    EXPECT_EQ(refusalPhrase(checkReadableFile(path("folder.bas"))), "is a directory");
    fs::create_symlink(path("b"), path("a.bas"));
    fs::create_symlink(path("a.bas"), path("b"));
    EXPECT_EQ(refusalPhrase(checkReadableFile(path("a.bas"))), "is a symbolic link loop");
    EXPECT_EQ(refusalPhrase(checkReadableFile(path("gone.bas"))), "does not exist");
    EXPECT_TRUE(checkReadableFile(m_dir.write("here.bas", "x")).ok());
}
#endif

// A sparse file costs no disk space but claims more than any source could hold.
TEST_F(RegularFileTest, FilesOverTheLimitAreRefused) {
    std::string big = path("huge.bas");
    m_dir.write("huge.bas", "");
    fs::resize_file(big, static_cast<std::uintmax_t>(kLargestReadableFile) + 1);
    FileRead read = readRegularFile(big);
    EXPECT_FALSE(read.bytes);
    EXPECT_EQ(refusalPhrase(read.check), "is larger than 256 MB and is not read");
    FileBuffer buffer;
    EXPECT_FALSE(buffer.read(big));

    std::string small = m_dir.write("small.bas", "0123456789");
    EXPECT_TRUE(readRegularFile(small, 10).bytes);
    EXPECT_EQ(readRegularFile(small, 9).check.refusal, FileRefusal::TooLarge);
}

}  // namespace

}  // namespace tally
