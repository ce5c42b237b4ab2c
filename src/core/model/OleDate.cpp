#include "core/model/OleDate.h"

#include <chrono>
#include <cmath>

namespace tally {

namespace {

// Days from 1970-01-01 of a civil date (proleptic Gregorian), after H. Hinnant's algorithm.
long long daysFromCivil(long long y, unsigned m, unsigned d) {
    y -= m <= 2;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<long long>(doe) - 719468;
}

void civilFromDays(long long z, int& y, int& m, int& d) {
    z += 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long long yy = static_cast<long long>(yoe) + era * 400;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    y = static_cast<int>(yy + (m <= 2));
}

const long long kOleEpochDays = daysFromCivil(1899, 12, 30);

}  // namespace

DateTimeParts oleToParts(double oleDate) {
    // OLE dates before the epoch count the time of day forwards from the (negative) day.
    double wholeDays = std::trunc(oleDate);
    double fraction = std::fabs(oleDate - wholeDays);
    long long seconds = std::llround(fraction * 86400.0);
    long long days = static_cast<long long>(wholeDays);
    if (seconds >= 86400) {
        seconds -= 86400;
        days += oleDate < 0 ? -1 : 1;
    }
    DateTimeParts parts;
    civilFromDays(kOleEpochDays + days, parts.year, parts.month, parts.day);
    parts.hour = static_cast<int>(seconds / 3600);
    parts.minute = static_cast<int>(seconds / 60 % 60);
    parts.second = static_cast<int>(seconds % 60);
    return parts;
}

double partsToOle(const DateTimeParts& parts) {
    long long days = daysFromCivil(parts.year, static_cast<unsigned>(parts.month),
                                   static_cast<unsigned>(parts.day)) -
                     kOleEpochDays;
    double time = (parts.hour * 3600.0 + parts.minute * 60.0 + parts.second) / 86400.0;
    return days >= 0 ? static_cast<double>(days) + time : static_cast<double>(days) - time;
}

double oleFromTimeT(std::time_t t) {
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &t);
#else
    localtime_r(&t, &local);
#endif
    DateTimeParts parts{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
                        local.tm_hour,        local.tm_min,     local.tm_sec};
    return partsToOle(parts);
}

double oleNow() {
    using namespace std::chrono;
    auto now = system_clock::now();
    std::time_t t = system_clock::to_time_t(now);
    double whole = oleFromTimeT(t);
    auto sub = duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000;
    return whole + static_cast<double>(sub) / 1000.0 / 86400.0;
}

}  // namespace tally
