#include "core/os/SystemFiles.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>

namespace tally::sys {

namespace {

namespace fs = std::filesystem;

#ifndef _WIN32  // FIFOs are a POSIX file kind; symbolic links need rights on Windows that a user seldom has
TEST(SystemFiles, LookAtTellsTheKindsApartAndFollowsLinksOnlyWhenAsked) {
    TempDir dir;
    const std::string file = dir.write("a.bas", "Attribute VB_Name = \"A\"\r\n");
    ASSERT_EQ(::mkfifo((dir / "pipe").c_str(), 0644), 0);
    fs::create_symlink(file, dir / "link");
    fs::create_symlink(dir / "gone", dir / "dangling");

    EntryFacts facts;
    ASSERT_EQ(lookAt(file, facts), 0);
    EXPECT_EQ(facts.kind, EntryKind::Regular);
    EXPECT_EQ(facts.length, 25);
    EXPECT_EQ(facts.hardLinks, 1);
    EXPECT_TRUE(mayWrite(file, facts));
    EntryFacts same;
    ASSERT_EQ(lookAt(dir / "link", same), 0);
    EXPECT_EQ(same.kind, EntryKind::Regular);
    EXPECT_EQ(same.node, facts.node);
    ASSERT_EQ(lookAt(dir / "link", same, false), 0);
    EXPECT_EQ(same.kind, EntryKind::Link);

    ASSERT_EQ(lookAt(dir / "pipe", facts), 0);
    EXPECT_EQ(facts.kind, EntryKind::Fifo);
    ASSERT_EQ(lookAt("/dev/null", facts), 0);
    EXPECT_EQ(facts.kind, EntryKind::CharacterDevice);
    ASSERT_EQ(lookAt(dir / "", facts), 0);
    EXPECT_EQ(facts.kind, EntryKind::Directory);

    EXPECT_EQ(lookAt(dir / "dangling", facts), ENOENT);
    EXPECT_EQ(lookAt(dir / "nothing", facts), ENOENT);
    EXPECT_EQ(lookAt("", facts), ENOENT);
    // A NUL byte would make the system look at a shorter name.
    EXPECT_EQ(lookAt(file + std::string("\0x", 2), facts), ENOENT);
}

TEST(SystemFiles, LinksResolveToTheFileOrSayWhyNot) {
    TempDir dir;
    const std::string file = dir.write("real.frm", "x");
    fs::create_symlink(file, dir / "one");
    fs::create_symlink(dir / "one", dir / "two");
    fs::create_symlink(dir / "loopA", dir / "loopB");
    fs::create_symlink(dir / "loopB", dir / "loopA");

    std::string resolved;
    ASSERT_EQ(resolveLinks(dir / "two", resolved), 0);
    EXPECT_EQ(fs::path(resolved), fs::canonical(file));
    EXPECT_EQ(resolveLinks(dir / "loopA", resolved), ELOOP);
    EXPECT_EQ(resolveLinks(dir / "missing", resolved), ENOENT);
}
#endif

TEST(SystemFiles, CreateWriteReplaceAndReadBack) {
    TempDir dir;
    const std::string target = dir.write("Module1.bas", "old");
    const std::string temp = dir / "Module1.bas.tmp";
    {
        OpenFile file;
        ASSERT_EQ(file.createNew(temp), 0);
        EXPECT_EQ(file.writeAll("new text"), 0);
        EXPECT_EQ(file.flushToDisk(), 0);
        EXPECT_EQ(file.close(), 0);
        EXPECT_FALSE(file.isOpen());
        EXPECT_EQ(file.close(), 0);  // a second close does nothing
    }
    OpenFile again;
    EXPECT_EQ(again.createNew(temp), EEXIST);
    EXPECT_EQ(again.createNew(dir / "no/such/folder/x"), ENOENT);

    ASSERT_EQ(replaceFile(temp, target), 0);
    EXPECT_FALSE(fs::exists(temp));
    OpenFile reader;
    ASSERT_EQ(reader.openToRead(target), 0);
    EntryFacts facts;
    ASSERT_EQ(reader.lookAt(facts), 0);
    EXPECT_EQ(facts.length, 8);
    char bytes[32];
    EXPECT_EQ(reader.readSome(bytes, sizeof bytes), 8);
    EXPECT_EQ(std::string(bytes, 8), "new text");
    EXPECT_EQ(reader.readSome(bytes, sizeof bytes), 0);

    // Windows removes a file's name only when the last handle to it is closed.
    EXPECT_EQ(reader.close(), 0);
    removeFile(target);
    EXPECT_FALSE(fs::exists(target));
    EXPECT_EQ(reader.openToRead(target), ENOENT);
}

#ifndef _WIN32  // Windows keeps a read-only flag, not permission bits
TEST(SystemFiles, TheSavedFileTakesOverTheOldPermissions) {
    TempDir dir;
    const std::string old = dir.write("Form1.frm", "old");
    ::chmod(old.c_str(), 0640);
    EntryFacts facts;
    ASSERT_EQ(lookAt(old, facts), 0);
    EXPECT_EQ(facts.mode, 0640u);
    OpenFile file;
    ASSERT_EQ(file.createNew(dir / "Form1.frm.tmp"), 0);
    file.takeOverAccess(facts);
    file.close();
    EntryFacts saved;
    ASSERT_EQ(lookAt(dir / "Form1.frm.tmp", saved), 0);
    EXPECT_EQ(saved.mode, 0640u);
}
#endif

}  // namespace

}  // namespace tally::sys
