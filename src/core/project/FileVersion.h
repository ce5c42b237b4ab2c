#pragma once
// Where the version of a library or DLL comes from. The project reader and the declaration pass ask
// it for the "FileVersion" text of a file named in the project.

#include <string>
#include <string_view>

namespace tally {

class FileVersionSource {
public:
    virtual ~FileVersionSource() = default;
    // The file's "FileVersion" resource text; empty when the file or its version resource is missing.
    virtual std::string fileVersion(std::string_view file) const = 0;
};

// Knows no versions: every library shows the version written in the project file instead.
class NoFileVersions final : public FileVersionSource {
public:
    std::string fileVersion(std::string_view) const override { return {}; }
};

}  // namespace tally
