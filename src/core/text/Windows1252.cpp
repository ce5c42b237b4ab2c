#include "core/text/Windows1252.h"

#include <cstdint>
#include "core/text/TextOps.h"

namespace tally {

namespace {

// Code points of bytes 0x80..0x9F; the rest of the byte range maps to the same code point.
constexpr char32_t kHigh[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void appendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

}  // namespace

int windows1252ByteOf(char32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<int>(cp);
    for (int i = 0; i < 32; ++i)
        if (kHigh[i] == cp) return 0x80 + i;
    return -1;
}

char32_t windows1252CodePoint(unsigned char byte) { return byte >= 0x80 && byte < 0xA0 ? kHigh[byte - 0x80] : byte; }

std::string windows1252ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 8);
    for (char ch : bytes) {
        auto b = static_cast<unsigned char>(ch);
        if (b < 0x80)
            out.push_back(ch);
        else if (b < 0xA0)
            appendUtf8(out, kHigh[b - 0x80]);
        else
            appendUtf8(out, b);
    }
    return out;
}

std::string utf8ToWindows1252(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    std::size_t i = 0;
    while (i < utf8.size()) {
        auto b = static_cast<unsigned char>(utf8[i]);
        int len = b < 0x80 ? 1 : (b & 0xE0) == 0xC0 ? 2 : (b & 0xF0) == 0xE0 ? 3 : (b & 0xF8) == 0xF0 ? 4 : 0;
        bool ok = len > 0 && i + len <= utf8.size();
        char32_t cp = len == 1 ? b : len == 2 ? (b & 0x1F) : len == 3 ? (b & 0x0F) : (b & 0x07);
        for (int k = 1; ok && k < len; ++k) {
            auto c = static_cast<unsigned char>(utf8[i + k]);
            if ((c & 0xC0) != 0x80) ok = false;
            cp = (cp << 6) | (c & 0x3F);
        }
        if (!ok) {
            out.push_back(utf8[i]);
            ++i;
            continue;
        }
        int mapped = windows1252ByteOf(cp);
        out.push_back(mapped < 0 ? '?' : static_cast<char>(mapped));
        i += len;
    }
    return out;
}

namespace {

// The length of the well-formed UTF-8 sequence of two or more bytes starting at `i`, or 0.
std::size_t utf8SequenceAt(std::string_view s, std::size_t i) {
    const auto c = static_cast<unsigned char>(s[i]);
    std::size_t length = (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
    if (length == 0 || c == 0xC0 || c == 0xC1 || c > 0xF4 || i + length > s.size()) return 0;
    for (std::size_t k = 1; k < length; ++k)
        if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return 0;
    const auto c1 = static_cast<unsigned char>(s[i + 1]);
    // Overlong forms, surrogates and code points past U+10FFFF are not UTF-8.
    if ((c == 0xE0 && c1 < 0xA0) || (c == 0xED && c1 >= 0xA0) || (c == 0xF0 && c1 < 0x90) ||
        (c == 0xF4 && c1 >= 0x90))
        return 0;
    return length;
}

}  // namespace

bool isValidUtf8(std::string_view bytes) {
    for (std::size_t i = 0; i < bytes.size();) {
        // Source text is mostly ASCII: eight such bytes are passed over at once.
        if (i + 8 <= bytes.size() && !hasHighByte(bytes.substr(i, 8))) {
            i += 8;
            continue;
        }
        if (static_cast<unsigned char>(bytes[i]) < 0x80) {
            ++i;
            continue;
        }
        const std::size_t length = utf8SequenceAt(bytes, i);
        if (length == 0) return false;
        i += length;
    }
    return true;
}

std::string displayUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 4);
    for (std::size_t i = 0; i < bytes.size();) {
        if (static_cast<unsigned char>(bytes[i]) < 0x80) {
            out.push_back(bytes[i++]);
            continue;
        }
        const std::size_t length = utf8SequenceAt(bytes, i);
        if (length > 0) {
            out.append(bytes.substr(i, length));
            i += length;
        } else {
            out.append(windows1252ToUtf8(bytes.substr(i, 1)));
            ++i;
        }
    }
    return out;
}

}  // namespace tally
