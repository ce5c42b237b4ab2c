#pragma once
// The parameters and local variables of one routine that the routine never uses.

#include <string>
#include <string_view>
#include <vector>

#include "core/parser/DeclaredNames.h"
#include "core/parser/GatheredRows.h"
#include "core/parser/LocalDeclarationLines.h"
#include "core/parser/LocalWordScan.h"

namespace tally {

// The lists of one check, kept from check to check so that a thread checking routine after routine
// does not allocate them each time. One per thread.
struct UnusedLocalScratch {
    struct Candidate {
        std::string name;
        bool isConst = false;
    };
    std::vector<Candidate> candidates;
    std::vector<std::string_view> words;
    std::vector<LocalVerdict> verdicts;
    DeclaredNames declared;
    LocalWordJudge judge;
};

// Finds the unused parameters and locals of a routine and appends them to the UnVar rows.
//
// Candidates are the given parameter names and every name declared by a line of the routine text
// that starts with "Dim ", "Public ", "Static ", "Const " or "ReDim " (`declarationLines`, as
// localDeclarationLines() finds them) and is not a header (a ReDim only when its array is not a
// candidate already and names no member); their declarations are taken apart as any declaration
// (untyped locals go to DecVar, types are noted).
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
void checkUnusedLocals(GatheredRows& rows, std::string_view routineText,
                       const std::vector<LineSpan>& declarationLines, const NameOwner& owner,
                       const std::vector<std::string>& paramNames, UnusedLocalScratch& scratch);

}  // namespace tally
