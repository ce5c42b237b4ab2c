#pragma once
// The two kinds of zip run, each in its own file: storing files, and deleting entries.

#include <string>
#include <vector>

#include "core/archive/Archiver.h"
#include "platform/archive/ZipRunContext.h"

namespace tally::archive {

Outcome addFiles(const std::string& zipFile, const ZipOptions& options,
                 const std::vector<std::string>& patterns, ZipRunContext& context);

Outcome deleteEntries(const std::string& zipFile, const ZipOptions& options,
                      const std::vector<std::string>& patterns, ZipRunContext& context);

}  // namespace tally::archive
