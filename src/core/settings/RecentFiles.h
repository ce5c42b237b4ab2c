#pragma once
// The recent files list of the Project menu: the four files opened last, kept in the settings
// key's "MRUList" as values "1" (the newest) to "4"; an empty string marks an empty place.

#include <array>
#include <string>
#include <string_view>

#include "core/registry/RegistryStore.h"

namespace tally {

inline constexpr int kRecentFileCount = 4;

using RecentFiles = std::array<std::string, kRecentFileCount>;  // [0] is value "1"

// LoadMRU's reading: a place whose text is blank after trimming is empty.
RecentFiles loadRecentFiles(const RegistryStore& store);

// AddToMRU: puts `path` first and moves the others down, dropping the fourth. A path already
// listed (exactly, case and all) keeps its place and nothing is written. `shown` is the list as
// the menu shows it. True when the list changed.
bool addRecentFile(RegistryStore& store, const RecentFiles& shown, std::string_view path);

// The entry's caption: the file name without its folder.
std::string recentFileCaption(std::string_view path);

// What a recent file is, by the last three characters of its path in lower case.
enum class RecentFileKind { Project, ScanFile, Other };
RecentFileKind recentFileKind(std::string_view path);

}  // namespace tally
