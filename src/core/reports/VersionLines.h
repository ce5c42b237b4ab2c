#pragma once
// The lines the statistics report writes under an object or DLL: where the file is and what its
// version resource says.

#include <string>
#include <string_view>

#include "core/project/VersionInfo.h"
#include "core/reports/FindFile.h"
#include "core/reports/ReportSettings.h"

namespace tally {

// For each of the eight version strings that is not empty, in resource order: a tab, its label
// ("Company Name: ", ...), the value (Windows-1252, as the resource reader gives it, whatever the
// project's code page) as UTF-8 and escaped, and a line end.
std::string versionLines(std::string_view path, const VersionInfoSource& versions);

// A tab, "Path: ", the path the library was found at (empty when it was not) decoded with `codecs`
// and escaped, a line end, then the version lines of that path.
std::string pathLines(std::string_view name, const LibraryFolders& folders, const ReportFiles& files,
                      const VersionInfoSource& versions, const SourceCodecs& codecs = westernSourceCodecs());

}  // namespace tally
