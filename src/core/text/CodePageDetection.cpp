#include "core/text/CodePageDetection.h"

#include "core/text/TextCodec.h"
#include "core/text/TextOps.h"
#include "core/text/Windows1252.h"

#include <algorithm>
#include <array>
#include <memory>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <iterator>

namespace tally {

namespace {

using Byte = unsigned char;

// The characters that make up most of the text in each language, as the code page writes them.
// Two code pages put different characters on the same byte pairs, and a pair counts as common in
// one only when it is not also common in a rival, so that the tables tell the languages apart
// instead of rewarding all of them at once. The lists hold everyday words and the words of
// program captions and comments (file, open, save, print, error, customer, amount ...).
// 가각같개건검것게결경계고공과관구국그글금급기까꼴꾸나날내년는니다단닫당대더도된됩두드들등때떤램량러력령로록료류를름리림마막만말맞매메면명모못문미민밀및바반발버번베보복부분비사삭상새색생선설성세쇄수스습시신실십쓰아않알액어없에여연열예오완요용우움원위을음의이인일읽입있자작잘장재저적전접정조종주준중지직진집짜창찾처초추출춤취코크태택터파패편표프하한할함합항해행현호화확환회
constexpr std::uint16_t kCommonHangul[] = {
    0xB0A1, 0xB0A2, 0xB0B0, 0xB0B3, 0xB0C7, 0xB0CB, 0xB0CD, 0xB0D4, 0xB0E1, 0xB0E6, 0xB0E8, 0xB0ED, 0xB0F8,
    0xB0FA, 0xB0FC, 0xB1B8, 0xB1B9, 0xB1D7, 0xB1DB, 0xB1DD, 0xB1DE, 0xB1E2, 0xB1EE, 0xB2C3, 0xB2D9, 0xB3AA,
    0xB3AF, 0xB3BB, 0xB3E2, 0xB4C2, 0xB4CF, 0xB4D9, 0xB4DC, 0xB4DD, 0xB4E7, 0xB4EB, 0xB4F5, 0xB5B5, 0xB5C8,
    0xB5CB, 0xB5CE, 0xB5E5, 0xB5E9, 0xB5EE, 0xB6A7, 0xB6B2, 0xB7A5, 0xB7AE, 0xB7AF, 0xB7C2, 0xB7C9, 0xB7CE,
    0xB7CF, 0xB7E1, 0xB7F9, 0xB8A6, 0xB8A7, 0xB8AE, 0xB8B2, 0xB8B6, 0xB8B7, 0xB8B8, 0xB8BB, 0xB8C2, 0xB8C5,
    0xB8DE, 0xB8E9, 0xB8ED, 0xB8F0, 0xB8F8, 0xB9AE, 0xB9CC, 0xB9CE, 0xB9D0, 0xB9D7, 0xB9D9, 0xB9DD, 0xB9DF,
    0xB9F6, 0xB9F8, 0xBAA3, 0xBAB8, 0xBAB9, 0xBACE, 0xBAD0, 0xBAF1, 0xBBE7, 0xBBE8, 0xBBF3, 0xBBF5, 0xBBF6,
    0xBBFD, 0xBCB1, 0xBCB3, 0xBCBA, 0xBCBC, 0xBCE2, 0xBCF6, 0xBDBA, 0xBDC0, 0xBDC3, 0xBDC5, 0xBDC7, 0xBDCA,
    0xBEB2, 0xBEC6, 0xBECA, 0xBECB, 0xBED7, 0xBEEE, 0xBEF8, 0xBFA1, 0xBFA9, 0xBFAC, 0xBFAD, 0xBFB9, 0xBFC0,
    0xBFCF, 0xBFE4, 0xBFEB, 0xBFEC, 0xBFF2, 0xBFF8, 0xC0A7, 0xC0BB, 0xC0BD, 0xC0C7, 0xC0CC, 0xC0CE, 0xC0CF,
    0xC0D0, 0xC0D4, 0xC0D6, 0xC0DA, 0xC0DB, 0xC0DF, 0xC0E5, 0xC0E7, 0xC0FA, 0xC0FB, 0xC0FC, 0xC1A2, 0xC1A4,
    0xC1B6, 0xC1BE, 0xC1D6, 0xC1D8, 0xC1DF, 0xC1F6, 0xC1F7, 0xC1F8, 0xC1FD, 0xC2A5, 0xC3A2, 0xC3A3, 0xC3B3,
    0xC3CA, 0xC3DF, 0xC3E2, 0xC3E3, 0xC3EB, 0xC4DA, 0xC5A9, 0xC5C2, 0xC5C3, 0xC5CD, 0xC6C4, 0xC6D0, 0xC6ED,
    0xC7A5, 0xC7C1, 0xC7CF, 0xC7D1, 0xC7D2, 0xC7D4, 0xC7D5, 0xC7D7, 0xC7D8, 0xC7E0, 0xC7F6, 0xC8A3, 0xC8AD,
    0xC8AE, 0xC8AF, 0xC8B8,
};
// 败帮保报本闭编变表并不部查产长撤称成初出除处串窗此次从存错打大但当导到道得的地第点电调定订动都读度对多额而发法返方分符复改告个工功公关国果过好号和合很后户化话环还换回会机价间检剪件将接结金进经警就据具开口库来览类理里连两量了列录码么没门们密面民明名目那能你年钮品期其起情请取去全确然人认日如入三删上设生失十时实使始式示事是视手输数刷说搜索所他它提体替天添条贴停通同统图退外完为位文问我无物误息系下显现想项向销消小些写新心信型行性姓修选学循询样要也页业一已以意因印应用由有又于与预员运在择粘这正知之值址止只置制中种重主助着子自字总最做作
constexpr std::uint16_t kCommonSimplified[] = {
    0xB0DC, 0xB0EF, 0xB1A3, 0xB1A8, 0xB1BE, 0xB1D5, 0xB1E0, 0xB1E4, 0xB1ED, 0xB2A2, 0xB2BB, 0xB2BF, 0xB2E9,
    0xB2FA, 0xB3A4, 0xB3B7, 0xB3C6, 0xB3C9, 0xB3F5, 0xB3F6, 0xB3FD, 0xB4A6, 0xB4AE, 0xB4B0, 0xB4CB, 0xB4CE,
    0xB4D3, 0xB4E6, 0xB4ED, 0xB4F2, 0xB4F3, 0xB5AB, 0xB5B1, 0xB5BC, 0xB5BD, 0xB5C0, 0xB5C3, 0xB5C4, 0xB5D8,
    0xB5DA, 0xB5E3, 0xB5E7, 0xB5F7, 0xB6A8, 0xB6A9, 0xB6AF, 0xB6BC, 0xB6C1, 0xB6C8, 0xB6D4, 0xB6E0, 0xB6EE,
    0xB6F8, 0xB7A2, 0xB7A8, 0xB7B5, 0xB7BD, 0xB7D6, 0xB7FB, 0xB8B4, 0xB8C4, 0xB8E6, 0xB8F6, 0xB9A4, 0xB9A6,
    0xB9AB, 0xB9D8, 0xB9FA, 0xB9FB, 0xB9FD, 0xBAC3, 0xBAC5, 0xBACD, 0xBACF, 0xBADC, 0xBAF3, 0xBBA7, 0xBBAF,
    0xBBB0, 0xBBB7, 0xBBB9, 0xBBBB, 0xBBD8, 0xBBE1, 0xBBFA, 0xBCDB, 0xBCE4, 0xBCEC, 0xBCF4, 0xBCFE, 0xBDAB,
    0xBDD3, 0xBDE1, 0xBDF0, 0xBDF8, 0xBEAD, 0xBEAF, 0xBECD, 0xBEDD, 0xBEDF, 0xBFAA, 0xBFDA, 0xBFE2, 0xC0B4,
    0xC0C0, 0xC0E0, 0xC0ED, 0xC0EF, 0xC1AC, 0xC1BD, 0xC1BF, 0xC1CB, 0xC1D0, 0xC2BC, 0xC2EB, 0xC3B4, 0xC3BB,
    0xC3C5, 0xC3C7, 0xC3DC, 0xC3E6, 0xC3F1, 0xC3F7, 0xC3FB, 0xC4BF, 0xC4C7, 0xC4DC, 0xC4E3, 0xC4EA, 0xC5A5,
    0xC6B7, 0xC6DA, 0xC6E4, 0xC6F0, 0xC7E9, 0xC7EB, 0xC8A1, 0xC8A5, 0xC8AB, 0xC8B7, 0xC8BB, 0xC8CB, 0xC8CF,
    0xC8D5, 0xC8E7, 0xC8EB, 0xC8FD, 0xC9BE, 0xC9CF, 0xC9E8, 0xC9FA, 0xCAA7, 0xCAAE, 0xCAB1, 0xCAB5, 0xCAB9,
    0xCABC, 0xCABD, 0xCABE, 0xCAC2, 0xCAC7, 0xCAD3, 0xCAD6, 0xCAE4, 0xCAFD, 0xCBA2, 0xCBB5, 0xCBD1, 0xCBF7,
    0xCBF9, 0xCBFB, 0xCBFC, 0xCCE1, 0xCCE5, 0xCCE6, 0xCCEC, 0xCCED, 0xCCF5, 0xCCF9, 0xCDA3, 0xCDA8, 0xCDAC,
    0xCDB3, 0xCDBC, 0xCDCB, 0xCDE2, 0xCDEA, 0xCEAA, 0xCEBB, 0xCEC4, 0xCECA, 0xCED2, 0xCEDE, 0xCEEF, 0xCEF3,
    0xCFA2, 0xCFB5, 0xCFC2, 0xCFD4, 0xCFD6, 0xCFEB, 0xCFEE, 0xCFF2, 0xCFFA, 0xCFFB, 0xD0A1, 0xD0A9, 0xD0B4,
    0xD0C2, 0xD0C4, 0xD0C5, 0xD0CD, 0xD0D0, 0xD0D4, 0xD0D5, 0xD0DE, 0xD1A1, 0xD1A7, 0xD1AD, 0xD1AF, 0xD1F9,
    0xD2AA, 0xD2B2, 0xD2B3, 0xD2B5, 0xD2BB, 0xD2D1, 0xD2D4, 0xD2E2, 0xD2F2, 0xD3A1, 0xD3A6, 0xD3C3, 0xD3C9,
    0xD3D0, 0xD3D6, 0xD3DA, 0xD3EB, 0xD4A4, 0xD4B1, 0xD4CB, 0xD4DA, 0xD4F1, 0xD5B3, 0xD5E2, 0xD5FD, 0xD6AA,
    0xD6AE, 0xD6B5, 0xD6B7, 0xD6B9, 0xD6BB, 0xD6C3, 0xD6C6, 0xD6D0, 0xD6D6, 0xD6D8, 0xD6F7, 0xD6FA, 0xD7C5,
    0xD7D3, 0xD7D4, 0xD7D6, 0xD7DC, 0xD7EE, 0xD7F6, 0xD7F7,
};
// 一了人入力十又三下上也大子小工已不中之公分化天心戶手文方日止主以他代出加功去可叫只外失它打本正民生用由目示件全列印同向名合因回地在多好如字存年式成有次此而自行串位但作你刪告址完我把改沒系那並事些使來兩具其函到制取呼和始姓定性所於明果法物的知初表返金長門信保前品型客度很後按是查為看要計訂重面頁值們個修原員家庫息料時案格消能記訊起迴停動問圈國執密將常得從情接敗條理現產第處設這通連閉最單報尋就復提期無然登發程窗結著視貼進量鈕開間項匯意想搜新會業當經號裡話資道過電預實對種稱與製認誤說麼價增寫樣確碼編複請學據擇整輯輸選錄應檔檢總還點額關類警覽讀變顯體
constexpr std::uint16_t kCommonTraditional[] = {
    0xA440, 0xA446, 0xA448, 0xA44A, 0xA44F, 0xA451, 0xA453, 0xA454, 0xA455, 0xA457, 0xA45D, 0xA46A, 0xA46C,
    0xA470, 0xA475, 0xA477, 0xA4A3, 0xA4A4, 0xA4A7, 0xA4BD, 0xA4C0, 0xA4C6, 0xA4D1, 0xA4DF, 0xA4E1, 0xA4E2,
    0xA4E5, 0xA4E8, 0xA4E9, 0xA4EE, 0xA544, 0xA548, 0xA54C, 0xA54E, 0xA558, 0xA55B, 0xA55C, 0xA568, 0xA569,
    0xA573, 0xA575, 0xA57E, 0xA5A2, 0xA5A6, 0xA5B4, 0xA5BB, 0xA5BF, 0xA5C1, 0xA5CD, 0xA5CE, 0xA5D1, 0xA5D8,
    0xA5DC, 0xA5F3, 0xA5FE, 0xA643, 0xA64C, 0xA650, 0xA656, 0xA657, 0xA658, 0xA65D, 0xA65E, 0xA661, 0xA662,
    0xA668, 0xA66E, 0xA670, 0xA672, 0xA673, 0xA67E, 0xA6A1, 0xA6A8, 0xA6B3, 0xA6B8, 0xA6B9, 0xA6D3, 0xA6DB,
    0xA6E6, 0xA6EA, 0xA6EC, 0xA6FD, 0xA740, 0xA741, 0xA752, 0xA769, 0xA77D, 0xA7B9, 0xA7DA, 0xA7E2, 0xA7EF,
    0xA853, 0xA874, 0xA8BA, 0xA8C3, 0xA8C6, 0xA8C7, 0xA8CF, 0xA8D3, 0xA8E2, 0xA8E3, 0xA8E4, 0xA8E7, 0xA8EC,
    0xA8EE, 0xA8FA, 0xA949, 0xA94D, 0xA96C, 0xA96D, 0xA977, 0xA9CA, 0xA9D2, 0xA9F3, 0xA9FA, 0xAA47, 0xAA6B,
    0xAAAB, 0xAABA, 0xAABE, 0xAAEC, 0xAAED, 0xAAF0, 0xAAF7, 0xAAF8, 0xAAF9, 0xAB48, 0xAB4F, 0xAB65, 0xAB7E,
    0xABAC, 0xABC8, 0xABD7, 0xABDC, 0xABE1, 0xABF6, 0xAC4F, 0xAC64, 0xACB0, 0xACDD, 0xAD6E, 0xAD70, 0xAD71,
    0xADAB, 0xADB1, 0xADB6, 0xADC8, 0xADCC, 0xADD3, 0xADD7, 0xADEC, 0xADFB, 0xAE61, 0xAE77, 0xAEA7, 0xAEC6,
    0xAEC9, 0xAED7, 0xAEE6, 0xAEF8, 0xAFE0, 0xB04F, 0xB054, 0xB05F, 0xB06A, 0xB0B1, 0xB0CA, 0xB0DD, 0xB0E9,
    0xB0EA, 0xB0F5, 0xB14B, 0xB14E, 0xB160, 0xB16F, 0xB171, 0xB1A1, 0xB1B5, 0xB1D1, 0xB1F8, 0xB27A, 0xB27B,
    0xB2A3, 0xB2C4, 0xB342, 0xB35D, 0xB36F, 0xB371, 0xB373, 0xB3AC, 0xB3CC, 0xB3E6, 0xB3F8, 0xB44D, 0xB44E,
    0xB45F, 0xB4A3, 0xB4C1, 0xB54C, 0xB54D, 0xB56E, 0xB56F, 0xB57B, 0xB5A1, 0xB5B2, 0xB5DB, 0xB5F8, 0xB64B,
    0xB669, 0xB671, 0xB673, 0xB67D, 0xB6A1, 0xB6B5, 0xB6D7, 0xB74E, 0xB751, 0xB76A, 0xB773, 0xB77C, 0xB77E,
    0xB7ED, 0xB867, 0xB8B9, 0xB8CC, 0xB8DC, 0xB8EA, 0xB944, 0xB94C, 0xB971, 0xB977, 0xB9EA, 0xB9EF, 0xBAD8,
    0xBAD9, 0xBB50, 0xBB73, 0xBB7B, 0xBB7E, 0xBBA1, 0xBBF2, 0xBBF9, 0xBC57, 0xBC67, 0xBCCB, 0xBD54, 0xBD58,
    0xBD73, 0xBDC6, 0xBDD0, 0xBEC7, 0xBEDA, 0xBEDC, 0xBEE3, 0xBFE8, 0xBFE9, 0xBFEF, 0xBFFD, 0xC0B3, 0xC0C9,
    0xC0CB, 0xC160, 0xC1D9, 0xC249, 0xC342, 0xC3F6, 0xC3FE, 0xC4B5, 0xC4FD, 0xC5AA, 0xC5DC, 0xC5E3, 0xC5E9,
};

template <std::size_t N>
bool isCommon(const std::uint16_t (&table)[N], Byte lead, Byte trail) {
    return std::binary_search(std::begin(table), std::end(table),
                              static_cast<std::uint16_t>(lead << 8 | trail));
}

// How much a character says for a code page: a common character of the language gains most, an
// ordinary one gains a little, a rare one loses a little, and a character from the user-defined
// or unassigned areas (which real text does not use) loses much. A candidate wins when its
// characters make at least 0.75 points per high byte on average (ordinary characters alone make
// 1; a Cyrillic word read as GBK, half level-1 and half level-2 hanzi, makes 0.5) and 4 in all: one
// or two high bytes (a Russian "Да", an accented pair) fit some double-byte character by chance,
// and without more evidence the single-byte reading is the likelier one.
constexpr int kCommon = 6;
constexpr int kUsual = 2;
constexpr int kSymbol = 1;
constexpr int kNeutral = 0;
constexpr int kRare = -1;
constexpr int kKanaMark = 3;
constexpr int kForeign = -4;
// A byte that fits no character: tolerated now and then in a large project (a file damaged or
// saved elsewhere) but never for free.
constexpr int kBroken = -8;
constexpr long long kMinimumEvidence = 4;

constexpr bool in(Byte b, Byte low, Byte high) {
    return b >= low && b <= high;
}

// Byte ranges of the four double-byte code pages as Windows defines them.
struct DbcsLayout {
    int codePage;
    bool (*single)(Byte);  // a high byte that is a character on its own
    bool (*lead)(Byte);
    bool (*trail)(Byte lead, Byte);  // given a lead, whether the next byte completes the pair
    // previous: the byte before when it was a single-byte character too; inRun: high bytes next to it
    int (*singleWeight)(Byte, Byte previous, bool inRun);
    int (*pairWeight)(Byte lead, Byte trail);
};

// Shift-JIS (932): half-width katakana are single bytes A1..DF, which is why its leads skip that range.
bool single932(Byte b) {
    return in(b, 0xA1, 0xDF);
}
bool lead932(Byte b) {
    return in(b, 0x81, 0x9F) || in(b, 0xE0, 0xFC);
}
bool trail932(Byte, Byte t) {
    return in(t, 0x40, 0x7E) || in(t, 0x80, 0xFC);
}
// Half-width katakana do turn up in Japanese programs of that time ("ﾌｧｲﾙ"), always as words of
// several; a lone byte of that range between ASCII letters is a Western accent ("\xDC" "ber" is
// "Über"). A run counts a point a byte, as ordinary kanji do, so that it does not outweigh the
// Korean or Chinese reading of the same bytes (all of A1..DF are lead and trail bytes there);
// what those bytes rarely do is put a small kana or a voicing mark after a kana that takes one,
// which nearly every katakana word does ("ﾌｧｲﾙ", "ﾃﾞｰﾀ").
int singleWeight932(Byte b, Byte previous, bool inRun) {
    if (!inRun) return kRare;
    if (b <= 0xA5) return kNeutral;                                       // half-width ｡｢｣､･
    if (in(b, 0xA7, 0xAF) && in(previous, 0xB1, 0xDF)) return kKanaMark;  // ｧ..ｫ ｬｭｮ ｯ
    if (b == 0xDE && (previous == 0xB3 || in(previous, 0xB6, 0xC4) || in(previous, 0xCA, 0xCE)))
        return kKanaMark;
    if (b == 0xDF && in(previous, 0xCA, 0xCE)) return kKanaMark;  // ﾊﾟ..ﾎﾟ
    return kSymbol;
}
int pairWeight932(Byte lead, Byte t) {
    switch (lead) {
        case 0x81:
            return t <= 0xAC ? kUsual : kNeutral;  // 、。「」・ー and the other punctuation
        case 0x82:
            if (in(t, 0x9F, 0xF1)) return kCommon;  // hiragana, in nearly every Japanese sentence
            if (in(t, 0x4F, 0x58) || in(t, 0x60, 0x79) || in(t, 0x81, 0x9A))
                return kSymbol;  // full-width letters
            return kForeign;
        case 0x83:
            if (t <= 0x96) return kCommon;  // katakana: loan words, the stuff of program captions
            return in(t, 0x9F, 0xD6) ? kNeutral : kForeign;
        case 0x84:
            return t <= 0xBE ? kNeutral : kForeign;
        case 0x85:
        case 0x86:
            return kForeign;
        case 0x87:
            return kNeutral;  // NEC's circled numbers and unit symbols, used in business forms
        case 0x88:
            return t >= 0x9F ? kUsual : kForeign;  // JIS level 1 kanji start at 88 9F
        case 0x98:
            return t <= 0x72 ? kUsual : t >= 0x9F ? kNeutral : kForeign;
        case 0xEA:
            return t <= 0xA4 ? kNeutral : kForeign;
        case 0xED:
        case 0xEE:
        case 0xFA:
        case 0xFB:
        case 0xFC:
            return kRare;  // the IBM extension kanji
        default:
            break;
    }
    if (lead <= 0x97) return kUsual;    // JIS level 1: the kanji of everyday writing
    if (lead <= 0xE9) return kNeutral;  // JIS level 2
    return kForeign;                    // EF and the user-defined F0..F9
}

// GBK (936): GB2312 in A1..FE x A1..FE, the GBK extensions below it; 0x80 is the euro sign.
bool single936(Byte b) {
    return b == 0x80;
}
bool lead936(Byte b) {
    return in(b, 0x81, 0xFE);
}
bool trail936(Byte, Byte t) {
    return in(t, 0x40, 0x7E) || in(t, 0x80, 0xFE);
}
int singleWeight936(Byte, Byte, bool) {
    return kNeutral;
}
int pairWeight936(Byte lead, Byte t) {
    if (t < 0xA1) {
        if (in(lead, 0xA1, 0xA7)) return kForeign;  // user-defined area
        return kRare;  // GBK/3, GBK/4 and GBK/5: hanzi and symbols GB2312 left out
    }
    if (lead == 0xA1) return kUsual;   // ideographic space, 、。“”《》 and the like
    if (lead == 0xA3) return kSymbol;  // full-width ASCII
    if (lead <= 0xA9) return kNeutral;
    if (lead <= 0xAF) return kForeign;
    if (lead <= 0xD7) return isCommon(kCommonSimplified, lead, t) ? kCommon : kUsual;  // level 1
    if (lead <= 0xF7) return kNeutral;                                                 // level 2
    return kForeign;
}

// Unified Hangul Code (949): KS X 1001 in A1..FE x A1..FE; the extra Hangul syllables use leads
// 81..C6 with trails in the letter ranges and 81..A0.
bool single949(Byte) {
    return false;
}
bool lead949(Byte b) {
    return in(b, 0x81, 0xFE);
}
bool trail949(Byte lead, Byte t) {
    if (in(t, 0xA1, 0xFE)) return true;
    if (lead > 0xC6) return false;
    if (lead == 0xC6) return in(t, 0x41, 0x52);
    return in(t, 0x41, 0x5A) || in(t, 0x61, 0x7A) || in(t, 0x81, 0xA0);
}
int singleWeight949(Byte, Byte, bool) {
    return kNeutral;
}
int pairWeight949(Byte lead, Byte t) {
    if (t < 0xA1 || lead < 0xA1) return kNeutral;  // the extra syllables: real, but uncommon
    if (lead == 0xA1) return kUsual;
    if (lead <= 0xA4) return kSymbol;  // full-width ASCII, Hangul letters
    if (lead <= 0xAC) return kNeutral;
    if (lead <= 0xAF) return kForeign;
    if (lead <= 0xC8) return isCommon(kCommonHangul, lead, t) ? kCommon : kUsual;  // Hangul syllables
    if (lead == 0xC9 || lead == 0xFE) return kForeign;                             // user-defined
    return kRare;  // hanja, rare in modern Korean
}

// Big5 as Windows has it (950): leads A1..F9 with trails 40..7E and A1..FE; the rest is
// user-defined.
bool single950(Byte) {
    return false;
}
bool lead950(Byte b) {
    return in(b, 0x81, 0xFE);
}
bool trail950(Byte, Byte t) {
    return in(t, 0x40, 0x7E) || in(t, 0xA1, 0xFE);
}
int singleWeight950(Byte, Byte, bool) {
    return kNeutral;
}
int pairWeight950(Byte lead, Byte t) {
    if (lead == 0xA1) return kUsual;  // punctuation
    if (lead == 0xA2) return kNeutral;
    if (lead == 0xA3) return t <= 0xBF || t == 0xE1 ? kNeutral : kForeign;  // bopomofo, euro sign
    if (in(lead, 0xA4, 0xC5) || (lead == 0xC6 && t <= 0x7E))                // the frequently used hanzi
        return isCommon(kCommonTraditional, lead, t) ? kCommon : kUsual;
    if (in(lead, 0xC9, 0xF9)) return kNeutral;  // the less frequently used hanzi
    return kForeign;
}

constexpr std::array<DbcsLayout, 4> kDbcs = {{
    {932, single932, lead932, trail932, singleWeight932, pairWeight932},
    {936, single936, lead936, trail936, singleWeight936, pairWeight936},
    {949, single949, lead949, trail949, singleWeight949, pairWeight949},
    {950, single950, lead950, trail950, singleWeight950, pairWeight950},
}};

const DbcsLayout* dbcsLayout(int codePage) {
    for (const DbcsLayout& layout : kDbcs)
        if (layout.codePage == codePage) return &layout;
    return nullptr;
}

struct DbcsTally {
    long long score = 0;
    std::size_t characters = 0;  // characters with high bytes
    std::size_t highBytes = 0;   // the bytes of those characters, and the broken ones
    std::size_t broken = 0;      // bytes that fit no character
};

constexpr bool isAsciiLetter(Byte b) {
    return (b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z');
}

// A lead byte as the last byte of a text counts as broken even though a sample may have cut the
// character: a short text ending that way is far more often a Cyrillic or accented word, and a
// sample is long enough for the tolerance of broken bytes to absorb it.
void tallyDbcs(const DbcsLayout& layout, std::string_view text, DbcsTally& tally) {
    const std::size_t size = text.size();
    bool afterHigh = false;
    Byte lastSingle = 0;  // the previous character when it was a single high byte
    for (std::size_t i = 0; i < size;) {
        const auto b = static_cast<Byte>(text[i]);
        const Byte previousSingle = lastSingle;
        lastSingle = 0;
        if (b < 0x80) {
            afterHigh = false;
            ++i;
            continue;
        }
        if (layout.single(b)) {
            // A single byte starts a run only if the next byte is high too.
            const bool inRun = afterHigh || (i + 1 < size && static_cast<Byte>(text[i + 1]) >= 0x80);
            tally.score += layout.singleWeight(b, previousSingle, inRun);
            lastSingle = b;
            ++tally.characters;
            ++tally.highBytes;
            afterHigh = true;
            ++i;
            continue;
        }
        if (layout.lead(b)) {
            if (i + 1 == size) {
                ++tally.broken;
                ++tally.highBytes;
                tally.score += kBroken;
                break;
            }
            const auto t = static_cast<Byte>(text[i + 1]);
            if (layout.trail(b, t)) {
                // Trails 40..7E include the ASCII letters, so in a Western text every accent before
                // a letter pairs up ("\xC4rger", "Donn\xE9" "es"); a trail letter that a further
                // letter follows is read as part of a Latin word.
                const bool inLatinWord =
                    isAsciiLetter(t) && i + 2 < size && isAsciiLetter(static_cast<Byte>(text[i + 2]));
                tally.score += inLatinWord ? kRare : layout.pairWeight(b, t);
                ++tally.characters;
                tally.highBytes += 2;
                afterHigh = true;
                i += 2;
                continue;
            }
        }
        // The next byte may start a character of its own (a lead before an ASCII byte that no
        // trail allows, like a line end), so only this one is skipped.
        ++tally.broken;
        ++tally.highBytes;
        tally.score += kBroken;
        afterHigh = false;
        ++i;
    }
}

// The length of the UTF-8 sequence at `i` (2..4), 0 for a malformed one, and -1 for a sequence
// well-formed so far that the end of the text cuts off.
int utf8SequenceAt(std::string_view s, std::size_t i) {
    const auto c = static_cast<Byte>(s[i]);
    const int length = (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
    if (length == 0 || c == 0xC0 || c == 0xC1 || c > 0xF4) return 0;
    for (int k = 1; k < length; ++k) {
        if (i + k >= s.size()) return -1;
        const auto n = static_cast<Byte>(s[i + k]);
        if ((n & 0xC0) != 0x80) return 0;
        // Overlong forms, surrogates and code points past U+10FFFF are not UTF-8.
        if (k == 1 && ((c == 0xE0 && n < 0xA0) || (c == 0xED && n >= 0xA0) || (c == 0xF0 && n < 0x90) ||
                       (c == 0xF4 && n >= 0x90)))
            return 0;
    }
    return length;
}

struct Utf8Tally {
    std::size_t sequences = 0;
    bool malformed = false;
};

void tallyUtf8(std::string_view text, Utf8Tally& tally) {
    for (std::size_t i = 0; i < text.size() && !tally.malformed;) {
        if (static_cast<Byte>(text[i]) < 0x80) {
            ++i;
            continue;
        }
        const int length = utf8SequenceAt(text, i);
        if (length < 0) break;  // a sample cut inside a character
        if (length == 0) {
            tally.malformed = true;
            break;
        }
        ++tally.sequences;
        i += static_cast<std::size_t>(length);
    }
}

// Single-byte pages: the high bytes of a Western text are accents inside Latin words ("Größe",
// "café"), those of a Cyrillic or Greek one make up whole words of their own.
struct SingleByteTally {
    std::size_t scriptLetters = 0;  // high letters in words without ASCII letters
    std::size_t latinLetters = 0;   // high letters in words that also have ASCII letters
    double russianOverGreek = 0;    // log-likelihood of the script words as Russian against Greek
    // What the bytes say for 1251, on the scale of the double-byte scores, so that a Cyrillic word
    // that also reads as a hanzi or two ("Меню" is 体 and a rare one in GBK) stays Cyrillic:
    // two points a byte for the common Russian letters, one for the others, in words cased the
    // way words are (Capitalised, lower case or all capitals; bytes of other code pages read as
    // 1251 change case at random).
    long long cyrillicScore = 0;
};

// Bytes that are letters in 1251 or 1253: the main alphabets from C0 up, and the letters with
// diacritics (Ё, Ukrainian І Ї Є Ґ, Belarusian Ў, Greek capitals with tonos) scattered below.
constexpr bool isHighLetter(Byte b) {
    switch (b) {
        case 0xA1:
        case 0xA2:
        case 0xA5:
        case 0xA8:
        case 0xAA:
        case 0xAF:
        case 0xB2:
        case 0xB3:
        case 0xB4:
        case 0xB8:
        case 0xBA:
        case 0xBC:
        case 0xBE:
        case 0xBF:
            return true;
        default:
            return b >= 0xC0;
    }
}

// How often each lower-case letter occurs in running text, per thousand letters, by its byte from
// E0 to FF: Russian in 1251 (а б в ... я) and Greek in 1253 (ΰ α β ... ώ, FF undefined). The two
// alphabets share the byte range, so the letters a text is made of tell them apart: а, о, и are
// the commonest in Russian and nearly absent (ΰ, ξ, θ) in Greek; α, τ, ι the reverse.
constexpr double kRussianLetters[32] = {80, 16, 45, 17, 30, 85, 9, 16, 73, 12, 35, 44, 32, 67, 110, 28,
                                        47, 55, 63, 26, 3,  10, 5, 14, 7,  4,  1,  19, 17, 3,  6,   20};
constexpr double kGreekLetters[32] = {0.1, 110, 6,  18, 18, 75, 4, 50, 12, 75, 42,  28,  35, 65, 4, 80,
                                      40,  45,  30, 45, 80, 35, 8, 11, 1,  15, 0.5, 0.2, 18, 8,  5, 0.01};

double russianFrequency(Byte b) {
    if (b >= 0xC0) return kRussianLetters[(b | 0x20) - 0xE0];  // capitals C0..DF fold onto E0..FF
    switch (b) {
        case 0xB2:
        case 0xB3:
            return 5;  // Ukrainian і
        case 0xA8:
        case 0xB8:
        case 0xAA:
        case 0xBA:
        case 0xAF:
        case 0xBF:
            return 1;
        default:
            return 0.3;
    }
}

double greekFrequency(Byte b) {
    if (b >= 0xE0) return kGreekLetters[b - 0xE0];
    if (b >= 0xC1 && b <= 0xD9 && b != 0xD2) return kGreekLetters[b + 0x20 - 0xE0];  // capitals
    switch (b) {
        case 0xDC:
        case 0xA2:
            return 18;  // ά Ά
        case 0xDD:
        case 0xB8:
            return 15;  // έ Έ
        case 0xDE:
        case 0xB9:
            return 10;  // ή Ή
        case 0xDF:
        case 0xBA:
            return 18;  // ί Ί
        case 0xBC:
            return 18;  // Ό
        case 0xBE:
            return 8;  // Ύ
        case 0xBF:
            return 5;  // Ώ
        case 0xD2:
            return 0.01;  // undefined in 1253
        default:
            return 0.2;
    }
}

// Lower-case letters of 1251: а..я, ё, ў, є, ї, і, ґ.
constexpr bool isCyrillicLower(Byte b) {
    return b >= 0xE0 || b == 0xB8 || b == 0xA2 || b == 0xBA || b == 0xBF || b == 0xB3 || b == 0xB4;
}

// log(russianFrequency / greekFrequency) for every byte, made once.
const std::array<double, 256>& russianOverGreekTable() {
    static const std::array<double, 256> table = [] {
        std::array<double, 256> made{};
        for (int b = 0x80; b < 0x100; ++b)
            if (isHighLetter(static_cast<Byte>(b)))
                made[b] =
                    std::log(russianFrequency(static_cast<Byte>(b)) / greekFrequency(static_cast<Byte>(b)));
        return made;
    }();
    return table;
}

void tallySingleByte(std::string_view text, SingleByteTally& tally) {
    const std::array<double, 256>& logRatio = russianOverGreekTable();
    std::size_t ascii = 0;
    std::size_t high = 0;
    double wordRatio = 0;
    long long wordCyrillic = 0;
    bool firstLower = false;
    bool upperAfterFirst = false;
    bool lowerAfterFirst = false;
    auto endWord = [&] {
        if (high >= 2 && ascii == 0) {
            tally.scriptLetters += high;
            tally.russianOverGreek += wordRatio;
            const bool cased = !(upperAfterFirst && (lowerAfterFirst || firstLower));
            if (cased) tally.cyrillicScore += wordCyrillic;
        } else {
            tally.latinLetters += high;
        }
        ascii = high = 0;
        wordRatio = 0;
        wordCyrillic = 0;
        upperAfterFirst = lowerAfterFirst = false;
    };
    for (char ch : text) {
        const auto b = static_cast<Byte>(ch);
        if (isAsciiLetter(b)) {
            ++ascii;
        } else if (isHighLetter(b)) {
            const bool lower = isCyrillicLower(b);
            if (high == 0)
                firstLower = lower;
            else
                (lower ? lowerAfterFirst : upperAfterFirst) = true;
            ++high;
            wordRatio += logRatio[b];
            const double frequency = russianFrequency(b);
            wordCyrillic += frequency >= 10 ? 2 : frequency >= 3 ? 1 : kRare;
        } else {
            endWord();
        }
    }
    endWord();
}

// The bytes each single-byte page leaves undefined, as 32-bit masks over 80..FF.
struct SingleByteGaps {
    int codePage;
    std::array<std::uint32_t, 4> mask;  // bit n of mask[k]: byte 0x80 + 32k + n is undefined
};

constexpr std::array<std::uint32_t, 4> gaps(std::initializer_list<int> bytes) {
    std::array<std::uint32_t, 4> mask{};
    for (int b : bytes) mask[(b - 0x80) / 32] |= 1u << ((b - 0x80) % 32);
    return mask;
}

constexpr std::array<SingleByteGaps, 10> kSingleByte = {{
    {874,
     gaps({0x81, 0x82, 0x83, 0x84, 0x86, 0x87, 0x88, 0x89, 0x8A, 0x8B, 0x8C, 0x8D, 0x8E, 0x8F, 0x90, 0x98,
           0x99, 0x9A, 0x9B, 0x9C, 0x9D, 0x9E, 0x9F, 0xDB, 0xDC, 0xDD, 0xDE, 0xFC, 0xFD, 0xFE, 0xFF})},
    {1250, gaps({0x81, 0x83, 0x88, 0x90, 0x98})},
    {1251, gaps({0x98})},
    {1252, gaps({0x81, 0x8D, 0x8F, 0x90, 0x9D})},
    {1253,
     gaps({0x81, 0x88, 0x8A, 0x8C, 0x8D, 0x8E, 0x8F, 0x90, 0x98, 0x9A, 0x9C, 0x9D, 0x9E, 0x9F, 0xD2, 0xFF})},
    {1254, gaps({0x81, 0x8D, 0x8E, 0x8F, 0x90, 0x9D, 0x9E})},
    {1255, gaps({0x81, 0x8A, 0x8C, 0x8D, 0x8E, 0x8F, 0x90, 0x9A, 0x9C, 0x9D, 0x9E, 0x9F,
                 0xCA, 0xD9, 0xDA, 0xDB, 0xDC, 0xDD, 0xDE, 0xDF, 0xFB, 0xFC, 0xFF})},
    {1256, gaps({})},
    {1257, gaps({0x81, 0x83, 0x88, 0x8A, 0x8C, 0x90, 0x98, 0x9A, 0x9C, 0x9F, 0xA1, 0xA5})},
    {1258, gaps({0x81, 0x8A, 0x8D, 0x8E, 0x8F, 0x90, 0x9A, 0x9D, 0x9E})},
}};

}  // namespace

bool isValidForCodePage(std::string_view bytes, int codePage) {
    if (codePage == kCodePageUtf8) return isValidUtf8(bytes);
    if (const DbcsLayout* layout = dbcsLayout(codePage)) {
        DbcsTally tally;
        tallyDbcs(*layout, bytes, tally);
        return tally.broken == 0;
    }
    for (const SingleByteGaps& page : kSingleByte) {
        if (page.codePage != codePage) continue;
        for (char ch : bytes) {
            const auto b = static_cast<Byte>(ch);
            if (b >= 0x80 && (page.mask[(b - 0x80) / 32] >> ((b - 0x80) % 32) & 1u)) return false;
        }
        return true;
    }
    return false;
}

struct CodePageEvidence::Tallies {
    Utf8Tally utf8;
    SingleByteTally single;
    std::array<DbcsTally, kDbcs.size()> dbcs{};
};

CodePageEvidence::CodePageEvidence() = default;
CodePageEvidence::~CodePageEvidence() = default;
CodePageEvidence::CodePageEvidence(CodePageEvidence&&) noexcept = default;
CodePageEvidence& CodePageEvidence::operator=(CodePageEvidence&&) noexcept = default;

void CodePageEvidence::add(std::string_view text) {
    // A text of ASCII alone adds to no tally: every one counts only bytes from 0x80 up.
    if (!hasHighByte(text)) return;
    if (!m_tallies) m_tallies = std::make_unique<Tallies>();
    Tallies& t = *m_tallies;
    tallyUtf8(text, t.utf8);
    tallySingleByte(text, t.single);
    for (std::size_t k = 0; k < kDbcs.size(); ++k) tallyDbcs(kDbcs[k], text, t.dbcs[k]);
}

int CodePageEvidence::codePage() const {
    if (!m_tallies) return kCodePageWestern;
    const Tallies& t = *m_tallies;
    if (!t.utf8.malformed && t.utf8.sequences > 0) return kCodePageUtf8;

    int best = 0;
    long long bestScore = t.single.cyrillicScore;  // a double-byte reading has to beat the Cyrillic one
    for (std::size_t k = 0; k < kDbcs.size(); ++k) {
        const DbcsTally& tally = t.dbcs[k];
        // Text in a code page nearly never breaks its byte structure; allowing one broken byte per
        // hundred characters keeps a project with one odd file from losing its code page.
        if (tally.characters == 0 || tally.broken * 100 > tally.characters) continue;
        if (tally.score * 4 < static_cast<long long>(tally.highBytes) * 3 || tally.score < kMinimumEvidence)
            continue;
        if (tally.score > bestScore) {
            best = kDbcs[k].codePage;
            bestScore = tally.score;
        }
    }
    if (best != 0) return best;
    if (t.single.scriptLetters > t.single.latinLetters) return t.single.russianOverGreek < 0 ? 1253 : 1251;
    return kCodePageWestern;
}

int detectCodePage(const std::vector<std::string_view>& texts) {
    CodePageEvidence evidence;
    for (std::string_view text : texts) evidence.add(text);
    return evidence.codePage();
}

}  // namespace tally
