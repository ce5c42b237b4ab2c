#include "core/parser/StatisticsTexts.h"

#include "core/text/TextOps.h"

namespace tally {

std::string countAndPercent(long long part, long long whole, const NumberLocale& locale, bool grouped) {
    std::string number = grouped ? formatGrouped(part, locale) : toDecimal(part);
    double ratio = whole == 0 ? 0.0 : static_cast<double>(part) / static_cast<double>(whole);
    return number + "/" + formatPercent(ratio, locale);
}

std::string fileSizeText(long long bytes, const NumberLocale& locale) {
    return "Size  - " + formatSizeKb(bytes, locale);
}

std::string fileCodeLinesText(long long code, const NumberLocale& locale) {
    return "Code Lines - " + formatGrouped(code, locale);
}

std::string fileCommentLinesText(long long comment, long long code, const NumberLocale& locale) {
    return "Comments  - " + countAndPercent(comment, code, locale, false);
}

std::string fileBlankLinesText(long long blank, long long code, const NumberLocale& locale) {
    return "Blank Lines  - " + countAndPercent(blank, code, locale, false);
}

}  // namespace tally
