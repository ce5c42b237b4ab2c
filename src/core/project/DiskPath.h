#pragma once
// Finding on this system's disk the files a project names. Project files come from Windows, where
// names ignore case: "Form=FRMMAIN.FRM" names frmMain.frm, "..\Shared\X.bas" names ../shared/x.bas.

#include <string>
#include <string_view>

#include "core/os/FileFacts.h"
#include "core/project/FolderEntries.h"

namespace tally {

// The path as the disk spells it: unchanged when it exists exactly; otherwise rebuilt component by
// component from the directory entries that `sameFileName` accepts for names in `codePage`. A
// network path ("\\server\...") and a path with a component that cannot be found come back unchanged.
std::string resolveOnDisk(std::string_view path, int codePage = kCodePageWestern);

// The full native path of a project-file text: the lexical join with the project directory with its
// "." and "x/.." steps folded away, then the disk's spelling when the disk has the file under
// another case. When `status` is given it receives what the disk says about the returned path (for
// a path found as spelled, from the same look that found it). `folders` keeps the folder listings
// from one member to the next and compares names in its code page (Windows-1252 without one).
std::string resolveMemberPath(std::string_view projectDir, std::string_view fileText,
                              PathStatus* status = nullptr, FolderEntries* folders = nullptr);

}  // namespace tally
