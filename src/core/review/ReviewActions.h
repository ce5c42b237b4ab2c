#pragma once
// What a click on a review list row does to the model: toggling its check mark, and where a double
// click takes the code view.

#include <string>

#include "core/model/ProjectModel.h"
#include "core/review/ReviewList.h"

namespace tally {

// Inverts the check mark of the model row behind a list row and marks the scan as changed. Returns
// false (and changes nothing) for rows without a check box or whose model row is gone.
bool toggleReviewCheck(ProjectModel& model, const ReviewListData& list, int rowIndex);

// Where a double click on a list row leads in the code view.
struct CodeTarget {
    bool valid = false;
    std::string filePath;      // full path of the file to load; empty when no tree node matches
    bool declarations = false;  // show the "(Declarations)" section
    std::string routineText;    // otherwise the routine combo entry to choose (name, property marker)
    std::string searchText;     // text to look for once shown; empty for none
};

// The target of a double click on a row (All Types rows and the summary row lead nowhere).
CodeTarget reviewDoubleClickTarget(const ProjectModel& model, const ReviewListData& list, int rowIndex);

}  // namespace tally
