#include "core/text/CodePageDetection.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tally {

namespace {

int detect(std::initializer_list<std::string_view> texts) {
    return detectCodePage(std::vector<std::string_view>(texts));
}

// Lines from the modules and forms of VB6 projects as the IDE saved them on machines with each code
// page. Several DBCS characters here end in 0x5C ('\') or 0x7C ('|'), which byte-wise tools mistake
// for separators.
constexpr std::string_view kJapanese[] = {
    "' \x90\xBF\x8B\x81\x8F\x91\x82\xF0\x88\xF3\x8D\xFC\x82\xB7\x82\xE9",  // ' 請求書を印刷する
    "Caption = \"\x83t\x83@\x83"
    "C\x83\x8B\x82\xF0\x8A"
    "J\x82\xAD\"",  // Caption = "ファイルを開く"
    "MsgBox \"\x95\xDB\x91\xB6\x82\xB5\x82\xDC\x82\xB5\x82\xBD\x81"
    "B\"",                                                      // MsgBox "保存しました。"
    "Caption = \"\x95\\\x8E\xA6\"",                             // Caption = "表示"
    "lblTitle.Caption = \"\x83\\\x83t\x83g\x90\xDD\x92\xE8\"",  // lblTitle.Caption = "ソフト設定"
};
constexpr std::string_view kSimplifiedChinese[] = {
    "' \xB4\xF2\xBF\xAA\xBF\xCD\xBB\xA7\xCE\xC4\xBC\xFE",  // ' 打开客户文件
    "Caption = \"\xB1\xA3\xB4\xE6\xCA\xFD\xBE\xDD\"",      // Caption = "保存数据"
    "MsgBox \"\xCE\xDE\xB7\xA8\xC1\xAC\xBD\xD3\xCA\xFD\xBE\xDD\xBF\xE2\xA3\xAC\xC7\xEB\xBC\xEC\xB2\xE9"
    "\xC9\xE8\xD6\xC3\xA1\xA3\"",  // MsgBox "无法连接数据库，请检查设置。"
};
constexpr std::string_view kKorean[] = {
    "' \xC6\xC4\xC0\xCF\xC0\xBB \xC0\xFA\xC0\xE5\xC7\xD5\xB4\xCF\xB4\xD9",  // ' 파일을 저장합니다
    "Caption = \"\xB0\xED\xB0\xB4 \xB8\xF1\xB7\xCF\"",                      // Caption = "고객 목록"
    "MsgBox \"\xB5\xA5\xC0\xCC\xC5\xCD\xBA\xA3\xC0\xCC\xBD\xBA\xBF\xA1 \xBF\xAC\xB0\xE1\xC7\xD2 \xBC\xF6 "
    "\xBE\xF8\xBD\xC0\xB4\xCF\xB4\xD9.\"",  // MsgBox "데이터베이스에 연결할 수 없습니다."
};
constexpr std::string_view kTraditionalChinese[] = {
    "' \xA6"
    "C\xA6L\xB3\xF8\xAA\xED",                          // ' 列印報表
    "Caption = \"\xAB\xC8\xA4\xE1\xB8\xEA\xAE\xC6\"",  // Caption = "客戶資料"
    "MsgBox \"\xB5L\xAA"
    "k\xB3s\xB1\xB5\xB8\xEA\xAE\xC6\xAE"
    "w\xA1"
    "A\xBD\xD0\xC0\xCB\xAC"
    "d\xB3]\xA9"
    "w\xA1"
    "C\"",                         // MsgBox "無法連接資料庫，請檢查設定。"
    "Caption = \"\xB3\\\xA5i\"",   // Caption = "許可"
    "Label1 = \"\xA5|\xA4\xEB\"",  // Label1 = "四月"
};
constexpr std::string_view kRussian[] = {
    "' \xCE\xF2\xEA\xF0\xFB\xF2\xFC \xF4\xE0\xE9\xEB \xEA\xEB\xE8\xE5\xED\xF2\xE0",  // ' Открыть файл клиента
    "Caption = \"\xD1\xEE\xF5\xF0\xE0\xED\xE8\xF2\xFC \xE8\xE7\xEC\xE5\xED\xE5\xED\xE8\xFF\"",  // "Сохранить
                                                                                                // изменения"
};
constexpr std::string_view kWestern[] = {
    "' Gr\xF6\xDF"
    "e der Datei pr\xFC"
    "fen",  // ' Größe der Datei prüfen
    "Caption = \"Donn\xE9"
    "es enregistr\xE9"
    "es\"",  // Caption = "Données enregistrées"
    "MsgBox \"\xDC"
    "bersicht drucken\"",  // MsgBox "Übersicht drucken"
};
constexpr std::string_view kGreek[] = {
    "' \xA2\xED\xEF\xE9\xE3\xEC\xE1 \xE1\xF1\xF7\xE5\xDF\xEF\xF5 \xF0\xE5\xEB\xDC\xF4\xE7",  // ' Άνοιγμα
                                                                                             // αρχείου πελάτη
    "Caption = \"\xC1\xF0\xEF\xE8\xDE\xEA\xE5\xF5\xF3\xE7 \xE1\xEB\xEB\xE1\xE3\xFE\xED\"",  // "Αποθήκευση
                                                                                            // αλλαγών"
};

template <std::size_t N>
std::vector<std::string_view> all(const std::string_view (&lines)[N]) {
    return {std::begin(lines), std::end(lines)};
}

}  // namespace

