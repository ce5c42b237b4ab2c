#pragma once
// The third parsing pass. It reads no source text: from the tables of the first two passes it marks
// the routines owning unused (flag 2) or untyped (flag 4) variables, marks the routines whose every
// recorded call comes from one routine that is itself never called (flag 16), and builds each
// routine's Calls list by inverting the CalledBy lists.

#include "core/parser/ParseContext.h"

namespace tally {

// Runs the problem flag and call list pass over the model. Reports its range and value to the
// progress sink; it does not look at the cancel flag.
void runUsagePass(ParseContext& context);

}  // namespace tally
