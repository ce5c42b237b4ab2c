#pragma once
// Small PE files built in memory for the version resource tests: a DOS stub, PE32 or PE32+ headers,
// and one .rsrc section with an icon directory and a VS_VERSIONINFO.

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tally::testpe {

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
inline std::string block(std::u16string_view key, int type, std::string value, std::uint32_t valueLength,
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

inline std::string stringEntry(std::u16string_view name, std::u16string_view value) {
    Writer v;
    v.text16(value);
    return block(name, 1, v.bytes, static_cast<std::uint32_t>(value.size() + 1));
}

inline std::string versionInfo(const std::vector<std::string>& tables) {
    Writer fixed;
    fixed.u32(0xFEEF04BD);
    fixed.bytes.resize(52, '\0');
    Writer translation;
    translation.u16(0x0409);
    translation.u16(1252);
    std::string var = block(u"VarFileInfo", 1, "", 0, {block(u"Translation", 0, translation.bytes, 4)});
    return block(u"VS_VERSION_INFO", 0, fixed.bytes, 52, {var, block(u"StringFileInfo", 1, "", 0, tables)});
}

inline std::string usTable() {
    return block(u"040904B0", 1, "", 0,
                 {stringEntry(u"CompanyName", u"Quillmere Ltd"), stringEntry(u"FileDescription", u"Grid control"),
                  stringEntry(u"FileVersion", u"6.0.81.69"), stringEntry(u"InternalName", u"grid"),
                  stringEntry(u"LegalCopyright", u"\u00A9 Quillmere \u2122 \u4E2D"),
                  stringEntry(u"OriginalFilename", u"GRID.OCX"), stringEntry(u"ProductName", u"Grid"),
                  stringEntry(u"ProductVersion", u"6.00")});
}

// A PE file with one .rsrc section holding an icon directory and the version resource.
inline std::string peFile(const std::string& version, bool pe32Plus = false) {
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

}  // namespace tally::testpe