TEST(CodePageDetection, AsciiIsWestern) {
    EXPECT_EQ(detect({}), 1252);
    EXPECT_EQ(detect({"VERSION 5.00\r\nBegin VB.Form frmMain\r\n", "Attribute VB_Name = \"Module1\"\r\n"}),
              1252);
}

TEST(CodePageDetection, WellFormedUtf8WithMultiByteCharactersIsUtf8) {
    EXPECT_EQ(detect({"Option Explicit\r\n", "' \xE8\xAB\x8B\xE6\xB1\x82\xE6\x9B\xB8\r\n"}), 65001);
    EXPECT_EQ(detect({"\xEF\xBB\xBF"
                      "Attribute VB_Name = \"Module1\""}),
              65001);  // the byte order mark alone
    // A sample that ends inside a character is still UTF-8 ...
    EXPECT_EQ(detect({"Caption = \"Donn\xC3\xA9"
                      "es \xE2\x82"}),
              65001);
    // ... but one malformed sequence anywhere is not.
    EXPECT_EQ(detect({"Caption = \"Donn\xC3\xA9"
                      "es\"",
                      "' caf\xE9 "}),
              1252);
}

TEST(CodePageDetection, TellsTheDoubleBytePagesApartFromAllLinesOrAnyOne) {
    EXPECT_EQ(detectCodePage(all(kJapanese)), 932);
    EXPECT_EQ(detectCodePage(all(kSimplifiedChinese)), 936);
    EXPECT_EQ(detectCodePage(all(kKorean)), 949);
    EXPECT_EQ(detectCodePage(all(kTraditionalChinese)), 950);
    for (std::string_view line : kJapanese) EXPECT_EQ(detect({line}), 932) << line;
    for (std::string_view line : kSimplifiedChinese) EXPECT_EQ(detect({line}), 936) << line;
    for (std::string_view line : kKorean) EXPECT_EQ(detect({line}), 949) << line;
    for (std::string_view line : kTraditionalChinese) EXPECT_EQ(detect({line}), 950) << line;
}

TEST(CodePageDetection, SingleBytePagesByTheShapeOfTheirWords) {
    EXPECT_EQ(detectCodePage(all(kWestern)), 1252);
    for (std::string_view line : kWestern) EXPECT_EQ(detect({line}), 1252) << line;
    EXPECT_EQ(detectCodePage(all(kRussian)), 1251);
    EXPECT_EQ(detectCodePage(all(kGreek)), 1253);
    // Russian comments in a module that is otherwise English code.
    EXPECT_EQ(detect({"Private Sub cmdOpen_Click()\r\n", kRussian[0],
                      "\r\n    OpenFile txtPath.Text\r\nEnd Sub\r\n"}),
              1251);
    // Accented names in a Western project stay Western, even next to a few all-accent words.
    EXPECT_EQ(detect({kWestern[0], kWestern[1], "' \xE9t\xE9 \xE0 Paris"}), 1252);
}

