#pragma once
// The text conversion a zip run may apply to the bytes it stores: Windows line ends (CR LF) to Unix
// ones (LF) or back. It is applied to every file of the run; the caller asks for it only when the
// files are text.

#include <string>

namespace tally::archive {

enum class LineEndChange { None, CrLfToLf, LfToCrLf };

// The change the two options ask for. Asked both, CR LF wins: a lone LF gains its CR and a CR LF
// stays, which is what the two steps in a row would give, and no line end is lost.
LineEndChange lineEndChangeFor(bool crLfToLf, bool lfToCrLf);

// `bytes` with the change made; a CR not followed by LF, and an LF already after a CR, are kept.
std::string changeLineEnds(std::string bytes, LineEndChange change);

}  // namespace tally::archive
