#pragma once
// The per-file and project statistics nodes of the project tree, added after the last file.

#include "core/parser/DeclarationState.h"

namespace tally {

// Under each file read: its size, code, comment and blank lines (the last two only when it has code
// lines), controls, subs, functions and properties, and a "DLLs" folder with its libraries (also
// listed once each under "alldlls"). Under "properties": the project totals.
void addStatisticsNodes(DeclarationState& state);

}  // namespace tally