TEST(CodePageDetection, ShortCaptionsWhoseBytesFitSeveralCodePages) {
    // Bytes that read as characters in more than one code page; the one whose language they look
    // like wins.
    EXPECT_EQ(detect({"\xCC\xE5\xED\xFE"}), 1251);  // Меню, in GBK 体 and a level-2 hanzi
    EXPECT_EQ(detect({"\xD4\xE0\xE9\xEB"}), 1251);  // Файл
    EXPECT_EQ(detect({"\xCE\xEA\xED\xEE"}), 1251);  // Окно
    EXPECT_EQ(detect({"\xC4\xE0"}), 1251);          // Да: one pair is no evidence of a double-byte page
    EXPECT_EQ(detect({"\xC5\xFD\xF1\xE5\xF3\xE7"}), 1253);  // Εύρεση
    EXPECT_EQ(detect({"\xBC\xF7\xE9"}), 1253);              // Όχι
    EXPECT_EQ(detect({"\xCC\xA7\xB2\xD9"}), 932);           // ﾌｧｲﾙ, two Hangul syllables in 949
    EXPECT_EQ(detect({"\xD2\xC6\xAD\xB0"}), 932);           // ﾒﾆｭｰ
    EXPECT_EQ(detect({"\xC3\xDE\xB0\xC0\x93\xFC\x97\xCD"}), 932);  // ﾃﾞｰﾀ入力
    EXPECT_EQ(detect({"\xB2\xCB\xB5\xA5"}), 936);                  // 菜单, four half-width kana in 932
    EXPECT_EQ(detect({"\xBF\xCD\xBB\xA7\xD7\xCA\xC1\xCF"}), 936);  // 客户资料
    EXPECT_EQ(detect({"\xC8\xAE\xC0\xCE"}), 949);                  // 확인
    EXPECT_EQ(detect({"\xBB\xA1\xA9\xFA"}), 950);                  // 說明
    // An accent before a letter pairs up in Big5 byte ranges, but inside a Latin word.
    EXPECT_EQ(detect({"\xC5"
                      "bn fil"}),
              1252);                        // Åbn fil
    EXPECT_EQ(detect({"\xC4rger"}), 1252);  // Ärger
}

TEST(CodePageDetection, SamplesCutInsideACharacterAndAStrayByteKeepTheCodePage) {
    std::string project;
    for (int i = 0; i < 40; ++i) project.append(kJapanese[i % 5]).append("\r\n");
    // A sample of the first bytes of a file, ending on the lead byte of 求.
    const std::string sample = project + std::string(kJapanese[0]).substr(0, 5);
    EXPECT_EQ(detect({sample, sample}), 932);
    // A short text ending that way is more likely a word of another code page.
    EXPECT_FALSE(isValidForCodePage(std::string(kJapanese[0]).substr(0, 5), 932));

    // One Western byte in a large Japanese project (a file copied in from elsewhere).
    EXPECT_EQ(detect({project, "' (c) caf\xE9 "}), 932);
    // But where bytes break the structure throughout, it is not a double-byte page.
    EXPECT_EQ(detect({kJapanese[0], "' caf\xE9 \xE9t\xE9 na\xEFve "}), 1252);
}

