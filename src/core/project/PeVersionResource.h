#pragma once
// Reads the version resource of a Windows program file (.exe, .dll, .ocx) from its bytes: MZ header,
// PE header, section table, resource directory, RT_VERSION, VS_VERSIONINFO, StringFileInfo and its
// first string table. Every offset and length is checked against the bytes, each level is a
// bounded loop (no recursion), so a truncated or hostile file gives nothing rather than a fault.

#include <optional>
#include <string_view>

#include "core/project/VersionInfo.h"

namespace tally {

// The eight strings of the first string table (the one whose key is a language and code page as
// eight hexadecimal digits), converted from UTF-16 to Windows-1252 ("?" for what it cannot hold);
// a string the table lacks is empty. Nothing when the bytes hold no readable version resource.
std::optional<VersionStrings> readPeVersionStrings(std::string_view file);

}  // namespace tally
