#include "core/project/PeVersionResource.h"

#include <gtest/gtest.h>

#include "core/project/DiskVersionInfo.h"
#include "support/TempDir.h"

namespace tally {

namespace {

// Little-endian bytes, written field by field as a linker would lay them out.
struct Writer {
    std::string bytes;
    void u16(std::uint32_t v) { bytes += static_cast<char>(v & 0xFF), bytes += static_cast<char>((v >> 8) & 0xFF); }
    void u32(std::uint32_t v) { u16(v & 0xFFFF), u16(v >> 16); }
    void text16(std::u16string_view s) {
        for (char16_t c : s) u16(c);
        u16(0);
    }
    void pad4() { bytes.resize((bytes.size() + 3) & ~std::size_t{3}, '\0'); }
    void at(std::size_t offset) { bytes.resize(std::max(bytes.size(), offset), '\0'); }
    void put32(std::size_t offset, std::uint32_t v) {
        for (int i = 0; i < 4; ++i) bytes[offset + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
    }
};

// One block of a version resource with its children; wLength covers the block without the padding
// that follows its last child.
std::string block(std::u16string_view key, int type, std::string value, std::uint32_t valueLength,
                  const std::vector<std::string>& children = {}) {
    Writer w;
    w.u16(0);
    w.u16(valueLength);
    w.u16(type);
    w.text16(key);
    w.pad4();
    w.bytes += value;
    for (const std::string& child : children) {
        w.pad4();
        w.bytes += child;
    }
    w.bytes[0] = static_cast<char>(w.bytes.size() & 0xFF);
    w.bytes[1] = static_cast<char>(w.bytes.size() >> 8);
    return w.bytes;
}

std::string stringEntry(std::u16string_view name, std::u16string_view value) {
    Writer v;
    v.text16(value);
    return block(name, 1, v.bytes, static_cast<std::uint32_t>(value.size() + 1));
}

std::string versionInfo(const std::vector<std::string>& tables) {
    Writer fixed;
    fixed.u32(0xFEEF04BD);
    fixed.bytes.resize(52, '\0');
    Writer translation;
    translation.u16(0x0409);
    translation.u16(1252);
    std::string var = block(u"VarFileInfo", 1, "", 0, {block(u"Translation", 0, translation.bytes, 4)});
    return block(u"VS_VERSION_INFO", 0, fixed.bytes, 52, {var, block(u"StringFileInfo", 1, "", 0, tables)});
}

std::string usTable() {
    return block(u"040904B0", 1, "", 0,
                 {stringEntry(u"CompanyName", u"Quillmere Ltd"), stringEntry(u"FileDescription", u"Grid control"),
                  stringEntry(u"FileVersion", u"6.0.81.69"), stringEntry(u"InternalName", u"grid"),
                  stringEntry(u"LegalCopyright", u"\u00A9 Quillmere \u2122 \u4E2D"),
                  stringEntry(u"OriginalFilename", u"GRID.OCX"), stringEntry(u"ProductName", u"Grid"),
                  stringEntry(u"ProductVersion", u"6.00")});
}

// A PE file with one .rsrc section holding an icon directory and the version resource.
std::string peFile(const std::string& version, bool pe32Plus = false) {
    Writer w;
    w.bytes = "MZ";
    w.at(0x3C);
    w.u32(0x80);
    w.at(0x80);
    w.bytes += std::string("PE\0\0", 4);
    std::uint32_t optionalSize = pe32Plus ? 240 : 224;
    w.u16(pe32Plus ? 0x8664 : 0x14C);
    w.u16(1);  // sections
    w.u32(0), w.u32(0), w.u32(0);
    w.u16(optionalSize);
    w.u16(0x2102);
    std::size_t optional = w.bytes.size();
    w.u16(pe32Plus ? 0x20B : 0x10B);
    w.at(optional + optionalSize);
    std::size_t directories = optional + (pe32Plus ? 112 : 96);
    w.put32(directories - 4, 16);
    // Section table: .rsrc at RVA 0x2000, raw data at 0x400.
    w.bytes += std::string(".rsrc\0\0\0", 8);
    std::size_t sectionSizes = w.bytes.size();
    w.u32(0), w.u32(0x2000), w.u32(0), w.u32(0x400);
    w.at(sectionSizes + 32);
    // The resource tree: types (icon 3, version 16), names, languages, the data entry, the data.
    w.at(0x400);
    auto directory = [&](std::vector<std::pair<std::uint32_t, std::uint32_t>> entries) {
        w.u32(0), w.u32(0), w.u16(0), w.u16(0), w.u16(0), w.u16(static_cast<std::uint32_t>(entries.size()));
        for (auto [id, target] : entries) w.u32(id), w.u32(target);
    };
    directory({{3, 0x80000000u | 0x20}, {16, 0x80000000u | 0x20}});  // 0x00, 32 bytes
    directory({{1, 0x80000000u | 0x38}});                             // 0x20
    directory({{0x409, 0x50}});                                       // 0x38
    w.u32(0x2000 + 0x60), w.u32(static_cast<std::uint32_t>(version.size())), w.u32(0), w.u32(0);  // 0x50
    w.at(0x400 + 0x60);
    w.bytes += version;
    std::uint32_t rawSize = static_cast<std::uint32_t>(w.bytes.size() - 0x400);
    w.put32(sectionSizes, rawSize);
    w.put32(sectionSizes + 8, rawSize);
    w.put32(directories + 16, 0x2000);
    w.put32(directories + 20, rawSize);
    return w.bytes;
}

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
