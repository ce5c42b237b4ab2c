#pragma once
// What the disk says about a file named in a project: whether it exists, its length and date.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tally {

// True when the path names an existing regular file (or a link to one).
bool fileExists(std::string_view path);
// The file's length in bytes; 0 when it cannot be read.
std::int64_t fileLength(std::string_view path);
// The file's last-modified time as an OLE date in local time; 0 (the zero date) when unknown.
double fileModifiedOle(std::string_view path);
// The whole file as bytes; nothing when it cannot be opened or read.
std::optional<std::string> readFileBytes(std::string_view path);

}  // namespace tally
