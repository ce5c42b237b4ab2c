#include "core/project/DiskVersionInfo.h"

#include "core/os/RegularFile.h"
#include "core/project/PeVersionResource.h"

namespace tally {

VersionStrings DiskVersionInfo::versionStrings(std::string_view path) const {
    FileRead read = readRegularFile(path, kLargestVersionedFile);
    if (!read.bytes) return {};
    return readPeVersionStrings(*read.bytes).value_or(VersionStrings{});
}

std::string DiskVersionInfo::fileVersion(std::string_view path) const { return versionStrings(path)[2]; }

}  // namespace tally
