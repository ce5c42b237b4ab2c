#pragma once
// A long routine that looks like real code, for the code view benchmarks: declarations,
// assignments with calls, literals (one of them running over a line end), apostrophe and REM
// comments, blank and indented lines; and problem marks to colour in it.

#include <string>
#include <vector>

#include "core/model/Records.h"

namespace tally::bench {

// A Sub of `lines` lines (about 40 characters each), headed «Private Sub RunTheLongRoutine(».
std::string syntheticRoutine(int lines);
// Sixty-two marks, a few of which occur in the routine.
std::vector<MarkRec> syntheticMarks();

}  // namespace tally::bench
