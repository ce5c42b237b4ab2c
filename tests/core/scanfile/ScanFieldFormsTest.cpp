#include "core/scanfile/ScanFieldForms.h"

#include <gtest/gtest.h>

#include "core/model/OleDate.h"

// The forms the invoice fixture holds are checked byte for byte by the reader and writer tests, and
// the refusals that end a read by its malformed-file cases; these are the forms the fixture lacks.

namespace tally {

TEST(PrintedNumber, SignBlankNoLeadingZeroAndTheExponentThresholds) {
    EXPECT_EQ(formatPrintedNumber(-0.25), "-.25");
    EXPECT_EQ(formatPrintedNumber(-0.0), " 0");
    EXPECT_EQ(formatPrintedNumber(10.25), " 10.25");  // a zero that is not the leading one stays
    EXPECT_EQ(formatPrintedNumber(0.0001), " .0001");
    EXPECT_EQ(formatPrintedNumber(0.00001), " 1E-05");
    EXPECT_EQ(formatPrintedNumber(123456789012345.0), " 123456789012345");
    EXPECT_EQ(formatPrintedNumber(1e15), " 1E+15");
}

TEST(PrintedNumber, ReadsLooseFormsAndRefusesOthers) {
    EXPECT_EQ(parsePrintedNumber("-0.25"), -0.25);
    EXPECT_EQ(parsePrintedNumber(" 1E+20"), 1e20);
    EXPECT_EQ(parsePrintedNumber("\t7 "), 7.0);
    for (const char* bad :
         {"", " ", "abc", "1,5", "1.5.2", "+1", "1E", "12 34", "inf", "nan", "0x10", "#TRUE#"})
        EXPECT_FALSE(parsePrintedNumber(bad).has_value()) << bad;
}

TEST(ScanDate, TimeOnlyAndSecondsAfterMidnightForms) {
    EXPECT_EQ(formatScanDate(0.5), "#12:00:00#");
    EXPECT_EQ(formatScanDate(partsToOle({1899, 12, 31, 0, 0, 1})), "#1899-12-31 00:00:01#");
    EXPECT_EQ(parseScanDate("#12:00:00#"), 0.5);
    EXPECT_EQ(parseScanDate("#2024-02-29#"), partsToOle({2024, 2, 29, 0, 0, 0}));
    for (const char* bad :
         {"2026-12-01", "#2026-13-01#", "#2025-02-29#", "#24:00:00#", "#12:60:00#", "#12:00#", "##",
          "#abc#", "\"#2026-12-01#\"", "#2026-12-01 x#", "#FALSE#"})
        EXPECT_FALSE(parseScanDate(bad).has_value()) << bad;
}

TEST(ScanFields, QuotedTextsAndIntegersRefuseWhatIsNotTheirForm) {
    EXPECT_EQ(unquoteScanText("\"\""), "");
    for (const char* bad : {"abc", "\"abc", "", "\"", "x\"a\"", "\"a\"x", "#TRUE#"})
        EXPECT_FALSE(unquoteScanText(bad).has_value()) << bad;

    std::int32_t value = 0;
    EXPECT_EQ(parseScanInteger("-2147483648", value), IntegerCheck::Ok);
    EXPECT_EQ(value, INT32_MIN);
    EXPECT_EQ(parseScanInteger("2147483648", value), IntegerCheck::Overflow);
    for (const char* bad : {"", "-", "1.5", "#TRUE#", "\"5\"", "5a", "+5", "1 2", "--1"})
        EXPECT_EQ(parseScanInteger(bad, value), IntegerCheck::NotANumber) << bad;
}

}  // namespace tally
