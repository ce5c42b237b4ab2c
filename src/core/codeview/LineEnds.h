#pragma once
// The line-end convention of a source file. The code view works on text whose lines end in CR LF;
// a file that uses LF or CR alone is converted on loading and converted back on saving, so its
// bytes survive an edit untouched outside the edited lines.

#include <string>
#include <string_view>

namespace tally {

enum class LineEnd { CrLf, Lf, Cr };

// The convention of the file's first line end; CR LF for a text without any.
LineEnd detectLineEnd(std::string_view bytes);
// The text with the file's line ends turned into CR LF. A CR LF file is taken as it is; in an LF
// file each LF not preceded by CR gains one, in a CR file each CR not followed by LF gains one.
std::string toCrLfText(std::string_view bytes, LineEnd lineEnd);
// The reverse of toCrLfText: every CR LF becomes the file's own line end.
std::string fromCrLfText(std::string_view text, LineEnd lineEnd);

}  // namespace tally
