#pragma once
// The fixed texts of a Project Scan File: its version lines and the keywords of its nine sections,
// in the order in which they follow one another.

#include <array>
#include <string_view>

namespace tally {

inline constexpr std::string_view kScanVersion1 = "Version 1.0";
inline constexpr std::string_view kScanVersion2 = "Version 2.0";
inline constexpr std::string_view kScanLineEnd = "\r\n";

// The sections; each is opened by "Begin <name> <count>" and closed by "End <name>".
enum class ScanSection { Types, Project, Files, Subs, Controls, DecVar, UnVar, PubVar, Spell };

inline constexpr std::array<std::string_view, 9> kScanSectionNames = {
    "Types", "Project", "Files", "Subs", "Controls", "DecVar", "UnVar", "PubVar", "Spell"};

constexpr std::string_view scanSectionName(ScanSection section) {
    return kScanSectionNames[static_cast<std::size_t>(section)];
}

}  // namespace tally
