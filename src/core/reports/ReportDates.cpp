#include "core/reports/ReportDates.h"

#include <cmath>

#include "core/model/OleDate.h"

namespace tally {

namespace {

std::string twoDigits(int value) {
    std::string out = std::to_string(value);
    return out.size() < 2 ? "0" + out : out;
}

// 1899-12-30, the zero date, was a Saturday. The day is taken from the parts, as rounding to the
// second may carry a time just before midnight into the next day.
int weekday(const DateTimeParts& p) {
    long long days = std::llround(partsToOle(DateTimeParts{p.year, p.month, p.day}));
    return static_cast<int>(((days + 6) % 7 + 7) % 7);
}

std::size_t runLength(std::string_view pattern, std::size_t at) {
    std::size_t end = at;
    while (end < pattern.size() && pattern[end] == pattern[at]) ++end;
    return end - at;
}

std::string formatDate(double oleDate, std::string_view pattern, const DateLocale& locale) {
    DateTimeParts p = oleToParts(oleDate);
    std::string out;
    for (std::size_t i = 0; i < pattern.size();) {
        char c = pattern[i];
        std::size_t n = runLength(pattern, i);
        if (c == 'd') {
            if (n >= 4) out += locale.dayNames[weekday(p)];
            else if (n == 3) out += locale.dayNames[weekday(p)].substr(0, 3);
            else out += n == 2 ? twoDigits(p.day) : std::to_string(p.day);
        } else if (c == 'M') {
            if (n >= 4) out += locale.monthNames[p.month - 1];
            else if (n == 3) out += locale.monthNames[p.month - 1].substr(0, 3);
            else out += n == 2 ? twoDigits(p.month) : std::to_string(p.month);
        } else if (c == 'y') {
            out += n >= 3 ? std::to_string(p.year) : twoDigits(p.year % 100);
        } else {
            out.append(n, c);
        }
        i += n;
    }
    return out;
}

std::string twelveHourTime(const DateTimeParts& p, bool seconds, const DateLocale& locale) {
    int hour = p.hour % 12 == 0 ? 12 : p.hour % 12;
    std::string out = std::to_string(hour) + ":" + twoDigits(p.minute);
    if (seconds) out += ":" + twoDigits(p.second);
    return out + " " + (p.hour < 12 ? locale.am : locale.pm);
}

}  // namespace

std::string formatLongDate(double oleDate, const DateLocale& locale) {
    return formatDate(oleDate, locale.longDatePattern, locale);
}

std::string formatShortTime(double oleDate, const DateLocale& locale) {
    return twelveHourTime(oleToParts(oleDate), false, locale);
}

std::string formatClockTime(double oleDate) {
    DateTimeParts p = oleToParts(oleDate);
    return std::to_string(p.hour) + ":" + twoDigits(p.minute) + ":" + twoDigits(p.second);
}

std::string formatGeneralDate(double oleDate, const DateLocale& locale) {
    DateTimeParts p = oleToParts(oleDate);
    bool zeroDate = p.year == 1899 && p.month == 12 && p.day == 30;
    bool midnight = p.hour == 0 && p.minute == 0 && p.second == 0;
    if (zeroDate) return twelveHourTime(p, true, locale);
    std::string date = formatDate(oleDate, locale.shortDatePattern, locale);
    return midnight ? date : date + " " + twelveHourTime(p, true, locale);
}

}  // namespace tally
