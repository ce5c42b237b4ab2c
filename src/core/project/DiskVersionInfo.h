#pragma once
// Version strings read from the files on disk, through the bounded reads of core/os.

#include <cstdint>

#include "core/project/FileVersion.h"
#include "core/project/VersionInfo.h"

namespace tally {

// Program files larger than this are not read for their version (the largest system DLLs are far
// smaller).
inline constexpr std::int64_t kLargestVersionedFile = std::int64_t{64} << 20;

class DiskVersionInfo final : public VersionInfoSource, public FileVersionSource {
public:
    // All empty when the path is not a regular file of at most kLargestVersionedFile bytes or holds
    // no version resource.
    VersionStrings versionStrings(std::string_view path) const override;
    // The "FileVersion" string alone.
    std::string fileVersion(std::string_view path) const override;
};

}  // namespace tally
