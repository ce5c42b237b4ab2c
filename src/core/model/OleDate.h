#pragma once
// OLE dates: days since 1899-12-30 00:00 as a double, the fraction being the time of day. The
// model keeps file times and the parse start this way because scan files store them so.

#include <ctime>

namespace tally {

struct DateTimeParts {
    int year = 1899, month = 12, day = 30;
    int hour = 0, minute = 0, second = 0;
};

// Splits an OLE date into calendar parts, rounding to the nearest second.
DateTimeParts oleToParts(double oleDate);
double partsToOle(const DateTimeParts& parts);
// The OLE date of a time_t, in the machine's local time (as file dates are shown on Windows).
double oleFromTimeT(std::time_t t);
double oleNow();

}  // namespace tally
