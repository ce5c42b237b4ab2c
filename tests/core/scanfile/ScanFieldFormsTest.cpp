#include "core/scanfile/ScanFieldForms.h"

#include <gtest/gtest.h>

#include "core/model/OleDate.h"

namespace tally {

TEST(PrintedNumber, WritesFifteenDigitsWithoutTheLeadingZeroAndABlankForTheSign) {
    EXPECT_EQ(formatPrintedNumber(0.5), " .5");
    EXPECT_EQ(formatPrintedNumber(-0.25), "-.25");
    EXPECT_EQ(formatPrintedNumber(1.0 / 86400.0), " 1.15740740740741E-05");
    EXPECT_EQ(formatPrintedNumber(46362.41666666667), " 46362.4166666667");
    EXPECT_EQ(formatPrintedNumber(0.0), " 0");
    EXPECT_EQ(formatPrintedNumber(-0.0), " 0");
    EXPECT_EQ(formatPrintedNumber(3.0), " 3");
    EXPECT_EQ(formatPrintedNumber(-12.5), "-12.5");
    EXPECT_EQ(formatPrintedNumber(10.25), " 10.25");  // a zero that is not the leading one stays
    // The exponent form starts below 1E-4 and at 1E+15.
    EXPECT_EQ(formatPrintedNumber(0.0001), " .0001");
    EXPECT_EQ(formatPrintedNumber(0.00001), " 1E-05");
    EXPECT_EQ(formatPrintedNumber(-0.00001), "-1E-05");
    EXPECT_EQ(formatPrintedNumber(123456789012345.0), " 123456789012345");
    EXPECT_EQ(formatPrintedNumber(1e15), " 1E+15");
    EXPECT_EQ(formatPrintedNumber(1e20), " 1E+20");
}

TEST(PrintedNumber, ReadsThePrintedFormsAndTheFormsWithALeadingZero) {
    const std::pair<const char*, double> forms[] = {
        {" .5", 0.5},
        {"0.5", 0.5},
        {"-.25", -0.25},
        {"-0.25", -0.25},
        {" 1.15740740740741E-05", 1.15740740740741E-05},
        {"1.15740740740741e-05", 1.15740740740741E-05},
        {" 46362.4166666667", 46362.4166666667},
        {" 0", 0.0},
        {"0", 0.0},
        {" 1E+20", 1e20},
        {"\t7 ", 7.0},
    };
    for (const auto& [text, value] : forms) {
        std::optional<double> read = parsePrintedNumber(text);
        ASSERT_TRUE(read.has_value()) << text;
        EXPECT_EQ(*read, value) << text;
    }
    for (const char* bad :
         {"", " ", "abc", "1,5", "1.5.2", "+1", "1E", "12 34", "inf", "nan", "0x10", "#TRUE#"})
        EXPECT_FALSE(parsePrintedNumber(bad).has_value()) << bad;
}

TEST(PrintedNumber, WrittenFormReadsBackWithinFifteenDigits) {
    for (double value : {0.5, -0.25, 1.0 / 86400.0, 46362.41666666667, 1e20, 2.0 / 3.0, -123.456e-9}) {
        std::optional<double> read = parsePrintedNumber(formatPrintedNumber(value));
        ASSERT_TRUE(read.has_value()) << value;
        EXPECT_NEAR(*read, value, std::abs(value) * 1e-14) << value;
    }
}

TEST(ScanDate, WritesTheShortestOfTheThreeForms) {
    EXPECT_EQ(formatScanDate(0.0), "#1899-12-30#");
    EXPECT_EQ(formatScanDate(0.5), "#12:00:00#");
    EXPECT_EQ(formatScanDate(partsToOle({2026, 11, 30, 14, 5, 9})), "#2026-11-30 14:05:09#");
    EXPECT_EQ(formatScanDate(partsToOle({2026, 12, 1, 0, 0, 0})), "#2026-12-01#");
    EXPECT_EQ(formatScanDate(1.0), "#1899-12-31#");
    EXPECT_EQ(formatScanDate(partsToOle({1899, 12, 31, 0, 0, 1})), "#1899-12-31 00:00:01#");
}

TEST(ScanDate, ReadsTheThreeFormsAndRefusesOthers) {
    EXPECT_EQ(parseScanDate("#1899-12-30#"), 0.0);
    EXPECT_EQ(parseScanDate("#12:00:00#"), 0.5);
    EXPECT_EQ(parseScanDate("#2026-11-30 14:05:09#"), partsToOle({2026, 11, 30, 14, 5, 9}));
    EXPECT_EQ(parseScanDate("#2026-12-01#"), partsToOle({2026, 12, 1, 0, 0, 0}));
    EXPECT_EQ(parseScanDate("#2024-02-29#"), partsToOle({2024, 2, 29, 0, 0, 0}));
    for (const char* bad :
         {"2026-12-01", "#2026-13-01#", "#2026-02-30#", "#2025-02-29#", "#24:00:00#", "#12:60:00#", "#12:00#",
          "##", "#abc#", "\"#2026-12-01#\"", "#2026-12-01 x#", "#FALSE#"})
        EXPECT_FALSE(parseScanDate(bad).has_value()) << bad;
}

TEST(ScanDate, WholeSecondDatesSurviveWritingAndReading) {
    for (DateTimeParts p : {DateTimeParts{1899, 12, 30, 0, 0, 0}, DateTimeParts{1899, 12, 30, 23, 59, 59},
                            DateTimeParts{2000, 2, 29, 0, 0, 0}, DateTimeParts{1970, 1, 1, 0, 0, 1},
                            DateTimeParts{9999, 12, 31, 23, 59, 59}}) {
        double ole = partsToOle(p);
        EXPECT_EQ(parseScanDate(formatScanDate(ole)), ole) << formatScanDate(ole);
    }
}

TEST(ScanFields, TextsKeepEverythingBetweenTheOuterQuotes) {
    EXPECT_EQ(quoteScanText("a,b\x01"), "\"a,b\x01\"");
    EXPECT_EQ(unquoteScanText("\"a,b\x01\""), "a,b\x01");
    EXPECT_EQ(unquoteScanText("\"\""), "");
    EXPECT_EQ(unquoteScanText("\" \""), " ");
    EXPECT_EQ(unquoteScanText("\"say \"hi\"\""), "say \"hi\"");
    for (const char* bad : {"abc", "\"abc", "", "\"", "x\"a\"", "\"a\"x", "#TRUE#"})
        EXPECT_FALSE(unquoteScanText(bad).has_value()) << bad;
}

TEST(ScanFields, EscapingHidesQuotesAndCommasOnly) {
    const std::string params = "ByVal A As Long, Optional S As String = \",\"";
    const std::string escaped = escapeScanText(params);
    EXPECT_EQ(escaped, "ByVal A As Long\x03 Optional S As String = \x02\x03\x02");
    EXPECT_EQ(unescapeScanText(escaped), params);
    EXPECT_EQ(escapeScanText("a - b\x01"), "a - b\x01");
    EXPECT_EQ(unescapeScanText("a - b\x01"), "a - b\x01");
}

TEST(ScanFields, IntegersAreDecimalsWithin32Bits) {
    std::int32_t value = 0;
    EXPECT_EQ(parseScanInteger("0", value), IntegerCheck::Ok);
    EXPECT_EQ(value, 0);
    EXPECT_EQ(parseScanInteger("-5", value), IntegerCheck::Ok);
    EXPECT_EQ(value, -5);
    EXPECT_EQ(parseScanInteger(" 42 ", value), IntegerCheck::Ok);
    EXPECT_EQ(value, 42);
    EXPECT_EQ(parseScanInteger("40000", value), IntegerCheck::Ok);  // beyond 16 bits is fine
    EXPECT_EQ(value, 40000);
    EXPECT_EQ(parseScanInteger("-2147483648", value), IntegerCheck::Ok);
    EXPECT_EQ(value, INT32_MIN);
    EXPECT_EQ(parseScanInteger("2147483648", value), IntegerCheck::Overflow);
    EXPECT_EQ(parseScanInteger("99999999999999999999999", value), IntegerCheck::Overflow);
    for (const char* bad : {"", "-", "1.5", "#TRUE#", "\"5\"", "5a", "+5", "1 2", "--1"})
        EXPECT_EQ(parseScanInteger(bad, value), IntegerCheck::NotANumber) << bad;
}

TEST(ScanFields, BooleansAreTheTwoHashWords) {
    EXPECT_EQ(formatScanBoolean(true), "#TRUE#");
    EXPECT_EQ(formatScanBoolean(false), "#FALSE#");
    EXPECT_EQ(parseScanBoolean("#TRUE#"), true);
    EXPECT_EQ(parseScanBoolean("#FALSE# "), false);
    for (const char* bad : {"True", "#true#", "-1", "0", "\"#TRUE#\"", ""})
        EXPECT_FALSE(parseScanBoolean(bad).has_value()) << bad;
}

}  // namespace tally
