#pragma once
// Reading one member's lines through the declaration pass, on whichever state the pass gives: its
// own as it goes from file to file, or one of a file read ahead of its turn on another thread.

#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/os/FileFacts.h"
#include "core/parser/DeclarationState.h"
#include "core/support/ParseProgress.h"
#include "core/support/SourceTextCache.h"

namespace tally {

// How a member's lines are read.
struct LineReading {
    // Where each line's characters are reported as they are read; none for a file read ahead, or
    // read again once the progress of its lines was reported.
    ParseProgress* progress = nullptr;
    // Whether a cancel stops the reading before the next line.
    bool stopOnCancel = true;
    // The physical lines to read at most: those read before a cancel when the file is read again.
    std::size_t lineLimit = std::numeric_limits<std::size_t>::max();
    // Where the length of each physical line read is noted, when given: the reading thread reports
    // the progress of a file read ahead from them.
    std::vector<std::size_t>* lineLengths = nullptr;
};

// Reads the lines of `text` (at most the limit) through the tests of the pass, adding their
// characters to state.runningTotal. Returns false when a cancel stopped it.
bool readDeclarationLines(DeclarationState& state, std::string_view text, const LineReading& how);

// The text of a member read whole before the pass (taken out of `readAhead`, which may be null),
// when it still fits what the look at the start of the pass found (a regular file of that length);
// nothing otherwise, and the file is read.
std::optional<std::string> takeReadAhead(SourceTextCache* readAhead, std::string_view path,
                                         const PathStatus& look);

}  // namespace tally
