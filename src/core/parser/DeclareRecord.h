#pragma once
// Recording a Declare statement (a routine of a DLL) in the Subs table.

#include <string>
#include <string_view>

#include "core/parser/DeclarationState.h"

namespace tally {

// Records a "Private Declare ", "Public Declare " or "Declare " statement as a DLL routine: kind 12
// for a Sub, 18 for a Function, its name, parameters (each noting its type, or the "No Type" row),
// return type and line count 1. The statement is cut at its first apostrophe first, so a trailing
// comment cannot reach the parameters or the return type. Adds one to the project's DLL count.
void addDeclare(DeclarationState& state, std::string_view statement, int fileRow, std::string_view fileName);

// The library named between the double quotes after " Lib "; empty when there is none.
std::string dllNameOf(std::string_view statement);

}  // namespace tally
