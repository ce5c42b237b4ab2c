#pragma once
// The seven review lists of the Code Review tab as plain rows: which model rows each list shows,
// with their texts, icons, check marks and hidden sort keys, plus each list's captions and headers.

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "core/model/ProjectModel.h"

namespace tally {

enum class ReviewListId { NeverCalled, NoCode, NoReturn, NoType, NeverUsed, AllRoutines, AllTypes };
inline constexpr std::array<ReviewListId, 7> kAllReviewLists = {
    ReviewListId::NeverCalled, ReviewListId::NoCode,      ReviewListId::NoReturn, ReviewListId::NoType,
    ReviewListId::NeverUsed,   ReviewListId::AllRoutines, ReviewListId::AllTypes};

// The fixed texts of one list: toolbar button, tool tip, menu item, headers, check boxes.
struct ReviewListInfo {
    ReviewListId id;
    std::string_view caption;
    std::string_view toolTip;
    std::string_view menuCaption;
    std::string_view column2Header;
    std::string_view column3Header;
    bool checkBoxes;
    std::string_view commandName;  // the name scripts use: "never-called", ...
};

inline constexpr std::string_view kReviewColumn1Header = "Name";

const ReviewListInfo& reviewListInfo(ReviewListId id);
// The list a script name stands for; false when the name is none of the seven.
bool reviewListFromCommandName(std::string_view name, ReviewListId& id);

// Where a row of a list comes from in the model.
enum class ReviewSource { Routine, DecVar, UnVar, Type, Summary };

struct ReviewRow {
    std::string text;
    std::string column2;
    std::string column3;
    std::string icon;
    bool checked = false;
    std::string sortKey;  // the hidden fourth column; empty when the row has none
    ReviewSource source = ReviewSource::Routine;
    int slot = 0;  // routine rows: slot in Subs
    int index = 0;  // routine rows: position in the slot; other rows: row of their table
};

struct ReviewListData {
    ReviewListId id = ReviewListId::NeverCalled;
    std::vector<ReviewRow> rows;
    int selectedRow = -1;  // the row to select and scroll into view (the All Routines summary)
};

// Fills a list from the model, rows in table order (slots, then positions; variable and type rows
// in row order).
ReviewListData buildReviewList(const ProjectModel& model, ReviewListId id);

// Sorts the rows by a column (1 to 3), text order, ascending; under "Line Count" and "Times
// Declared" column 2 sorts by the hidden key. Rows with equal keys keep their order.
void sortReviewRows(ReviewListData& list, int column);

}  // namespace tally
