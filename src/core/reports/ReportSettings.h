#pragma once
// What a report needs besides the model: the codecs its project texts are read with, the time it is
// made, the locales of its dates and numbers, the font its columns are measured in, what the disk
// holds, and, for the statistics report, where libraries are looked for and how their version
// strings are read.

#include <optional>
#include <string>
#include <string_view>

#include "core/project/VersionInfo.h"
#include "core/reports/ReportDates.h"
#include "core/reports/ReportFiles.h"
#include "core/reports/TextWidth.h"
#include "core/text/NumberFormat.h"
#include "core/text/SourceCodecs.h"

namespace tally {

// Shown instead of a report that would have no section at all.
inline constexpr std::string_view kNothingToReport = "No changes were made. Nothing to report.";

// Windows-1252 for every file: the codecs of a report whose maker names none.
inline const SourceCodecs& westernSourceCodecs() {
    static const SourceCodecs codecs;
    return codecs;
}

struct ReportSettings {
    const ReportFiles& files;
    const VersionInfoSource& versions;
    // The model keeps the files' bytes; every name, caption and path is decoded with these before
    // it is escaped, measured or written.
    const SourceCodecs& codecs = westernSourceCodecs();
    double now = 0;  // OLE date of the report's title line
    DateLocale dates{};
    NumberLocale numbers{};
    TextWidth width{};
    // The Windows and system folders, each ending in a separator; empty when this system has none.
    std::string windowsDir{};
    std::string systemDir{};
};

// A report's RTF document, or nothing when there is nothing to report.
using ReportDocument = std::optional<std::string>;

}  // namespace tally
