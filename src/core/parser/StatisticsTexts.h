#pragma once
// The texts of the per-file line statistics shown under each file of the project tree.

#include <string>

#include "core/text/NumberFormat.h"

namespace tally {

// "Size  - " and the size in KB.
std::string fileSizeText(long long bytes, const NumberLocale& locale);
// "Code Lines - " and the grouped number.
std::string fileCodeLinesText(long long code, const NumberLocale& locale);
// "Comments  - ", the number, "/" and comment lines as a percentage of code lines (code > 0).
std::string fileCommentLinesText(long long comment, long long code, const NumberLocale& locale);
// "Blank Lines  - ", the number, "/" and blank lines as a percentage of code lines (code > 0).
std::string fileBlankLinesText(long long blank, long long code, const NumberLocale& locale);

// A number, "/" and its share of `whole` as a percentage with two decimals ("12/12.50%").
std::string countAndPercent(long long part, long long whole, const NumberLocale& locale, bool grouped);

}  // namespace tally
