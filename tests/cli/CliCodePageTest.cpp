// Projects written in other code pages than Windows-1252. What every output shows for the fixtures
// under tests/data/codepages (the detected page, the texts in text, CSV and JSON, the tree) is
// checked by check_codepages.py; here, the --codepage option and member names whose Shift-JIS trail
// byte is 0x5C ("\").

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <utility>

#include "CliRun.h"
#include "support/TempDir.h"

namespace tally {

using ::testing::HasSubstr;
using ::testing::Not;

namespace {

const std::string kShiftJisProject = std::string(TALLY_SOURCE_DIR) + "/tests/data/codepages/cp932/App.vbp";

}  // namespace

TEST(CliCodePage, TheCodePageCanBeNamedOrOverruled) {
    CliRun detected = run({"scan", kShiftJisProject, "--list", "texts", "--no-progress"});
    ASSERT_EQ(detected.code, kExitOk) << detected.err;
    EXPECT_THAT(detected.out, HasSubstr("  code page:  932"));
    EXPECT_THAT(detected.out, HasSubstr("請求書を表示"));
    // Named; or Windows-1252, which shows the bytes as Western letters and says nothing of a page.
    CliRun named = run({"scan", kShiftJisProject, "--list", "texts", "--codepage", "shift_jis", "--no-progress"});
    EXPECT_THAT(named.out, HasSubstr("請求書を表示"));
    CliRun western = run({"scan", kShiftJisProject, "--list", "texts", "--codepage", "1252", "--no-progress"});
    EXPECT_THAT(western.out, Not(HasSubstr("請求書を表示")));
    EXPECT_THAT(western.out, Not(HasSubstr("code page:")));
    EXPECT_EQ(run({"scan", kShiftJisProject, "--codepage", "klingon"}).code, kExitUsage);
}

// Japanese member names: 表示 ends in 0x5C, which is no folder separator there; and a copy that
// wrote the names in UTF-8 still finds its members.
TEST(CliCodePage, JapaneseMemberNamesAreFoundAsTheProjectOrTheDiskSpellsThem) {
    const std::string form = "VERSION 5.00\r\nBegin VB.Form frmMain \r\n   Caption = \"\x95\x5C\x8E\xA6\"\r\nEnd\r\n"
                             "Attribute VB_Name = \"frmMain\"\r\n";
    const std::string module = "Attribute VB_Name = \"modA\"\r\nPublic Sub \x95\x5C\x8E\xA6()\r\nEnd Sub\r\n";
    const std::string vbp = "Type=Exe\r\nForm=\x95\x5C\x8E\xA6.frm\r\nModule=modA; \x83\x5C\x83\x74\x83\x67.bas\r\n";
    // The names on the disk as the project file has them (Shift-JIS bytes), then as a tool that
    // wrote them in UTF-8 unpacked them.
    const std::pair<std::string, std::string> names[] = {{"\x95\x5C\x8E\xA6.frm", "\x83\x5C\x83\x74\x83\x67.bas"},
                                                         {"表示.frm", "ソフト.bas"}};
    for (const auto& [formName, moduleName] : names) {
        SCOPED_TRACE(formName);
        TempDir dir;
        dir.write(formName, form);
        dir.write(moduleName, module);
        CliRun scan = run({"scan", dir.write("App.vbp", vbp), "--list", "never-called", "--no-progress"});
        EXPECT_THAT(scan.out, HasSubstr("  files:      2\n"));
        EXPECT_THAT(scan.out, HasSubstr("表示\tSub Routine\tソフト.bas"));
    }
}

}  // namespace tally
