#pragma once
// Path texts as project files write them. Project-file texts separate with "\" (and sometimes "/");
// native paths on this system use "/". A split accepts both separators in a project-file text, but
// in a native path (one holding a "/") a "\" after the last "/" is a byte of the name: names here may
// hold it, and resolveProjectText leaves the 0x5C that is the trail byte of a Japanese or Chinese
// character ("表" is 0x95 0x5C in Shift-JIS) in place.

#include <string>
#include <string_view>

#include "core/text/TextCodec.h"

namespace tally {

inline constexpr char kNativeSeparator = '/';
// Whether "C:\" starts a path of its own (on Windows) or is only a folder name.
#ifdef _WIN32
inline constexpr bool kDriveLettersAreRoots = true;
#else
inline constexpr bool kDriveLettersAreRoots = false;
#endif

bool isSeparator(char c);
// The text before the last separator; the whole text when there is none; empty for an empty path.
std::string directoryOf(std::string_view path);
// The text after the last separator; the whole text when there is none.
std::string fileNameOf(std::string_view path);
// The same name as a view of `path`.
std::string_view fileNameViewOf(std::string_view path);
// The text with a native separator appended unless it already ends in a separator (a "\" ends a
// native path as a byte of its name); "" gives "/".
std::string ensureTrailingSeparator(std::string_view path);
// Trimmed, then without one leading and one trailing double quote where present.
std::string unquote(std::string_view text);
// Joins a project-file text to the project directory: a network path ("\\server\share", "\\?\...")
// is kept as it is, and so is a drive path ("D:\x.bas") on Windows; each leading "..\" climbs one
// folder; the text's separators become native (a native directory keeps its bytes). The result is
// lexical: it does not look at the disk. In a double-byte `codePage`, a 0x5C that is the trail byte
// of a character is not a separator.
std::string resolveProjectText(std::string_view projectDir, std::string_view fileText,
                               int codePage = kCodePageWestern);
// The path up to its last "." followed by ".frx" (the companion of a form-like file).
std::string frxPathOf(std::string_view path);

}  // namespace tally
