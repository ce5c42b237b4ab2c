#pragma once
// Dates and times as the reports write them, under a locale the caller gives (tests pin US
// English). Dates are OLE dates (see OleDate.h).

#include <array>
#include <string>
#include <string_view>

namespace tally {

// Names and patterns of a date locale. Patterns know d, dd, ddd, dddd, M, MM, MMM, MMMM, yy and
// yyyy; any other character is copied.
struct DateLocale {
    std::array<std::string, 7> dayNames{"Sunday",   "Monday", "Tuesday", "Wednesday",
                                        "Thursday", "Friday", "Saturday"};
    std::array<std::string, 12> monthNames{"January", "February", "March",     "April",   "May",      "June",
                                           "July",    "August",   "September", "October", "November", "December"};
    std::string longDatePattern = "dddd, MMMM d, yyyy";
    std::string shortDatePattern = "M/d/yyyy";
    std::string am = "AM";
    std::string pm = "PM";
};

// The "Long Date" form: "Friday, March 7, 2003".
std::string formatLongDate(double oleDate, const DateLocale& locale = {});
// The "h:nn AM/PM" form: "4:05 PM", "12:00 AM".
std::string formatShortTime(double oleDate, const DateLocale& locale = {});
// The "h:nn:ss" form of the time of day, hours unpadded on a 24-hour clock: "0:01:07".
std::string formatClockTime(double oleDate);
// A date as text the way the language converts one: short date and "h:nn:ss AM/PM" time, the date
// alone at midnight and the time alone on the zero date ("3/7/2003 4:05:09 PM").
std::string formatGeneralDate(double oleDate, const DateLocale& locale = {});

}  // namespace tally
