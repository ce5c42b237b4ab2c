#include "platform/text/TextCodecs.h"

#include "core/text/Windows1252Codec.h"
#ifdef _WIN32
#include "platform/text/Win32TextCodec.h"
#else
#include "platform/text/IcuTextCodec.h"
#endif

#include <algorithm>
#include <array>
#include <charconv>

namespace tally {

namespace {

struct NamedPage {
    std::string_view name;
    int codePage;
};

// The first name of each code page is the one it is shown by; the others are accepted as well.
// The double-byte pages go by the names people know them by, although Windows' tables are
// supersets of the standards of those names (932 of Shift-JIS, 936 of GB2312, 949 of EUC-KR), as
// the projects were written with Windows' tables.
constexpr std::array<NamedPage, 38> kNames = {{
    {"utf-8", kCodePageUtf8},
    {"utf8", kCodePageUtf8},
    {"windows-1252", kCodePageWestern},
    {"latin1", kCodePageWestern},
    {"latin-1", kCodePageWestern},
    {"iso-8859-1", kCodePageWestern},
    {"us-ascii", kCodePageWestern},
    {"ascii", kCodePageWestern},
    {"shift_jis", 932},
    {"shift-jis", 932},
    {"sjis", 932},
    {"windows-31j", 932},
    {"ms_kanji", 932},
    {"x-sjis", 932},
    {"gbk", 936},
    {"gb2312", 936},
    {"euc-cn", 936},
    {"x-gbk", 936},
    {"windows-949", 949},
    {"euc-kr", 949},
    {"uhc", 949},
    {"ks_c_5601-1987", 949},
    {"big5", 950},
    {"big-5", 950},
    {"cn-big5", 950},
    {"x-x-big5", 950},
    {"windows-874", 874},
    {"tis-620", 874},
    {"windows-1250", 1250},
    {"windows-1251", 1251},
    {"windows-1253", 1253},
    {"windows-1254", 1254},
    {"windows-1255", 1255},
    {"windows-1256", 1256},
    {"windows-1257", 1257},
    {"windows-1258", 1258},
    {"cp-utf8", kCodePageUtf8},
    {"unicode-1-1-utf-8", kCodePageUtf8},
}};

constexpr int kKnownPages[] = {874,  932,  936,  949,  950,  1250, 1251,         1252,
                               1253, 1254, 1255, 1256, 1257, 1258, kCodePageUtf8};

bool isKnown(int codePage) {
    return std::find(std::begin(kKnownPages), std::end(kKnownPages), codePage) != std::end(kKnownPages);
}

std::optional<int> knownNumber(std::string_view digits) {
    if (digits.empty() || digits.size() > 5) return std::nullopt;
    int value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (error != std::errc() || end != digits.data() + digits.size() || !isKnown(value)) return std::nullopt;
    return value;
}

}  // namespace

std::unique_ptr<TextCodec> makeTextCodec(int codePage) {
    if (codePage == kCodePageWestern) return makeWindows1252Codec();
    if (codePage == kCodePageUtf8) return makeUtf8Codec();
    if (!isKnown(codePage)) return nullptr;
#ifdef _WIN32
    return makeWin32TextCodec(codePage);
#else
    return makeIcuTextCodec(codePage);
#endif
}

std::optional<int> codePageFromName(std::string_view name) {
    while (!name.empty() && (name.front() == ' ' || name.front() == '\t')) name.remove_prefix(1);
    while (!name.empty() && (name.back() == ' ' || name.back() == '\t')) name.remove_suffix(1);
    std::string lower(name);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](char ch) { return ch >= 'A' && ch <= 'Z' ? static_cast<char>(ch - 'A' + 'a') : ch; });
    for (const NamedPage& entry : kNames)
        if (entry.name == lower) return entry.codePage;
    if (const auto number = knownNumber(lower)) return number;
    // "cp932", "cp-932", "windows-936", "windows936", "ms949", "win1251"
    for (std::string_view prefix : {"windows-", "windows", "cp-", "cp", "ms", "win-", "win"}) {
        if (std::string_view(lower).substr(0, prefix.size()) == prefix)
            if (const auto number = knownNumber(std::string_view(lower).substr(prefix.size()))) return number;
    }
    return std::nullopt;
}

std::string codePageName(int codePage) {
    for (const NamedPage& entry : kNames)
        if (entry.codePage == codePage) return std::string(entry.name);
    return "cp" + std::to_string(codePage);
}

}  // namespace tally
