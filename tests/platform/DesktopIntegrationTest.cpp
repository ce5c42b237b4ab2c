// The freedesktop .psf association in a temporary data folder, and the machine facts the About
// box reads from /proc.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>
#include <sstream>

#include "core/os/SafeFileWriter.h"
#include "platform/desktop/FreedesktopAssociation.h"
#include "platform/desktop/MachineFacts.h"
#include "support/TempDir.h"

namespace tally {

namespace {

std::string executable(const TempDir& dir, const std::string& name) {
    std::string path = dir.write(name, "#!/bin/sh\nexit 0\n");
    ::chmod(path.c_str(), 0755);
    return path;
}

}  // namespace

TEST(FreedesktopAssociation, WritesTheMimeTypeAndTheDesktopEntryThenUpdatesTheCaches) {
    TempDir dir;
    std::vector<std::vector<std::string>> ran;
    FreedesktopAssociation association(dir / "data", [&ran](const std::vector<std::string>& argv) { ran.push_back(argv); });
    EXPECT_FALSE(association.present());

    const std::string program = executable(dir, "bin/tallyscan6");
    ASSERT_TRUE(association.write(program));
    EXPECT_TRUE(association.present());
    // What the texts hold is pinned by the installed files below.
    EXPECT_EQ(dir.read("data/mime/packages/tallyscan6.xml"), scanMimePackage());
    EXPECT_EQ(dir.read("data/applications/tallyscan6.desktop"), scanDesktopEntry(program));
    ASSERT_EQ(ran.size(), 2u);
    EXPECT_EQ(ran[0], (std::vector<std::string>{"update-mime-database", dir / "data/mime"}));
    EXPECT_EQ(ran[1], (std::vector<std::string>{"update-desktop-database", dir / "data/applications"}));

    // An entry whose program has gone (the program moved) is no association any more.
    FreedesktopAssociation moved(dir / "data", [](const std::vector<std::string>&) {});
    ASSERT_TRUE(moved.write(dir / "bin/gone"));
    EXPECT_FALSE(moved.present());
}

// A write of either file that fails at any step leaves both files as they were before it, and the
// desktop's caches are not updated for a half-written association.
TEST(FreedesktopAssociation, AFailedWriteAtAnyStepKeepsTheFilesThereWere) {
    TempDir dir;
    const std::string program = executable(dir, "bin/tallyscan6");
    const std::string mime = "data/mime/packages/tallyscan6.xml";
    const std::string entry = "data/applications/tallyscan6.desktop";
    for (SafeWriteStep step : {SafeWriteStep::CreateTemporary, SafeWriteStep::Write, SafeWriteStep::Flush,
                               SafeWriteStep::Close, SafeWriteStep::Replace}) {
        SCOPED_TRACE(static_cast<int>(step));
        dir.write(mime, "old mime");
        dir.write(entry, "old entry");
        int updates = 0;
        FreedesktopAssociation association(dir / "data", [&updates](const std::vector<std::string>&) { ++updates; });
        failNextSafeWrite(step, ENOSPC);
        EXPECT_FALSE(association.write(program));
        EXPECT_EQ(dir.read(mime), "old mime");
        EXPECT_EQ(dir.read(entry), "old entry") << "the second file is not written after the first failed";
        EXPECT_EQ(updates, 0);
    }
    // The fault is spent: the next write goes through.
    FreedesktopAssociation association(dir / "data", [](const std::vector<std::string>&) {});
    EXPECT_TRUE(association.write(program));
    EXPECT_NE(dir.read(entry), "old entry");
}

TEST(FreedesktopAssociation, AProgramPathWithSpacesAndQuotesIsQuotedForTheExecKey) {
    TempDir dir;
    const std::string program = executable(dir, "My Tools/tally \"6\"");
    EXPECT_NE(scanDesktopEntry(program).find("Exec=\"" + (dir / "My Tools/tally \\\"6\\\"") + "\" %f\n"),
              std::string::npos);
    FreedesktopAssociation association(dir / "data", [](const std::vector<std::string>&) {});
    ASSERT_TRUE(association.write(program));
    EXPECT_TRUE(association.present());
    // Without a data folder there is nowhere to write.
    EXPECT_FALSE(FreedesktopAssociation("", [](const std::vector<std::string>&) {}).write(program));
    EXPECT_EQ(userDataHome("/x/data", "/home/ann"), "/x/data");
    EXPECT_EQ(userDataHome("relative", "/home/ann"), "/home/ann/.local/share");
    EXPECT_EQ(userDataHome("", ""), "");
}

TEST(FreedesktopAssociation, TheInstalledFilesAreTheOnesTheProgramWrites) {
    // cmake --install puts packaging/'s files where a package installs them; they must say what the
    // program writes for one user, or the two would open scan files differently.
    TempDir none;
    const std::string packaging = std::string(TALLY_SOURCE_DIR) + "/packaging/";
    auto read = [](const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream bytes;
        bytes << in.rdbuf();
        return bytes.str();
    };
    EXPECT_EQ(read(packaging + "tallyscan6-mime.xml"), scanMimePackage());
    EXPECT_EQ(read(packaging + "tallyscan6.desktop"), scanDesktopEntry("tallyscan6"));
}

TEST(MachineFacts, MemoryAndProcessorFromProcFiles) {
    MemoryFigures figures = memoryFiguresFromMeminfo(
        "MemTotal:       24576000 kB\nMemFree:         1000000 kB\nMemAvailable:   12000000 kB\n");
    EXPECT_EQ(figures.totalBytes, 24576000ull * 1024);
    EXPECT_EQ(figures.freeBytes, 12000000ull * 1024);
    EXPECT_EQ(memoryFiguresFromMeminfo("MemTotal: 100 kB\nMemFree: 40 kB\n").freeBytes, 40ull * 1024);
    EXPECT_EQ(memoryFiguresFromMeminfo("garbage").totalBytes, 0u);
    EXPECT_EQ(processorFromCpuinfo("processor\t: 0\nvendor_id\t: GenuineIntel\nmodel name\t: Intel(R) Xeon(R) CPU\n"),
              "Intel(R) Xeon(R) CPU");
    EXPECT_EQ(processorFromCpuinfo("Processor\t: ARMv7 Processor rev 4 (v7l)\n"), "ARMv7 Processor rev 4 (v7l)");
    // This machine answers with something.
    EXPECT_GT(memoryFigures().totalBytes, 0u);
}

}  // namespace tally
