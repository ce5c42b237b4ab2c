// Reports of projects written in a double-byte code page: every text is decoded before it is
// escaped, measured and written, so a trail byte that is '\' or '|' stays inside its character.

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>

#include "ReportFixtures.h"
#include "core/project/TreeSkeleton.h"
#include "core/reports/CodeReport.h"
#include "core/reports/ReportOutput.h"
#include "core/reports/SpellCheckReport.h"
#include "core/reports/StatisticsReport.h"
#include "core/reports/TextWidth.h"
#include "core/text/CharacterLayout.h"
#include "core/text/Windows1252Codec.h"

namespace tally {

namespace {

// Shift-JIS ("\x83\x5C" ソ, "\x83\x7C" ポ, "\x95\x5C" 表) and Big5 ("\xA5\x5C" 功, "\xB3\x5C" 許):
// the few characters these tests use; any other character reads as U+FFFD.
class FewCharactersCodec final : public TextCodec {
public:
    explicit FewCharactersCodec(int page) : m_page(page) {}
    int codePage() const override { return m_page; }
    std::string name() const override { return "few-" + std::to_string(m_page); }
    std::string toUtf8(std::string_view bytes) const override {
        static const std::map<std::string, std::string, std::less<>> kCharacters = {
            {"\x83\x5C", "ソ"}, {"\x83\x7C", "ポ"}, {"\x95\x5C", "表"}, {"\xA5\x5C", "功"}, {"\xB3\x5C", "許"}};
        std::string out;
        for (std::size_t at = 0; at < bytes.size();) {
            std::string_view one = bytes.substr(at, characterLength(bytes, at, m_page));
            auto found = kCharacters.find(one);
            if (one.size() == 1 && static_cast<unsigned char>(one[0]) < 0x80) out += one;
            else out += found == kCharacters.end() ? "\xEF\xBF\xBD" : found->second;
            at += one.size();
        }
        return out;
    }
    std::optional<std::string> fromUtf8(std::string_view) const override { return std::nullopt; }

private:
    int m_page;
};

// The project's page is `page`; "/p/Utf.bas" is a UTF-8 file of its own.
SourceCodecs codecsOf(int page) {
    std::map<std::string, std::shared_ptr<const TextCodec>, std::less<>> own;
    own["/p/Utf.bas"] = makeUtf8Codec();
    return SourceCodecs(std::make_shared<FewCharactersCodec>(page), std::move(own));
}

ProjectModel japaneseProject() {
    ProjectModel model;
    buildTreeSkeleton(model.tree, false);
    model.tree.setText(kProjectKey, "\x83\x5C\x83\x7C (\x95\x5C.vbp)");
    model.projectDir = "/p/";
    model.addFile(FileRec{.name = "Hyo", .path = "/p/\x95\x5C.bas", .size = 100});
    model.addFile(FileRec{.name = "Utf", .path = "/p/Utf.bas", .size = 100});
    model.addRoutine(1, SubRec{.name = "\x83\x5C\x83\x7C", .kind = kKindSub, .file = "\x95\x5C.bas", .lineCount = 3});
    model.addRoutine(2, SubRec{.name = "Caf\xC3\xA9", .kind = kKindSub, .file = "Utf.bas", .lineCount = 2});
    std::string eightHyo;
    for (int i = 0; i < 8; ++i) eightHyo += "\x95\x5C";
    model.types = {TypeRec{eightHyo, 3, 0}, TypeRec{"Colours", 4, 0}};
    return model;
}

struct ReportCodePageTest : ::testing::Test {
    FakeFiles files;
    FakeVersions versions;
    SourceCodecs japanese = codecsOf(932);
    ReportSettings settings{.files = files, .versions = versions, .codecs = japanese, .now = reportNow()};
};

bool has(const std::string& text, std::string_view needle) { return text.find(needle) != std::string::npos; }

}  // namespace

TEST_F(ReportCodePageTest, CodeReportWritesEachCharacterOnceAndEscapesNoTrailByte) {
    std::string rtf = *buildCodeReport(japaneseProject(), settings);
    EXPECT_TRUE(has(rtf, "\\u12477\\'3f\\u12509\\'3f (\\u-30616\\'3f.vbp)")) << rtf;  // 表 is U+8868, past 32767
    EXPECT_FALSE(has(rtf, "\\\\")) << rtf;  // no backslash was put before a trail byte 0x5C
    Texts texts = paragraphs(rtf);
    EXPECT_EQ(texts[2], "ソポ (表.vbp)");
    EXPECT_EQ(texts[6], "ソポ\t表.bas");
    EXPECT_EQ(texts[7], "Café\tUtf.bas");  // a file's own codec reads its names
    EXPECT_EQ(texts.back(), "Colours\tEnum");
    EXPECT_EQ(texts[texts.size() - 2], "表表表表表表表表\tType");

    // The same bytes in a Windows-1252 project are Windows-1252 characters, the 0x5C a backslash.
    ReportSettings western = usSettings(files, versions);
    std::string rtf1252 = *buildCodeReport(japaneseProject(), western);
    EXPECT_TRUE(has(rtf1252, "\\'83\\\\\\'83|")) << rtf1252;
    EXPECT_TRUE(has(rtf1252, "Caf\\'e9 "));
}

TEST_F(ReportCodePageTest, SpellCheckReportEscapesBracesBetweenBig5Characters) {
    SourceCodecs chinese = codecsOf(950);
    ReportSettings big5{.files = files, .versions = versions, .codecs = chinese, .now = reportNow()};
    ProjectModel model = japaneseProject();
    model.spell = {SpellRow{.file = "frm\xA5\x5C.frm", .routine = "lbl\xB3\x5C", .label = "Caption",
                            .value = "\xA5\x5C{\xB3\x5C}\\", .corrected = "\xB3\x5C", .checked = true},
                   SpellRow{.file = "Utf.bas", .routine = "Main", .label = "Caption", .value = "Caf\xC3\xA9",
                            .corrected = "Cafe", .checked = true}};
    std::string rtf = *buildSpellCheckReport(model, big5).document;
    EXPECT_TRUE(has(rtf, "Original Text:    \\u21151\\'3f\\{\\u-30159\\'3f\\}\\\\")) << rtf;
    Texts texts = paragraphs(rtf);
    EXPECT_EQ(texts[4], "File: frm功.frm");
    EXPECT_EQ(texts[6], "\tRoutine: lbl許");
    EXPECT_EQ(texts[9], "\t\tOriginal Text:    功{許}\\");
    EXPECT_EQ(texts[10], "\t\tCorrected Text: 許");
    EXPECT_EQ(texts[17], "\t\tOriginal Text:    Café");
}

TEST_F(ReportCodePageTest, StatisticsReportListsDecodedPathsAndLinesUpWideTypeNames) {
    files.present = {"/p/\x95\x5C.bas"};
    std::string rtf = buildStatisticsReport(japaneseProject(), settings);
    Texts texts = paragraphs(rtf);
    EXPECT_NE(std::find(texts.begin(), texts.end(), "\t/p/表.bas"), texts.end());
    EXPECT_NE(std::find(texts.begin(), texts.end(), "\tLongest Routine: ソポ in 表.bas - 3 Lines."), texts.end());

    // The wide name sets the column: it has fewer characters than "Type Name", but they are wider.
    TextWidth width;
    double target = width.twips("表表表表表表表表\t\t");
    ASSERT_GT(target, width.twips("Type Name\t\t"));
    EXPECT_EQ(expectFirstCellsPadded(rtf, target, [](const std::string& text) { return text[0] != ' '; }), 3);
}

TEST(TextWidth, CharactersBeyondWindows1252HaveTheWidthTheyAreShownAt) {
    TextWidth ten;
    EXPECT_DOUBLE_EQ(ten.twips("表"), 200.0);       // an em at 10 points
    EXPECT_DOUBLE_EQ(ten.twips("ｱ"), 100.0);        // half-width katakana: half an em
    EXPECT_DOUBLE_EQ(ten.twips("Ж"), ten.twips("n"));  // other letters as an average letter
    EXPECT_DOUBLE_EQ(ten.twips("\xC3\xA9"), ten.twips("\xE9"));  // é from UTF-8 or a Windows-1252 byte
    EXPECT_DOUBLE_EQ(ten.twips("€"), ten.twips("\x80"));
}

TEST_F(ReportCodePageTest, PlainTextAndHtmlCarryTheCharactersAsUtf8) {
    std::string rtf = *buildCodeReport(japaneseProject(), settings);
    std::string text = reportFileBytes(rtf, ReportFormat::PlainText, "Report");
    EXPECT_TRUE(has(text, "ソポ (表.vbp)\r\n")) << text;
    std::string html = reportFileBytes(rtf, ReportFormat::Html, "表 Report");
    EXPECT_TRUE(has(html, "<title>表 Report</title>")) << html;
    EXPECT_TRUE(has(html, ">ソポ (表.vbp)</span>")) << html;
    EXPECT_TRUE(has(reportFileBytes(rtf, ReportFormat::Html, "Caf\xE9"), "<title>Café</title>"));
}

}  // namespace tally
