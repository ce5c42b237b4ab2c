#include "core/os/WindowsFolders.h"

#include <cstdlib>
#include <filesystem>

#include "core/os/SystemFiles.h"

namespace tally {

namespace {

std::string folderIfThere(const std::string& path) {
    std::error_code error;
    return std::filesystem::is_directory(path, error) ? path : std::string();
}

}  // namespace

WindowsFolders wineWindowsFolders(const std::string& winePrefix, const std::string& home) {
    std::string prefix = !winePrefix.empty() ? winePrefix : home.empty() ? std::string() : home + "/.wine";
    if (prefix.empty()) return {};
    if (prefix.back() != '/') prefix += '/';
    return WindowsFolders{folderIfThere(prefix + "drive_c/windows/"), folderIfThere(prefix + "drive_c/windows/system32/")};
}

WindowsFolders systemWindowsFolders() {
    // On Windows itself the system says where its folders are.
    if (std::string windows = sys::windowsFolder(); !windows.empty()) return WindowsFolders{windows, sys::systemFolder()};
    const char* prefix = std::getenv("WINEPREFIX");
    const char* home = std::getenv("HOME");
    return wineWindowsFolders(prefix ? prefix : "", home ? home : "");
}

}  // namespace tally
