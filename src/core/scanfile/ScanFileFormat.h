#pragma once
// The fixed texts of a Project Scan File: its version lines and the keywords of its nine sections,
// in the order in which they follow one another.

#include <array>
#include <cstdint>
#include <string_view>

namespace tally {

inline constexpr std::string_view kScanVersion1 = "Version 1.0";
inline constexpr std::string_view kScanVersion2 = "Version 2.0";
inline constexpr std::string_view kScanLineEnd = "\r\n";

// The largest scan file read, and so the largest written. A scan file repeats the caller list of
// every routine in full, so a project with a few names declared in hundreds of files saves far more
// bytes than its sources hold (a 420k-line project of the photo-editor kind writes about 360 MB); a
// file the program wrote must open again.
inline constexpr std::int64_t kLargestScanFile = std::int64_t{4} << 30;

// The sections; each is opened by "Begin <name> <count>" and closed by "End <name>".
enum class ScanSection { Types, Project, Files, Subs, Controls, DecVar, UnVar, PubVar, Spell };

inline constexpr std::array<std::string_view, 9> kScanSectionNames = {
    "Types", "Project", "Files", "Subs", "Controls", "DecVar", "UnVar", "PubVar", "Spell"};

constexpr std::string_view scanSectionName(ScanSection section) {
    return kScanSectionNames[static_cast<std::size_t>(section)];
}

}  // namespace tally
