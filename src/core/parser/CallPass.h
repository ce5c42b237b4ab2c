#pragma once
// The second parsing pass: reads every source file again, records which routines each routine calls
// (TimesCalled and CalledBy of the callee), and after each file searches its text for uses of the
// module-level variables; after the last file it settles which module-level variables are unused.

#include "core/parser/ParseContext.h"

namespace tally {

// Runs the call and module variable pass over the Files rows, filling TimesCalled, CalledBy,
// FilesNotUsing and UnVar, and blanking UnVar and DecVar rows of variables in use. Reports
// "Part 2 of 3. Parsing <file>", "Line <n>" and "Please wait..." and the characters read; stops at
// once, keeping what was recorded, when the cancel flag is seen before a physical line.
void runCallPass(ParseContext& context);

}  // namespace tally
