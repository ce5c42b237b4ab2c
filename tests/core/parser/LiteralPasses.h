#pragma once
// Straightforward implementations of the call pass and the usage pass, written as the rules read:
// every routine tested against every line, every module-level variable searched for in every file
// text, every routine compared with every other. They are slow on purpose-free grounds (quadratic)
// and serve only as the reference that the fast passes must equal.

#include "core/parser/ParseContext.h"

namespace tally::literal {

void runCallPass(ParseContext& context);
void runUsagePass(ParseContext& context);

}  // namespace tally::literal
