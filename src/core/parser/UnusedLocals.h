#pragma once
// The parameters and local variables of one routine that the routine never uses.

#include <string>
#include <string_view>
#include <vector>

#include "core/parser/DeclaredNames.h"
#include "core/parser/GatheredRows.h"

namespace tally {

// Finds the unused parameters and locals of a routine and appends them to the UnVar rows.
//
// Candidates are the given parameter names and every name declared by a line of the routine text
// that starts with "Dim ", "Public ", "Static ", "Const " or "ReDim " and is not a header (a ReDim
// only when its array is not a candidate already and names no member); their declarations are taken
// apart as any declaration (untyped locals go to DecVar, types are noted).
//
// A candidate's declaration is its first whole-word occurrence in the routine (type-declaration
// character left out), even when that lies above the declaring line (`Erase a` before the `ReDim a(1)`
// that declares it): a local used before its declaration is used. Every later
// whole-word occurrence is a hit; this takes in each written form of a use (the bare name, "x(",
// "x.", "(x,", "x,", "x)", " = x" ...) and leaves out longer names that merely contain it. A hit is a
// use when the text from the start of its line up to it holds no apostrophe, or when the last
// literal of that text (between its last two double quotes) holds one; otherwise it lies in a
// comment. A candidate without a use becomes an UnVar row, marked Commented when it had hits in
// comments. Candidates that cannot be found as a word are left alone.
void checkUnusedLocals(GatheredRows& rows, std::string_view routineText, const NameOwner& owner,
                       const std::vector<std::string>& paramNames);

}  // namespace tally
