// Projects written in other code pages than Windows-1252: the CLI tells the code page from the
// files' bytes and prints what users read in UTF-8. The fixtures' DBCS texts have trail bytes 0x5C
// ("\") inside captions and string literals, as real Japanese and Taiwanese projects do.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "CliRun.h"
#include "support/TempDir.h"

namespace tally {

using ::testing::HasSubstr;
using ::testing::Not;

namespace {

// A one-form project whose caption, button and message are in `caption`, `button`, `message`
// (bytes of the project's code page). Each text starts with a Latin word: the Spell Check list
// takes texts that begin with a letter, a digit, a blank or "&".
std::string writeProject(const TempDir& dir, const std::string& caption, const std::string& button,
                         const std::string& message) {
    dir.write("frmMain.frm", "VERSION 5.00\r\n"
                             "Begin VB.Form frmMain \r\n"
                             "   Caption         =   \"Ledger " + caption + "\"\r\n"
                             "   ClientHeight    =   3000\r\n"
                             "   Begin VB.CommandButton cmdQuit \r\n"
                             "      Caption         =   \"&Q " + button + "\"\r\n"
                             "   End\r\n"
                             "End\r\n"
                             "Attribute VB_Name = \"frmMain\"\r\n"
                             "Private Sub cmdQuit_Click()\r\n"
                             "    MsgBox \"OK " + message + "\"\r\n"
                             "End Sub\r\n");
    return dir.write("App.vbp", "Type=Exe\r\nForm=frmMain.frm\r\nName=\"App\"\r\n");
}

// 請求書を表示, 終了, ソフトを終了します in Shift-JIS: 表 and ソ end in 0x5C.
const std::string kSjisCaption = "\x90\xBF\x8B\x81\x8F\x91\x82\xF0\x95\x5C\x8E\xA6";
const std::string kSjisButton = "\x8F\x49\x97\xB9";
const std::string kSjisMessage = "\x83\x5C\x83\x74\x83\x67\x82\xF0\x8F\x49\x97\xB9\x82\xB5\x82\xDC\x82\xB7";

}  // namespace

TEST(CliCodePage, AShiftJisProjectIsToldAndItsTextsPrintInUtf8) {
    TempDir dir;
    const std::string project = writeProject(dir, kSjisCaption, kSjisButton, kSjisMessage);
    CliRun texts = run({"scan", project, "--list", "texts", "--no-progress"});
    ASSERT_EQ(texts.code, kExitOk) << texts.err;
    EXPECT_THAT(texts.out, HasSubstr("  code page:  932"));
    EXPECT_THAT(texts.out, HasSubstr("請求書を表示"));
    EXPECT_THAT(texts.out, HasSubstr("&Q 終了\n"));
    EXPECT_THAT(texts.out, HasSubstr("ソフトを終了します"));

    CliRun csv = run({"scan", project, "--list", "texts", "--format", "csv", "--no-progress"});
    EXPECT_THAT(csv.out, HasSubstr("File,Control/Routine,Variable/Property,Text\r\n"));
    EXPECT_THAT(csv.out, HasSubstr("請求書を表示"));
    CliRun json = run({"scan", project, "--list", "texts", "--format", "json", "--no-progress"});
    EXPECT_THAT(json.out, HasSubstr("\"codePage\": 932"));
    EXPECT_THAT(json.out, HasSubstr("\"text\": \"OK ソフトを終了します\""));

    // The code page can be named; Windows-1252 shows the bytes as Western letters instead.
    CliRun named = run({"scan", project, "--list", "texts", "--codepage", "shift_jis", "--no-progress"});
    EXPECT_THAT(named.out, HasSubstr("請求書を表示"));
    CliRun western = run({"scan", project, "--list", "texts", "--codepage", "1252", "--no-progress"});
    EXPECT_THAT(western.out, Not(HasSubstr("請求書を表示")));
    EXPECT_THAT(western.out, Not(HasSubstr("code page:")));
    EXPECT_EQ(run({"scan", project, "--codepage", "klingon"}).code, kExitUsage);
}

TEST(CliCodePage, BigFiveCyrillicAndUtf8ProjectsAreToldApart) {
    {
        // 關閉視窗, 許可功能 in Big5: 許 and 功 end in 0x5C.
        TempDir dir;
        const std::string project = writeProject(dir, "\xC3\xF6\xB3\xAC\xB5\xF8\xB5\xA1", "\xB3\x5C\xA5\x69\xA5\x5C\xAF\xE0",
                                                 "\xC3\xF6\xB3\xAC");
        CliRun texts = run({"scan", project, "--list", "texts", "--no-progress"});
        EXPECT_THAT(texts.out, HasSubstr("  code page:  950"));
        EXPECT_THAT(texts.out, HasSubstr("關閉視窗"));
        EXPECT_THAT(texts.out, HasSubstr("許可功能"));
    }
    {
        // Закрыть окно in Windows-1251.
        TempDir dir;
        const std::string project = writeProject(dir, "\xC7\xE0\xEA\xF0\xFB\xF2\xFC\x20\xEE\xEA\xED\xEE",
                                                 "\xC2\xFB\xF5\xEE\xE4", "\xC4\xE0\xED\xED\xFB\xE5");
        CliRun texts = run({"scan", project, "--list", "texts", "--no-progress"});
        EXPECT_THAT(texts.out, HasSubstr("  code page:  1251"));
        EXPECT_THAT(texts.out, HasSubstr("Закрыть окно"));
    }
    {
        TempDir dir;
        const std::string project = writeProject(dir, "Übersicht öffnen", "Schließen", "Auf Wiedersehen");
        CliRun texts = run({"scan", project, "--list", "texts", "--no-progress"});
        EXPECT_THAT(texts.out, HasSubstr("  code page:  65001"));
        EXPECT_THAT(texts.out, HasSubstr("Übersicht öffnen"));
    }
    {
        // Western text stays Windows-1252 and says nothing about it.
        TempDir dir;
        const std::string project = writeProject(dir, "\xDC" "bersicht \xF6" "ffnen", "Schlie\xDF" "en", "Tsch\xFC" "ss");
        CliRun texts = run({"scan", project, "--list", "texts", "--no-progress"});
        EXPECT_THAT(texts.out, Not(HasSubstr("code page:")));
        EXPECT_THAT(texts.out, HasSubstr("Übersicht öffnen"));
    }
}

// Japanese member names: 表示 ends in 0x5C, which is no folder separator there; and a copy that
// wrote the names in UTF-8 still finds its members.
TEST(CliCodePage, JapaneseMemberNamesAreFoundAsTheProjectOrTheDiskSpellsThem) {
    const std::string form = "VERSION 5.00\r\nBegin VB.Form frmMain \r\n   Caption = \"\x95\x5C\x8E\xA6\"\r\nEnd\r\n"
                             "Attribute VB_Name = \"frmMain\"\r\n";
    const std::string module = "Attribute VB_Name = \"modA\"\r\nPublic Sub \x95\x5C\x8E\xA6()\r\nEnd Sub\r\n";
    const std::string vbp = "Type=Exe\r\nForm=\x95\x5C\x8E\xA6.frm\r\nModule=modA; \x83\x5C\x83\x74\x83\x67.bas\r\n";
    {
        TempDir dir;  // the names on the disk as the project file has them (Shift-JIS bytes)
        dir.write("\x95\x5C\x8E\xA6.frm", form);
        dir.write("\x83\x5C\x83\x74\x83\x67.bas", module);
        const std::string project = dir.write("App.vbp", vbp);
        CliRun scan = run({"scan", project, "--list", "never-called", "--no-progress"});
        EXPECT_THAT(scan.out, HasSubstr("  files:      2\n"));
        EXPECT_THAT(scan.out, HasSubstr("表示\tSub Routine\tソフト.bas"));
    }
    {
        TempDir dir;  // the same project unpacked by a tool that wrote the names in UTF-8
        dir.write("表示.frm", form);
        dir.write("ソフト.bas", module);
        const std::string project = dir.write("App.vbp", vbp);
        CliRun scan = run({"scan", project, "--list", "never-called", "--no-progress"});
        EXPECT_THAT(scan.out, HasSubstr("  files:      2\n"));
        EXPECT_THAT(scan.out, HasSubstr("表示\tSub Routine\tソフト.bas"));
    }
}

}  // namespace tally
