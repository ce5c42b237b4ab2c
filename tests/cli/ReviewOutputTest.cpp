#include "cli/ReviewOutput.h"

#include <gtest/gtest.h>

#include <sstream>

namespace tally {

namespace {
ReviewListData sampleList() {
    ReviewListData list;
    list.id = ReviewListId::NoType;
    ReviewRow row;
    row.text = "caf\xE9";  // Windows-1252 é
    row.column2 = "Calc, \"quoted\"";
    row.column3 = "modA.bas";
    row.icon = "var";
    row.checked = true;
    list.rows.push_back(row);
    return list;
}
}  // namespace

TEST(ReviewOutput, TextIsCaptionThenTabSeparatedUtf8Rows) {
    std::ostringstream out;
    printReviewLists(out, {sampleList()}, OutputFormat::Text);
    EXPECT_EQ(out.str(), "# No Type\ncaf\xC3\xA9\tCalc, \"quoted\"\tmodA.bas\n");
}

TEST(ReviewOutput, CsvQuotesWhatNeedsQuotingAndRepeatsTheHeaderPerList) {
    std::ostringstream out;
    printReviewLists(out, {sampleList()}, OutputFormat::Csv);
    EXPECT_EQ(out.str(),
              "List,Name,Routine,File,Checked,Icon\r\n"
              "no-type,caf\xC3\xA9,\"Calc, \"\"quoted\"\"\",modA.bas,true,var\r\n");
}

TEST(ReviewOutput, JsonEscapesQuotesAndControlCharacters) {
    EXPECT_EQ(jsonString("a\"b\\c\x01\n"), "\"a\\\"b\\\\c\\u0001\\n\"");
    std::ostringstream out;
    ReviewListData empty;
    empty.id = ReviewListId::AllTypes;
    printReviewLists(out, {sampleList(), empty}, OutputFormat::Json);
    const std::string json = out.str();
    EXPECT_NE(json.find("\"caption\": \"No Type\""), std::string::npos);
    EXPECT_NE(json.find("\"text\": \"caf\xC3\xA9\""), std::string::npos);
    EXPECT_NE(json.find("\"column2\": \"Calc, \\\"quoted\\\"\""), std::string::npos);
    EXPECT_NE(json.find("\"rows\": []"), std::string::npos);
}

}  // namespace tally
