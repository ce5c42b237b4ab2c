#pragma once
// Runs the three parsing passes over an opened project, in order, and records when the parse began
// and how long it took. A cancel stops passes 1 and 2; pass 3 still runs over what was gathered.

#include "core/parser/ParseContext.h"

namespace tally {

struct ParseOutcome {
    bool cancelled = false;  // the review lists stay disabled for a cancelled parse
};

ParseOutcome runParse(ParseContext& context);

}  // namespace tally
