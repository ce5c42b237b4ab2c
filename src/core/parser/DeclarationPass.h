#pragma once
// The first parsing pass ("Part 1of 3. Parsing"): routines, DLL declarations, module-level and
// untyped variables, unused locals, types, controls, spell texts and the line statistics.

#include "core/parser/ParseContext.h"

namespace tally {

// Reads every existing file of the Files table once, in row order, and fills the model's Subs,
// Controls, DecVar, UnVar, PubVar, Types and Spell tables and the statistics nodes of the tree.
// Reports the file label and the characters read to ctx.progress; stops at once, before the next
// physical line, when ctx is cancelled (rows already appended stay, no statistics nodes are added).
// Returns false when it was cancelled.
bool runDeclarationPass(ParseContext& ctx);

}  // namespace tally
