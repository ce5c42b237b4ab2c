#include "core/parser/DeclarationLines.h"

#include "core/parser/DeclarationSection.h"
#include "core/parser/LineCounts.h"
#include "core/parser/LineCursor.h"
#include "core/parser/LogicalLines.h"
#include "core/parser/RoutineBlocks.h"
#include "core/text/TextOps.h"

namespace tally {

namespace {

bool readLines(DeclarationState& state, std::string_view text, const LineReading& how) {
    LogicalLineJoiner joiner;
    // The lines are walked, not listed: a list of a large module's lines is a fresh block (and fresh
    // pages) for every file.
    LineCursor lines(text);
    std::size_t read = 0;
    for (std::string_view raw; read < how.lineLimit && lines.next(raw); ++read) {
        if (how.stopOnCancel && state.ctx.cancelled()) return false;
        state.runningTotal += static_cast<long long>(raw.size());
        if (how.progress) how.progress->setValue(state.runningTotal);
        if (how.lineLengths) how.lineLengths->push_back(raw.size());

        std::string_view logical;
        if (!joiner.feed(raw, logical)) continue;
        std::string_view statement = trimView(logical);
        if (countTrimmedLine(statement, state.inRoutineBody(), state.current.lines)) ++state.routineLines;
        if (state.inRoutine) state.routineText.append(logical, statement);
        if (applyDeclarationTests(state, statement)) applyRoutineTests(state, statement);
    }
    return true;
}

}  // namespace

std::optional<std::string> takeReadAhead(SourceTextCache* readAhead, std::string_view path,
                                         const PathStatus& look) {
    if (!readAhead) return std::nullopt;
    std::optional<std::string> bytes = readAhead->take(path);
    if (bytes && look.regularFile && static_cast<std::int64_t>(bytes->size()) == look.length) return bytes;
    return std::nullopt;
}

bool readDeclarationLines(DeclarationState& state, std::string_view text, const LineReading& how) {
    state.routineText.setFile(text);
    bool complete = false;
    try {
        complete = readLines(state, text, how);
    } catch (...) {
        // The state goes with the failure; its routine text must not go on viewing these bytes.
        state.routineText.clear();
        state.routineText.setFile({});
        throw;
    }
    // A routine still open when the file ends (or the reading stops) goes on into the next file:
    // its text is kept. (Copied here rather than in a destructor, where running out of memory
    // would end the program.)
    state.routineText.detach();
    state.routineText.setFile({});
    return complete;
}

}  // namespace tally
