#pragma once
// Recording a routine in the Subs table when its End line is reached.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/parser/DeclarationState.h"
#include "core/parser/LocalDeclarationLines.h"

namespace tally {

// The word a header of that kind carries: "Function", "Sub", "Property Get", "Property Let" or
// "Property Set"; empty for the other kinds.
std::string_view kindWordOf(int kind);

// Records the routine whose text (header first, each line followed by CR LF) is `routineText`:
// its slot and scope by the header's scope word (no scope word: slot 0 in a ".bas" file), its name,
// kind (control and event routines recognised by the part of the name before its last "_"), return
// type, parameters, code line count (`routineLines` less the header and the End line) and problems.
// Untyped parameters go to DecVar; unused parameters and locals to UnVar, both through
// state.checks, which reads only `declarationLines` of the text for declared locals. Nothing is
// recorded when no header of the kind is found. The text is copied when a worker thread is to
// check it.
void addRoutine(DeclarationState& state, int fileRow, int kind, std::string_view routineText,
                const std::vector<LineSpan>& declarationLines, std::string_view fileName,
                std::int32_t routineLines);

}  // namespace tally
