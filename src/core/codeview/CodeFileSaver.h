#pragma once
// Writing an edited source file back to disk without ever losing the file that was there: the bytes
// go to a temporary file in the same folder, are flushed to the disk, and only then replace the
// original by a rename. When anything fails the original is left as it was.

#include <string>
#include <string_view>

#include "core/os/SafeFileWriter.h"
#include "core/codeview/LineEnds.h"

namespace tally {

// Replaces the file at `path` by `bytes` through a temporary file and a rename. A link is followed,
// so the link stays and its target gets the new bytes; the file keeps its permission bits. A file
// without any write permission (a read-only file) is refused, as the program always did; a
// hard-linked or another user's file only when `cautionsAgreed` (see codeSaveQuestion).
Outcome saveBytesAtomically(std::string_view path, std::string_view bytes,
                                    bool cautionsAgreed = false);

// Writes the code view's text (lines in CR LF) to `path` in the file's own line-end convention.
Outcome saveCodeText(std::string_view path, std::string_view text, LineEnd lineEnd,
                             bool cautionsAgreed = false);

// The question to ask before saving over `path` when the save would lose something (its hard links,
// its owner), ending "Save anyway?"; empty when there is nothing to ask.
std::string codeSaveQuestion(std::string_view path);

// "The following error occured while trying to save <path>", two line breaks, "<number> - <description>",
// and, when the writer gave one, two line breaks and the detail (the path and the system's reason).
std::string saveFailedMessage(std::string_view path, const Outcome& result);
// "An error was encountered writing to <path>", two line breaks, "<number> - <description>", and the
// detail as above.
std::string writeFailedMessage(std::string_view path, const Outcome& result);

}  // namespace tally
