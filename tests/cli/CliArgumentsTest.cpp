#include "cli/CliArguments.h"

#include <gtest/gtest.h>

namespace tally {

TEST(CliArguments, MistakesAreReportedWithTheirReason) {
    EXPECT_EQ(parseCliArguments({}).error, "no command given");
    EXPECT_EQ(parseCliArguments({"frobnicate"}).error, "unknown command 'frobnicate'");
    EXPECT_EQ(parseCliArguments({"scan", "a.vbp", "b.vbp"}).error, "unexpected argument 'b.vbp'");
    EXPECT_EQ(parseCliArguments({"scan", "a.vbp", "--save"}).error, "--save needs a file name");
    EXPECT_EQ(parseCliArguments({"open", "a.psf", "--list", "dead"}).error, "unknown list 'dead' (see --help)");
    EXPECT_EQ(parseCliArguments({"open", "a.psf", "--format", "xml"}).error, "--format takes text, csv, json, sarif, junit or codeclimate");
    EXPECT_EQ(parseCliArguments({"open", "a.psf", "--routine", "modA.bas"}).error, "--routine takes FILE:NAME");
    EXPECT_EQ(parseCliArguments({"open", "a.psf", "--save-partial"}).error, "--save-partial belongs to 'scan'");
    EXPECT_EQ(parseCliArguments({"scan", "a.vbp", "--save-partial"}).error, "--save-partial needs --save");
    EXPECT_EQ(parseCliArguments({"tree", "a.vbp", "--list", "all"}).error, "'tree' takes no options");
    EXPECT_EQ(parseCliArguments({"scan", "a.vbp", "--bogus"}).error, "unknown option '--bogus'");
    for (const char* count : {"0", "x", "2x", "-1", "257", ""})
        EXPECT_EQ(parseCliArguments({"scan", "a.vbp", "--jobs", count}).error,
                  "--jobs takes a number of threads from 1 to 256") << count;
    EXPECT_EQ(parseCliArguments({"open", "a.psf", "--jobs", "2"}).error, "--jobs belongs to 'scan'");
    EXPECT_EQ(parseCliArguments({"scan", "a.vbp", "--jobs", "3"}).arguments.jobs, 3);
}

TEST(CliArguments, HelpWinsAnywhere) {
    EXPECT_EQ(parseCliArguments({"--help"}).arguments.command, CliCommand::Help);
    CliParseResult late = parseCliArguments({"scan", "--help"});
    EXPECT_TRUE(late.ok);
    EXPECT_EQ(late.arguments.command, CliCommand::Help);
}

// Options arrive as typed values: lists in the order asked with "all" expanded and repeats dropped,
// the format, and FILE:NAME split at its first colon.
TEST(CliArguments, OptionsBecomeTypedValues) {
    CliParseResult parsed = parseCliArguments({"open", "a.psf", "--list", "no-code", "--list", "all", "--fail-on",
                                               "never-used", "--format", "json", "--routine",
                                               "modMain.bas:Value [Get]", "--routine", "b.cls:x:y"});
    ASSERT_TRUE(parsed.ok) << parsed.error;
    const CliArguments& args = parsed.arguments;
    ASSERT_EQ(args.lists.size(), kAllReviewLists.size());
    EXPECT_EQ(args.lists[0], ReviewListId::NoCode);
    EXPECT_EQ(args.lists[1], ReviewListId::NeverCalled);
    EXPECT_EQ(args.lists.back(), ReviewListId::AllTypes);
    ASSERT_EQ(args.failOn.size(), 1u);
    EXPECT_EQ(args.failOn[0], ReviewListId::NeverUsed);
    EXPECT_EQ(args.format, OutputFormat::Json);
    ASSERT_EQ(args.routines.size(), 2u);
    EXPECT_EQ(args.routines[0].file, "modMain.bas");
    EXPECT_EQ(args.routines[0].name, "Value [Get]");
    EXPECT_EQ(args.routines[1].file, "b.cls");
    EXPECT_EQ(args.routines[1].name, "x:y");
}

}  // namespace tally