// A project's evidence is gathered file by file; the many files of plain ASCII must not weigh
// against the few that hold its texts, nor tip a close reading either way.
TEST(CodePageDetection, EvidenceGatheredTextByTextAndFilesOfAsciiAlone) {
    const std::string ascii = "Private Sub cmdOK_Click()\r\n    Unload Me\r\nEnd Sub\r\n";
    const std::string_view close = "' caf\xE9 \xE9t\xE9 na\xEFve ";
    for (const std::vector<std::string_view>& texts :
         {std::vector<std::string_view>{kJapanese[0], close}, {kJapanese[1], kJapanese[3]},
          {kSimplifiedChinese[0], close}, {close}}) {
        const int alone = detectCodePage(texts);
        CodePageEvidence evidence;
        for (int i = 0; i < 300; ++i) evidence.add(ascii);
        for (std::string_view text : texts) {
            evidence.add(text);
            evidence.add(ascii);
        }
        EXPECT_EQ(evidence.codePage(), alone);
    }
    EXPECT_EQ(CodePageEvidence().codePage(), 1252);
}

TEST(CodePageDetection, MixedWesternBytesThatHappenToPairUpAreNotDoubleByte) {
    // "Größe", "Übersicht": ö ß and Ü b form well-formed pairs in 936 and 950 byte ranges, but
    // rare characters of them.
    EXPECT_TRUE(
        isValidForCodePage("Gr\xF6\xDF"
                           "e \xDC"
                           "bersicht",
                           936));
    EXPECT_EQ(detect({"Gr\xF6\xDF"
                      "e \xDC"
                      "bersicht"}),
              1252);
    EXPECT_EQ(detect({"Caption = \"Men\xFC\""}), 1252);
}

TEST(CodePageDetection, ByteStructureOfEachCodePage) {
    // Shift-JIS: 表 is 95 5C, ソ 83 5C; half-width katakana are single bytes.
    EXPECT_TRUE(isValidForCodePage("\x95\\\x83\\", 932));
    EXPECT_TRUE(isValidForCodePage("\xB1\xB2\xB3", 932));  // ｱｲｳ
    EXPECT_FALSE(isValidForCodePage("\x95", 932));         // cut lead
    EXPECT_FALSE(isValidForCodePage("\x95\r\n", 932));     // a trail is never a line end
    EXPECT_FALSE(isValidForCodePage("\xA0", 932));
    EXPECT_FALSE(isValidForCodePage("\x81\xFD", 932));
    // GBK: the euro sign is 80, trails go down to 40.
    EXPECT_TRUE(isValidForCodePage("\x80\x81\x40\xFE\xFE", 936));
    EXPECT_FALSE(isValidForCodePage("\x81\x7F", 936));
    EXPECT_FALSE(isValidForCodePage("\xFF", 936));
    // UHC: letter trails only with leads up to C6, and with C6 only up to 52.
    EXPECT_TRUE(isValidForCodePage("\x81\x41\xC6\x52\xC7\xD1", 949));
    EXPECT_FALSE(isValidForCodePage("\xC7\x41", 949));
    EXPECT_FALSE(isValidForCodePage("\xC6\x53", 949));
    EXPECT_FALSE(isValidForCodePage("\xB0\x5C", 949));
    // Big5: 許 is B3 5C, 四 A5 7C; no trails 7F..A0.
    EXPECT_TRUE(isValidForCodePage("\xB3\\\xA5|", 950));
    EXPECT_FALSE(isValidForCodePage("\xA4\x80", 950));
    EXPECT_FALSE(isValidForCodePage("\xA4\xA0", 950));
    // UTF-8 and the single-byte pages.
    EXPECT_TRUE(isValidForCodePage("\xE6\x97\xA5", 65001));
    EXPECT_FALSE(isValidForCodePage("\xE6\x97", 65001));
    EXPECT_TRUE(isValidForCodePage("\xC0\xFF\xA8", 1251));
    EXPECT_FALSE(isValidForCodePage("\x98", 1251));
    EXPECT_FALSE(isValidForCodePage("\x81", 1252));
    EXPECT_TRUE(isValidForCodePage("\x80\x9F", 1252));
    EXPECT_FALSE(isValidForCodePage("\xD2", 1253));
    EXPECT_TRUE(isValidForCodePage("\x81\x8D\x9D", 1256));
    EXPECT_FALSE(isValidForCodePage("a", 12345));
}

}  // namespace tally
