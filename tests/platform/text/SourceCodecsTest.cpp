// Choosing and using the codecs of a project: the page of its files, a file of another encoding
// read by itself (both ways), a scan without its sources told by its texts, the mixed reading of
// texts whose origin is not known, and '?' only where a character truly has no bytes.

#include <gtest/gtest.h>

#include "core/project/ProjectReader.h"
#include "core/project/SourceCodecChoice.h"
#include "core/text/SourceCodecs.h"
#include "platform/text/TextCodecs.h"
#include "support/TempDir.h"

namespace tally {

namespace {

struct NoVersions final : FileVersionSource {
    std::string fileVersion(std::string_view) const override { return {}; }
};

std::string inPage(const char* utf8, int codePage) {
    return makeTextCodec(codePage)->fromUtf8(utf8).value();
}

// A project of one module per text, each file written as given.
ProjectModel projectOf(const TempDir& dir, const std::vector<std::string>& modules) {
    std::string vbp = "Type=Exe\r\n";
    for (std::size_t i = 0; i < modules.size(); ++i) {
        const std::string name = "mod" + std::to_string(i);
        dir.write(name + ".bas", "Attribute VB_Name = \"" + name + "\"\r\n' " + modules[i] + "\r\n");
        vbp += "Module=" + name + "; " + name + ".bas\r\n";
    }
    ProjectModel model;
    NoVersions versions;
    EXPECT_TRUE(openProject(model, dir.write("App.vbp", vbp), versions).ok);
    return model;
}

}  // namespace

TEST(SourceCodecs, MembersReadWholeAreKeptForTheFirstPass) {
    TempDir dir;
    ProjectModel model = projectOf(dir, {"short", "long", "under a sample"});
    dir.write("mod1.bas", std::string(64 * 1024, 'x'));      // a whole sample: it may go on
    dir.write("mod2.bas", std::string(64 * 1024 - 1, 'y'));  // one byte under a sample: read whole
    SourceTextCache whole;
    ASSERT_TRUE(chooseSourceCodecs(model, kCodePageAuto, makeTextCodec, &whole).failure.empty());
    const std::optional<std::string> first = whole.take(model.files[1].path);
    ASSERT_TRUE(first);
    EXPECT_EQ(*first, "Attribute VB_Name = \"mod0\"\r\n' short\r\n");
    EXPECT_FALSE(whole.take(model.files[2].path));  // a sample of it, not known to be all of it
    ASSERT_TRUE(whole.take(model.files[3].path));
    EXPECT_EQ(whole.take(model.files[3].path), std::nullopt);  // handed over once
    EXPECT_FALSE(whole.take(model.projectPath));  // the project file is no member
}

TEST(SourceCodecs, AFileOfAnotherEncodingIsReadByItselfBothWays) {
    const std::string japanese = inPage("請求書を表示する。ソフトの予定表を保存します。", 932);
    {
        TempDir dir;
        ProjectModel model = projectOf(dir, {japanese, japanese, "新しいモジュール（UTF-8 で保存）"});
        SourceCodecChoice chosen = chooseSourceCodecs(model, kCodePageAuto, makeTextCodec);
        ASSERT_TRUE(chosen.failure.empty());
        EXPECT_EQ(chosen.codecs.codePage(), 932);
        EXPECT_FALSE(chosen.codecs.hasOwnCodec(model.files[1].path));
        EXPECT_EQ(chosen.codecs.ofFile(model.files[3].path).codePage(), kCodePageUtf8);
        EXPECT_EQ(chosen.codecs.fileToUtf8(model.files[1].path, japanese),
                  "請求書を表示する。ソフトの予定表を保存します。");
        EXPECT_EQ(chosen.codecs.namedFileToUtf8("MOD2.BAS", "新しい"), "新しい");
    }
    {
        TempDir dir;  // a UTF-8 project with one file left in Windows-1252
        ProjectModel model = projectOf(dir, {"Übersicht öffnen", "Schließen", "Gr\xFC\xDF" "e aus K\xF6ln"});
        SourceCodecChoice chosen = chooseSourceCodecs(model, kCodePageAuto, makeTextCodec);
        EXPECT_EQ(chosen.codecs.codePage(), kCodePageUtf8);
        EXPECT_EQ(chosen.codecs.ofFile(model.files[3].path).codePage(), kCodePageWestern);
        EXPECT_EQ(chosen.codecs.fileToUtf8(model.files[3].path, "K\xF6ln"), "Köln");
    }
    {
        TempDir dir;  // the page named by the user wins over what the bytes show
        ProjectModel model = projectOf(dir, {japanese});
        EXPECT_EQ(chooseSourceCodecs(model, 1252, makeTextCodec).codecs.codePage(), 1252);
        EXPECT_EQ(chooseSourceCodecs(model, 4242, makeTextCodec).failure,
                  "code page 4242 is not available on this system");
    }
}

// Detection reads the first 64 KiB of a file; a sample that ends just after a character of four
// bytes (an emoji) is still UTF-8 from its first byte to its last.
TEST(SourceCodecs, AUtf8FileWhoseSampleEndsAfterAFourByteCharacterIsUtf8) {
    TempDir dir;
    const std::string japanese = inPage("請求書を表示する。ソフトの予定表を保存します。", 932);
    const std::string head = "Attribute VB_Name = \"mod2\"\r\n' ";
    const std::string utf8 = "新しいモジュール ";
    const std::string emoji = "\xF0\x9F\x98\x80";
    const std::string text =
        utf8 + std::string(64 * 1024 - head.size() - utf8.size() - emoji.size(), 'a') + emoji;
    ProjectModel model = projectOf(dir, {japanese, japanese, text + " tail"});
    SourceCodecChoice chosen = chooseSourceCodecs(model, kCodePageAuto, makeTextCodec);
    EXPECT_EQ(chosen.codecs.codePage(), 932);
    EXPECT_EQ(chosen.codecs.ofFile(model.files[3].path).codePage(), kCodePageUtf8);
}

// A model row names its file as fileNameOf does: a "\\" after the last "/" is a byte of the name,
// such as the trail byte of 表 (Shift-JIS 0x95 0x5C).
TEST(SourceCodecs, AFileWithACodecOfItsOwnIsFoundByANameWithATrailByteLikeASeparator) {
    const std::string name = "\x95\x5C\x8E\xA6.bas";
    const SourceCodecs codecs(
        makeTextCodec(932),
        {{"/proj/" + name, std::shared_ptr<const TextCodec>(makeTextCodec(kCodePageUtf8))}});
    // "ý" in UTF-8 is "ﾃｽ" in Shift-JIS: only the file's own codec reads it right.
    EXPECT_EQ(codecs.namedFileToUtf8(name, "\xC3\xBD"), "\xC3\xBD");
}

TEST(SourceCodecs, AScanWithoutItsSourcesIsToldByItsTexts) {
    ProjectModel model;
    model.projectPath = "/nowhere/App.vbp";
    model.files.resize(2);
    model.files[1].path = "/nowhere/frmMain.frm";
    for (const char* text : {"關閉視窗", "許可功能設定", "功能不足，請重試四次"})
        model.spell.emplace_back().value = inPage(text, 950);
    EXPECT_EQ(chooseSourceCodecs(model, kCodePageAuto, makeTextCodec).codecs.codePage(), 950);
}

TEST(SourceCodecs, TextsOfUnknownOriginAndCharactersWithoutBytes) {
    const SourceCodecs japanese(makeTextCodec(932), {});
    // Shift-JIS, a UTF-8 name from the disk, and Shift-JIS bytes that happen to be UTF-8 ("ﾃｽ").
    EXPECT_EQ(japanese.toUtf8(inPage("表示", 932)), "表示");
    EXPECT_EQ(japanese.toUtf8("ソフト.bas"), "ソフト.bas");
    EXPECT_EQ(japanese.toUtf8("\xC3\xBD"), "ﾃｽ");
    // Windows-1252 keeps its mixed reading.
    const SourceCodecs western;
    EXPECT_EQ(western.toUtf8("caf\xE9 (caf\xC3\xA9.bas)"), "café (café.bas)");

    EXPECT_EQ(encodeWithQuestionMarks(japanese.project(), "表€示"), inPage("表", 932) + "?" + inPage("示", 932));
    EXPECT_EQ(encodeWithQuestionMarks(western.project(), "€ and 表"), "\x80 and ?");
}

}  // namespace tally
