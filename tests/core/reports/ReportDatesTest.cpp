#include "core/reports/ReportDates.h"

#include <gtest/gtest.h>

#include "core/model/OleDate.h"

namespace tally {

namespace {
double at(int y, int mo, int d, int h = 0, int mi = 0, int s = 0) { return partsToOle(DateTimeParts{y, mo, d, h, mi, s}); }
}  // namespace

TEST(ReportDates, LongDateAndShortTimeInUsEnglish) {
    double when = at(2003, 3, 7, 16, 5);
    EXPECT_EQ(formatLongDate(when) + " " + formatShortTime(when), "Friday, March 7, 2003 4:05 PM");
    EXPECT_EQ(formatLongDate(at(2024, 2, 29)), "Thursday, February 29, 2024");
    EXPECT_EQ(formatLongDate(at(1899, 12, 30)), "Saturday, December 30, 1899");
    EXPECT_EQ(formatLongDate(at(1800, 1, 1)), "Wednesday, January 1, 1800");  // before the zero date
}

TEST(ReportDates, TwelveHourClockAroundMidnightAndNoon) {
    EXPECT_EQ(formatShortTime(at(2003, 3, 7, 0, 0)), "12:00 AM");
    EXPECT_EQ(formatShortTime(at(2003, 3, 7, 12, 0)), "12:00 PM");
    EXPECT_EQ(formatShortTime(at(2003, 3, 7, 11, 9)), "11:09 AM");
    EXPECT_EQ(formatShortTime(at(2003, 3, 7, 23, 59)), "11:59 PM");
    // Just before midnight rounds to the next day's first second: date and time stay one moment.
    double lateNight = at(2003, 3, 7) + (86400.0 - 0.2) / 86400.0;
    EXPECT_EQ(formatLongDate(lateNight) + " " + formatShortTime(lateNight), "Saturday, March 8, 2003 12:00 AM");
}

TEST(ReportDates, DurationAndGeneralDate) {
    EXPECT_EQ(formatClockTime(67.0 / 86400.0), "0:01:07");
    EXPECT_EQ(formatClockTime((13 * 3600 + 5) / 86400.0), "13:00:05");
    EXPECT_EQ(formatGeneralDate(at(2003, 3, 7, 16, 5, 9)), "3/7/2003 4:05:09 PM");
    EXPECT_EQ(formatGeneralDate(at(2003, 3, 7)), "3/7/2003");
    EXPECT_EQ(formatGeneralDate(0.5), "12:00:00 PM");
}

TEST(ReportDates, AnotherLocaleGivesItsNamesAndPatterns) {
    DateLocale german;
    german.dayNames = {"Sonntag", "Montag", "Dienstag", "Mittwoch", "Donnerstag", "Freitag", "Samstag"};
    german.monthNames = {"Januar", "Februar", "M\xE4rz", "April", "Mai", "Juni",
                         "Juli", "August", "September", "Oktober", "November", "Dezember"};
    german.longDatePattern = "dddd, d. MMMM yyyy";
    german.shortDatePattern = "dd.MM.yy";
    EXPECT_EQ(formatLongDate(at(2003, 3, 7), german), "Freitag, 7. M\xE4rz 2003");
    EXPECT_EQ(formatGeneralDate(at(2003, 3, 7), german), "07.03.03");
    DateLocale abbreviated;
    abbreviated.longDatePattern = "ddd MMM dd yyyy";
    EXPECT_EQ(formatLongDate(at(2003, 3, 7), abbreviated), "Fri Mar 07 2003");
}

}  // namespace tally
