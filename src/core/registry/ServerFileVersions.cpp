#include "core/registry/ServerFileVersions.h"

#include "core/text/TextOps.h"

namespace tally {

namespace {

bool hasFolder(std::string_view name) {
    return name.find_first_of("\\/:") != std::string_view::npos;
}

bool hasExtension(std::string_view name) {
    return name.find('.') != std::string_view::npos;
}

}  // namespace

std::string ServerFileVersions::locate(std::string_view file) const {
    if (file.empty()) return {};
    if (hasFolder(file)) return m_files.find(file);
    std::string name(file);
    if (!hasExtension(name)) name += ".dll";
    for (const std::string* folder : {&m_folders.systemDir, &m_folders.windowsDir}) {
        if (folder->empty()) continue;
        if (std::string found = m_files.find(*folder + name); !found.empty()) return found;
    }
    return {};
}

std::string ServerFileVersions::fileVersion(std::string_view file) const {
    const std::string name = toLower(file);
    {
        std::lock_guard<std::mutex> held(m_lock);
        if (auto known = m_known.find(name); known != m_known.end()) return known->second;
    }
    const std::string path = locate(file);
    std::string version = path.empty() ? std::string() : m_versions.fileVersion(path);
    std::lock_guard<std::mutex> held(m_lock);
    return m_known.emplace(name, std::move(version)).first->second;
}

}  // namespace tally
