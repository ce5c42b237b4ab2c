#pragma once
// "Version of" for the libraries a project names (Object= lines, Declare ... Lib): a name with a
// folder is looked up where it says, a bare name in the system folder and then the Windows folder
// (with ".dll" added when it has no extension, as Windows loads it), each through the server files
// of this machine, so that under Wine the prefix's own DLLs answer. Answers are remembered by
// name: the same library is named in every form of a project, and the passes may ask from several
// threads.

#include <mutex>
#include <string>
#include <string_view>
#include <unordered_map>

#include "core/project/DiskVersionInfo.h"
#include "core/project/FileVersion.h"
#include "core/registry/InstalledObjects.h"

namespace tally {

class ServerFileVersions final : public FileVersionSource {
public:
    ServerFileVersions(const ServerFiles& files, ObjectFolders folders) : m_files(files), m_folders(std::move(folders)) {}
    std::string fileVersion(std::string_view file) const override;
    // The disk path the name stands for; empty when it is not there.
    std::string locate(std::string_view file) const;

private:
    const ServerFiles& m_files;
    ObjectFolders m_folders;
    DiskVersionInfo m_versions;
    mutable std::mutex m_lock;
    mutable std::unordered_map<std::string, std::string> m_known;  // lower-cased name -> version
};

}  // namespace tally
