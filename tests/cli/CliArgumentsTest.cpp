#include "cli/CliArguments.h"

#include <gtest/gtest.h>

namespace tally {

TEST(CliArguments, MistakesAreReportedWithTheirReason) {
    EXPECT_EQ(parseCliArguments({}).error, "no command given");
    EXPECT_EQ(parseCliArguments({"frobnicate"}).error, "unknown command 'frobnicate'");
    EXPECT_EQ(parseCliArguments({"scan", "a.vbp", "b.vbp"}).error, "unexpected argument 'b.vbp'");
    EXPECT_EQ(parseCliArguments({"scan", "a.vbp", "--save"}).error, "--save needs a file name");
    EXPECT_EQ(parseCliArguments({"open", "a.psf", "--list", "dead"}).error, "unknown list 'dead' (see --help)");
    EXPECT_EQ(parseCliArguments({"open", "a.psf", "--format", "xml"}).error, "--format takes text, csv or json");
    EXPECT_EQ(parseCliArguments({"open", "a.psf", "--routine", "modA.bas"}).error, "--routine takes FILE:NAME");
    EXPECT_EQ(parseCliArguments({"open", "a.psf", "--save-partial"}).error, "--save-partial belongs to 'scan'");
    EXPECT_EQ(parseCliArguments({"scan", "a.vbp", "--save-partial"}).error, "--save-partial needs --save");
    EXPECT_EQ(parseCliArguments({"tree", "a.vbp", "--list", "all"}).error, "'tree' takes no options");
    EXPECT_EQ(parseCliArguments({"scan", "a.vbp", "--bogus"}).error, "unknown option '--bogus'");
}

TEST(CliArguments, HelpWinsAnywhere) {
    EXPECT_EQ(parseCliArguments({"--help"}).arguments.command, CliCommand::Help);
    CliParseResult late = parseCliArguments({"scan", "--help"});
    EXPECT_TRUE(late.ok);
    EXPECT_EQ(late.arguments.command, CliCommand::Help);
}

}  // namespace tally
