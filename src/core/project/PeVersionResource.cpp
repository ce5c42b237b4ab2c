#include "core/project/PeVersionResource.h"

#include <cstdint>
#include <string>

#include "core/text/Windows1252.h"

namespace tally {

namespace {

constexpr std::uint32_t kRtVersion = 16;
constexpr std::uint32_t kSubdirectoryBit = 0x80000000u;
// Windows loads at most 96 sections; later files go further, but never this far.
constexpr std::uint32_t kMostSections = 4096;
// A version block's length is a 16-bit count: no resource that matters is larger.
constexpr std::uint32_t kLargestVersionResource = 1u << 20;

// Little-endian reads that fail, instead of reading past the end, when the bytes are too short.
class Bytes {
public:
    explicit Bytes(std::string_view data) : m_data(data) {}
    std::size_t size() const { return m_data.size(); }
    bool has(std::uint64_t offset, std::uint64_t length) const {
        return offset <= m_data.size() && length <= m_data.size() - offset;
    }
    std::optional<std::uint32_t> u16(std::uint64_t offset) const { return read(offset, 2); }
    std::optional<std::uint32_t> u32(std::uint64_t offset) const { return read(offset, 4); }
    std::string_view slice(std::uint64_t offset, std::uint64_t length) const {
        return has(offset, length) ? m_data.substr(static_cast<std::size_t>(offset), static_cast<std::size_t>(length))
                                   : std::string_view();
    }

private:
    std::optional<std::uint32_t> read(std::uint64_t offset, int length) const {
        if (!has(offset, static_cast<std::uint64_t>(length))) return std::nullopt;
        std::uint32_t value = 0;
        for (int i = length - 1; i >= 0; --i)
            value = (value << 8) | static_cast<unsigned char>(m_data[static_cast<std::size_t>(offset) + i]);
        return value;
    }
    std::string_view m_data;
};

struct Section {
    std::uint32_t virtualAddress = 0, virtualSize = 0, rawSize = 0, rawOffset = 0;
};

struct PeLayout {
    std::uint32_t resourceRva = 0;
    std::uint64_t sectionTable = 0;
    std::uint32_t sectionCount = 0;
};

std::optional<PeLayout> peLayout(const Bytes& file) {
    if (file.slice(0, 2) != "MZ") return std::nullopt;
    auto pe = file.u32(0x3C);
    if (!pe || file.slice(*pe, 4) != std::string_view("PE\0\0", 4)) return std::nullopt;
    std::uint64_t coff = std::uint64_t{*pe} + 4;
    auto sections = file.u16(coff + 2);
    auto optionalSize = file.u16(coff + 16);
    std::uint64_t optional = coff + 20;
    auto magic = file.u16(optional);
    if (!sections || !optionalSize || !magic) return std::nullopt;
    std::uint64_t countAt = *magic == 0x10B ? 92 : *magic == 0x20B ? 108 : 0;
    if (countAt == 0) return std::nullopt;
    auto directories = file.u32(optional + countAt);
    // The resource table is data directory 2; it must lie inside the optional header.
    std::uint64_t resourceEntry = countAt + 4 + 2 * 8;
    if (!directories || *directories < 3 || resourceEntry + 8 > *optionalSize) return std::nullopt;
    auto rva = file.u32(optional + resourceEntry);
    if (!rva || *rva == 0 || *sections == 0 || *sections > kMostSections) return std::nullopt;
    return PeLayout{*rva, optional + *optionalSize, *sections};
}

// The file offset of a relative virtual address, through the section that holds it.
std::optional<std::uint64_t> fileOffsetOf(const Bytes& file, const PeLayout& layout, std::uint32_t rva) {
    for (std::uint32_t i = 0; i < layout.sectionCount; ++i) {
        std::uint64_t entry = layout.sectionTable + std::uint64_t{i} * 40;
        auto virtualSize = file.u32(entry + 8), address = file.u32(entry + 12);
        auto rawSize = file.u32(entry + 16), rawOffset = file.u32(entry + 20);
        if (!virtualSize || !address || !rawSize || !rawOffset) return std::nullopt;
        std::uint64_t span = *virtualSize > *rawSize ? *virtualSize : *rawSize;
        if (rva < *address || rva - *address >= span) continue;
        std::uint64_t into = rva - *address;
        if (into >= *rawSize) return std::nullopt;  // in the section's zero fill, not in the file
        return std::uint64_t{*rawOffset} + into;
    }
    return std::nullopt;
}

// The offset (from the resource table) of the entry a directory gives for `id`, or of its first
// entry when `id` is empty; with `wantDirectory` the entry must lead to a subdirectory.
std::optional<std::uint32_t> directoryEntry(const Bytes& file, std::uint64_t table, std::uint32_t directory,
                                            std::optional<std::uint32_t> id, bool wantDirectory) {
    auto named = file.u16(table + directory + 12), ids = file.u16(table + directory + 14);
    if (!named || !ids) return std::nullopt;
    std::uint32_t count = *named + *ids;
    for (std::uint32_t i = 0; i < count; ++i) {
        std::uint64_t entry = table + directory + 16 + std::uint64_t{i} * 8;
        auto name = file.u32(entry), target = file.u32(entry + 4);
        if (!name || !target) return std::nullopt;  // the table runs past the end: stop here
        if (id && (*name & kSubdirectoryBit || *name != *id)) continue;
        if (((*target & kSubdirectoryBit) != 0) != wantDirectory) return std::nullopt;
        return *target & ~kSubdirectoryBit;
    }
    return std::nullopt;
}

// The bytes of the first RT_VERSION resource: type 16, then its first name, then its first language.
std::string_view versionResource(const Bytes& file) {
    auto layout = peLayout(file);
    if (!layout) return {};
    auto table = fileOffsetOf(file, *layout, layout->resourceRva);
    if (!table) return {};
    auto names = directoryEntry(file, *table, 0, kRtVersion, true);
    auto languages = names ? directoryEntry(file, *table, *names, std::nullopt, true) : std::nullopt;
    auto data = languages ? directoryEntry(file, *table, *languages, std::nullopt, false) : std::nullopt;
    if (!data) return {};
    auto rva = file.u32(*table + *data), size = file.u32(*table + *data + 4);
    if (!rva || !size) return {};
    auto at = fileOffsetOf(file, *layout, *rva);
    if (!at) return {};
    std::uint32_t length = *size < kLargestVersionResource ? *size : kLargestVersionResource;
    if (!file.has(*at, length)) length = static_cast<std::uint32_t>(file.size() - *at);
    return file.slice(*at, length);
}

// One block of the version resource: wLength, wValueLength, wType, a UTF-16 key ending in 0,
// padding to four bytes, the value, padding, then child blocks up to wLength.
struct Block {
    std::size_t start = 0, end = 0;
    std::u16string key;
    std::size_t value = 0;  // where the value starts (after the key's padding)
    std::uint32_t valueLength = 0;
    std::uint32_t type = 0;
};

std::size_t alignFour(std::size_t offset) { return (offset + 3) & ~std::size_t{3}; }

std::optional<Block> blockAt(const Bytes& data, std::size_t start, std::size_t limit) {
    auto length = data.u16(start), valueLength = data.u16(start + 2), type = data.u16(start + 4);
    if (!length || !valueLength || !type || *length < 6 || start + *length > limit) return std::nullopt;
    Block block{start, start + *length, {}, 0, *valueLength, *type};
    std::size_t at = start + 6;
    for (;;) {
        if (at + 2 > block.end) return std::nullopt;
        auto unit = data.u16(at);
        at += 2;
        if (*unit == 0) break;
        block.key += static_cast<char16_t>(*unit);
    }
    block.value = alignFour(at);
    return block;
}

// Where the children of a block start: after its value (a text value counts in 16-bit units).
std::size_t childrenOf(const Block& block) {
    std::size_t valueBytes = block.type == 1 ? std::size_t{block.valueLength} * 2 : block.valueLength;
    std::size_t at = alignFour(block.value + valueBytes);
    return at < block.end ? at : block.end;
}

// The next sibling after a block; blocks are at least six bytes, so walking always moves on.
std::size_t nextBlock(const Block& block) { return alignFour(block.end); }

std::string toWindows1252(const Bytes& data, std::size_t from, std::size_t to) {
    std::string out;
    for (std::size_t at = from; at + 2 <= to; at += 2) {
        char32_t unit = *data.u16(at);
        if (unit == 0) break;
        if (unit >= 0xD800 && unit <= 0xDBFF && at + 4 <= to) {
            char32_t low = *data.u16(at + 2);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                at += 2;
                out += '?';  // beyond the BMP: never in Windows-1252
                continue;
            }
        }
        int byte = windows1252ByteOf(unit);
        out += byte < 0 ? '?' : static_cast<char>(byte);
    }
    return out;
}

bool isEightHexDigits(const std::u16string& key) {
    if (key.size() != 8) return false;
    for (char16_t c : key)
        if (!((c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F'))) return false;
    return true;
}

// Keys are looked up as Windows does, without regard to ASCII case: files spell the name
// "OriginalFilename" while the lookup asks for "OriginalFileName".
bool sameKey(const std::u16string& key, std::string_view name) {
    if (key.size() != name.size()) return false;
    for (std::size_t i = 0; i < key.size(); ++i) {
        char16_t a = key[i], b = static_cast<unsigned char>(name[i]);
        if (a >= u'A' && a <= u'Z') a = static_cast<char16_t>(a + 32);
        if (b >= u'A' && b <= u'Z') b = static_cast<char16_t>(b + 32);
        if (a != b) return false;
    }
    return true;
}

}  // namespace

std::optional<VersionStrings> readPeVersionStrings(std::string_view fileBytes) {
    Bytes file(fileBytes);
    Bytes data(versionResource(file));
    if (data.size() == 0) return std::nullopt;
    auto root = blockAt(data, 0, data.size());
    if (!root || root->key != u"VS_VERSION_INFO") return std::nullopt;
    VersionStrings strings;
    for (std::size_t at = childrenOf(*root); at < root->end;) {
        auto info = blockAt(data, at, root->end);
        if (!info) break;
        at = nextBlock(*info);
        if (info->key != u"StringFileInfo") continue;
        for (std::size_t t = childrenOf(*info); t < info->end;) {
            auto table = blockAt(data, t, info->end);
            if (!table) break;
            t = nextBlock(*table);
            if (!isEightHexDigits(table->key)) continue;
            for (std::size_t s = childrenOf(*table); s < table->end;) {
                auto entry = blockAt(data, s, table->end);
                if (!entry) break;
                s = nextBlock(*entry);
                for (std::size_t i = 0; i < kVersionStringNames.size(); ++i)
                    if (sameKey(entry->key, kVersionStringNames[i]) && strings[i].empty())
                        strings[i] = toWindows1252(data, entry->value, entry->end);
            }
            return strings;  // the first string table is the one that counts
        }
    }
    return std::nullopt;
}

}  // namespace tally
