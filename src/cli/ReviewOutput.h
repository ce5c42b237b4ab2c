#pragma once
// Prints review lists and routine/file panels for scripts: tab-separated text, RFC 4180 CSV or
// JSON, always UTF-8.

#include <ostream>
#include <string>
#include <vector>

#include "cli/CliArguments.h"
#include "core/review/PropertyPanels.h"
#include "core/review/ReviewList.h"

namespace tally {

// Writes the lists: text gives "# <caption>" and one tab-separated row per line; CSV a header row
// (List, the three column headers, Checked, Icon) before each list's rows; JSON one object per list.
void printReviewLists(std::ostream& out, const std::vector<ReviewListData>& lists, OutputFormat format);

// One titled panel: bold rows as headings, the others indented, sub-items separated by tabs.
void printPanel(std::ostream& out, const std::string& title, const std::vector<PanelRow>& rows);

// Text quoted for CSV when it needs quotes (comma, quote, CR or LF).
std::string csvField(const std::string& utf8);
// Text as a JSON string literal, quotes included.
std::string jsonString(const std::string& utf8);

}  // namespace tally
