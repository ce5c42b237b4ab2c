#include "core/project/PeVersionResource.h"

#include <gtest/gtest.h>

#include "core/project/DiskVersionInfo.h"
#include "support/TempDir.h"
#include "support/TestPeFile.h"

namespace tally {

namespace {

using namespace testpe;

const VersionStrings kExpected = {"Quillmere Ltd", "Grid control", "6.0.81.69", "grid", "\xA9 Quillmere \x99 ?",
                                  "GRID.OCX", "Grid", "6.00"};

}  // namespace

TEST(PeVersionResource, ReadsTheEightStringsOfAPe32AndAPe32PlusFile) {
    EXPECT_EQ(readPeVersionStrings(peFile(versionInfo({usTable()}))), kExpected);
    EXPECT_EQ(readPeVersionStrings(peFile(versionInfo({usTable()}), true)), kExpected);
}

TEST(PeVersionResource, TakesTheFirstStringTableAndLeavesMissingStringsEmpty) {
    std::string german = block(u"040704B0", 1, "", 0, {stringEntry(u"CompanyName", u"Quillmere GmbH")});
    std::string notATable = block(u"Comments", 1, "", 0, {stringEntry(u"CompanyName", u"wrong")});
    auto strings = readPeVersionStrings(peFile(versionInfo({notATable, german, usTable()})));
    ASSERT_TRUE(strings.has_value());
    EXPECT_EQ((*strings)[0], "Quillmere GmbH");
    for (std::size_t i = 1; i < strings->size(); ++i) EXPECT_EQ((*strings)[i], "") << i;
    // A string table without strings still counts as read.
    EXPECT_EQ(readPeVersionStrings(peFile(versionInfo({block(u"040904E4", 1, "", 0)}))), VersionStrings{});
}

TEST(PeVersionResource, NothingForFilesWithoutAVersionResource) {
    EXPECT_EQ(readPeVersionStrings(""), std::nullopt);
    EXPECT_EQ(readPeVersionStrings("Attribute VB_Name = \"Module1\"\r\n"), std::nullopt);
    EXPECT_EQ(readPeVersionStrings("MZ"), std::nullopt);
    EXPECT_EQ(readPeVersionStrings(peFile(block(u"NOT_VERSION_INFO", 0, "", 0))), std::nullopt);
    std::string noStrings = peFile(block(u"VS_VERSION_INFO", 0, std::string(52, '\0'), 52));
    EXPECT_EQ(readPeVersionStrings(noStrings), std::nullopt);
}

TEST(PeVersionResource, EveryTruncationAndEveryCorruptedByteIsSafe) {
    std::string good = peFile(versionInfo({usTable()}));
    for (std::size_t length = 0; length < good.size(); ++length) {
        auto strings = readPeVersionStrings(std::string_view(good).substr(0, length));
        if (strings) {  // cut inside the last strings: what was read is right
            for (std::size_t i = 0; i < strings->size(); ++i)
                EXPECT_EQ(kExpected[i].rfind((*strings)[i], 0), 0u) << length << " " << i;
        }
    }
    for (std::size_t i = 0; i < good.size(); ++i) {
        for (char value : {'\xFF', '\0', '\x80'}) {
            std::string bad = good;
            bad[i] = value;
            (void)readPeVersionStrings(bad);
        }
    }
    SUCCEED();
}

TEST(PeVersionResource, LoopsAndHugeCountsInTheResourceTreeEnd) {
    std::string good = peFile(versionInfo({usTable()}));
    std::string loop = good;
    Writer w{loop};
    w.put32(0x400 + 0x20 + 16 + 4, 0x80000000u);  // the names directory leads back to the root
    EXPECT_EQ(readPeVersionStrings(w.bytes), std::nullopt);
    Writer many{good.substr(0, 0x400 + 0x20)};
    many.bytes[0x400 + 14] = '\xFF', many.bytes[0x400 + 15] = '\xFF';  // 65,535 entries, two present
    many.bytes[0x400 + 12] = '\xFF', many.bytes[0x400 + 13] = '\xFF';
    EXPECT_EQ(readPeVersionStrings(many.bytes), std::nullopt);
    Writer sections{good};
    sections.bytes[0x84 + 2] = '\xFF', sections.bytes[0x84 + 3] = '\xFF';  // 65,535 sections
    EXPECT_EQ(readPeVersionStrings(sections.bytes), std::nullopt);
}

TEST(DiskVersionInfo, ReadsRegularFilesAndNothingElse) {
    TempDir dir;
    std::string ocx = dir.write("GRID.OCX", peFile(versionInfo({usTable()})));
    DiskVersionInfo disk;
    EXPECT_EQ(disk.versionStrings(ocx), kExpected);
    EXPECT_EQ(disk.fileVersion(ocx), "6.0.81.69");
    EXPECT_EQ(disk.versionStrings(dir / "missing.dll"), VersionStrings{});
    EXPECT_EQ(disk.versionStrings(dir.path()), VersionStrings{});
    EXPECT_EQ(disk.fileVersion(dir.write("notes.txt", "just text")), "");
}

}  // namespace tally
