#include "core/project/FolderEntries.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "core/os/FileFacts.h"
#include "core/text/CharacterLayout.h"
#include "core/text/Windows1252.h"

namespace tally {

namespace fs = std::filesystem;

namespace {

unsigned char foldByte(unsigned char c) {
    if (c >= 'A' && c <= 'Z') return static_cast<unsigned char>(c + 32);
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return static_cast<unsigned char>(c + 32);
    switch (c) {
        case 0x8A: return 0x9A;  // Š
        case 0x8C: return 0x9C;  // Œ
        case 0x8E: return 0x9E;  // Ž
        case 0x9F: return 0xFF;  // Ÿ
        default: return c;
    }
}

// The folded keys under which a directory entry can be meant: its bytes, and its text read as UTF-8
// and written in Windows-1252 when every character has a place there. A project in a double-byte
// page names no file in Windows-1252 bytes, so there the bytes are the only key.
void forEachKeyOfDiskName(std::string_view diskName, int codePage, auto&& visit) {
    std::string raw = foldedFileName(diskName, codePage);
    visit(raw);
    if (isDoubleByteCodePage(codePage)) return;
    const bool ascii = std::all_of(diskName.begin(), diskName.end(), [](char c) { return (c & 0x80) == 0; });
    if (ascii || !isValidUtf8(diskName)) return;
    std::string ansi = utf8ToWindows1252(diskName);
    if (std::count(ansi.begin(), ansi.end(), '?') != std::count(diskName.begin(), diskName.end(), '?')) return;
    std::string key = foldedFileName(ansi);
    if (key != raw) visit(key);
}

}  // namespace

std::string foldedFileName(std::string_view name, int codePage) {
    std::string out(name);
    if (!isDoubleByteCodePage(codePage)) {
        for (char& c : out) c = static_cast<char>(foldByte(static_cast<unsigned char>(c)));
        return out;
    }
    for (std::size_t i = 0; i < out.size();) {
        const std::size_t length = characterLength(name, i, codePage);
        if (length == 1 && out[i] >= 'A' && out[i] <= 'Z') out[i] = static_cast<char>(out[i] + 32);
        i += length;
    }
    return out;
}

bool sameFileName(std::string_view projectName, std::string_view diskName, int codePage) {
    const std::string wanted = foldedFileName(projectName, codePage);
    bool same = false;
    forEachKeyOfDiskName(diskName, codePage, [&](const std::string& key) { same = same || key == wanted; });
    return same;
}

const FolderEntries::Listing& FolderEntries::listingOf(const std::string& folder) {
    auto [it, added] = m_folders.try_emplace(folder);
    if (!added) return it->second;
    Listing& listing = it->second;
    std::error_code ec;
    fs::directory_iterator entries(fs::path(folder.empty() ? std::string(".") : folder), ec);
    if (ec) return listing;
    for (fs::directory_iterator end; entries != end; entries.increment(ec)) {
        std::string name = entries->path().filename().string();
        forEachKeyOfDiskName(name, m_codePage, [&](const std::string& key) {
            auto [slot, fresh] = listing.byFoldedName.try_emplace(key, name);
            if (!fresh && name < slot->second) slot->second = name;
        });
        listing.names.insert(std::move(name));
    }
    if (ec) {
        listing.names.clear();
        listing.byFoldedName.clear();
        return listing;
    }
    listing.listed = true;
    return listing;
}

std::optional<std::string> FolderEntries::entryOf(const std::string& folder, std::string_view name) {
    const Listing& listing = listingOf(folder);
    if (!listing.listed) return std::nullopt;
    if (listing.names.count(std::string(name))) return std::string(name);
    auto found = listing.byFoldedName.find(foldedFileName(name, m_codePage));
    return found == listing.byFoldedName.end() ? std::string() : found->second;
}

std::string FolderEntries::spelledOnDisk(std::string_view path) {
    // Only a plain absolute path is split at its last "/"; anything else is left to the disk.
    if (path.empty() || path.front() != '/' ||
        path.find_first_of(std::string_view("\\\0", 2)) != std::string_view::npos)
        return std::string(path);
    std::size_t slash = path.rfind('/');
    std::string_view name = path.substr(slash + 1);
    if (name.empty() || name == "." || name == "..") return std::string(path);
    const std::string folder(path.substr(0, slash == 0 ? 1 : slash));
    std::optional<std::string> entry = entryOf(folder, name);
    if (!entry) return std::string(path);
    if (entry->empty()) return {};
    return std::string(path.substr(0, slash + 1)) + *entry;
}

bool fileExists(FolderEntries& folders, std::string_view path) {
    const std::string found = folders.spelledOnDisk(path);
    return !found.empty() && fileExists(found);
}

}  // namespace tally
