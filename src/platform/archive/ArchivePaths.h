#pragma once
// Paths as the archiver handles them: absolute, tidied and with "/" between the names, so that
// folders can be compared and cut as text. Backslashes count as separators too: the paths come from
// VB6 projects, which write "Forms\frmMain.frm" on every system.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tally::archive {

// `path` with "/" for every backslash.
std::string withSlashes(std::string_view path);

// True for "/x", and on Windows also for "C:/x" and "//server/x".
bool isAbsolute(std::string_view path);

// `path` (slashes already turned) made absolute against `base` (the working folder when empty),
// with "." and ".." taken out and no closing "/" (the root stays "/").
std::string absoluteUnder(std::string_view path, std::string_view base);

// The folder part and the name part of a tidied path: "/a/b.frm" gives "/a" and "b.frm".
std::string folderOf(std::string_view path);
std::string nameOf(std::string_view path);

// The names between the slashes, empty ones dropped.
std::vector<std::string> componentsOf(std::string_view path);

// Two names of the file system the same? Exact on POSIX; on Windows without regard to ASCII case.
bool sameFileName(std::string_view a, std::string_view b);

// `path` below `folder` (both tidied and absolute) as a relative path, or nothing when it is not
// inside it. The folder itself gives nothing too: an entry needs a name.
std::optional<std::string> relativeInside(std::string_view path, std::string_view folder);

// The deepest folder holding every one of `paths` (tidied and absolute); "/" when they share
// nothing more, and empty when they do not even share a root (two drives on Windows).
std::string commonFolder(const std::vector<std::string>& paths);

// `path` with its root taken off ("/" or "C:/"), for a name that must not start with one.
std::string withoutRoot(std::string_view path);

}  // namespace tally::archive
