#include "core/registry/ServerFiles.h"

#include <cstdlib>

#include "core/os/FileFacts.h"
#include "core/os/SystemFiles.h"
#include "core/project/DiskPath.h"

namespace tally {

namespace {

bool isFolder(const std::string& path) {
    sys::EntryFacts facts;
    return sys::lookAt(path, facts) == 0 && facts.kind == sys::EntryKind::Directory;
}

char lowerLetter(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool isLetter(char c) {
    c = lowerLetter(c);
    return c >= 'a' && c <= 'z';
}

}  // namespace

DiskServerFiles::DiskServerFiles(std::string winePrefix) {
    if (!sys::windowsFolder().empty()) return;
    if (winePrefix.empty()) {
        if (const char* set = std::getenv("WINEPREFIX"); set && *set)
            winePrefix = set;
        else if (const char* home = std::getenv("HOME"); home && *home)
            winePrefix = std::string(home) + "/.wine";
    }
    if (!winePrefix.empty() && winePrefix.back() != '/') winePrefix.push_back('/');
    m_prefix = std::move(winePrefix);
}

std::string DiskServerFiles::driveFolder(char letter) const {
    if (m_prefix.empty() || !isLetter(letter)) return {};
    std::string device = m_prefix + "dosdevices/" + lowerLetter(letter) + ":";
    if (isFolder(device)) return device + "/";
    if (lowerLetter(letter) == 'c' && isFolder(m_prefix + "drive_c")) return m_prefix + "drive_c/";
    return {};
}

std::string DiskServerFiles::find(std::string_view path) const {
    if (path.empty()) return {};
    std::string native(path);
    if (!m_prefix.empty()) {
        if (path.size() >= 3 && isLetter(path[0]) && path[1] == ':' && (path[2] == '\\' || path[2] == '/')) {
            std::string folder = driveFolder(path[0]);
            if (folder.empty()) return {};
            native = folder + std::string(path.substr(3));
        }
        for (char& c : native)
            if (c == '\\') c = '/';
        native = resolveOnDisk(native);
    }
    return fileExists(native) ? native : std::string();
}

}  // namespace tally
