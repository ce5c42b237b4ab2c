#include "platform/text/Win32TextCodec.h"

#include <windows.h>

#include <string>
#include <string_view>

#include "core/text/Utf8.h"
#include "core/text/Windows1252.h"  // isValidUtf8
#include "platform/text/TextCodecs.h"

namespace tally {

namespace {

void appendUtf16AsUtf8(std::string& out, const wchar_t* text, std::size_t length) {
    for (std::size_t i = 0; i < length; ++i) {
        const char32_t unit = static_cast<char16_t>(text[i]);
        if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < length) {
            const char32_t low = static_cast<char16_t>(text[i + 1]);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                appendUtf8(out, 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
                ++i;
                continue;
            }
        }
        appendUtf8(out, unit);  // a lone surrogate becomes U+FFFD there
    }
}

class Win32TextCodec final : public TextCodec {
public:
    Win32TextCodec(int codePage, bool doubleByte) : codePage_(codePage), doubleByte_(doubleByte) {}

    int codePage() const override { return codePage_; }
    std::string name() const override { return codePageName(codePage_); }

    std::string toUtf8(std::string_view bytes) const override {
        std::string out;
        if (bytes.empty()) return out;
        out.reserve(bytes.size() + bytes.size() / 2);
        // Most text converts in one call; only text with bytes the code page does not define
        // goes character by character, to put U+FFFD exactly where they are.
        if (convertStrict(bytes, out)) return out;
        out.clear();
        std::size_t at = 0;
        while (at < bytes.size()) {
            const auto lead = static_cast<unsigned char>(bytes[at]);
            if (lead < 0x80) {
                out.push_back(static_cast<char>(lead));
                ++at;
                continue;
            }
            std::size_t length = 1;
            if (doubleByte_ && IsDBCSLeadByteEx(static_cast<UINT>(codePage_), lead) && at + 1 < bytes.size())
                length = 2;
            if (convertStrict(bytes.substr(at, length), out)) {
                at += length;
                continue;
            }
            appendUtf8(out, 0xFFFD);
            // A trail byte below the trail range is a character of its own, read again.
            at += (length == 2 && static_cast<unsigned char>(bytes[at + 1]) >= 0x40) ? 2 : 1;
        }
        return out;
    }

    std::optional<std::string> fromUtf8(std::string_view utf8) const override {
        if (!isValidUtf8(utf8)) return std::nullopt;
        if (utf8.empty()) return std::string();
        const int units = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
        if (units <= 0) return std::nullopt;
        std::wstring wide(static_cast<std::size_t>(units), L'\0');
        MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), units);
        BOOL usedDefault = FALSE;
        const int length = WideCharToMultiByte(static_cast<UINT>(codePage_), WC_NO_BEST_FIT_CHARS, wide.data(),
                                               units, nullptr, 0, nullptr, &usedDefault);
        if (length <= 0 || usedDefault) return std::nullopt;
        std::string out(static_cast<std::size_t>(length), '\0');
        WideCharToMultiByte(static_cast<UINT>(codePage_), WC_NO_BEST_FIT_CHARS, wide.data(), units, out.data(),
                            length, nullptr, &usedDefault);
        if (usedDefault) return std::nullopt;  // a character the code page cannot hold
        return out;
    }

private:
    // Appends the text of `bytes` when every byte sequence is defined in the code page.
    bool convertStrict(std::string_view bytes, std::string& out) const {
        const int units = MultiByteToWideChar(static_cast<UINT>(codePage_), MB_ERR_INVALID_CHARS, bytes.data(),
                                              static_cast<int>(bytes.size()), nullptr, 0);
        if (units <= 0) return false;
        std::wstring wide(static_cast<std::size_t>(units), L'\0');
        MultiByteToWideChar(static_cast<UINT>(codePage_), MB_ERR_INVALID_CHARS, bytes.data(),
                            static_cast<int>(bytes.size()), wide.data(), units);
        appendUtf16AsUtf8(out, wide.data(), wide.size());
        return true;
    }

    int codePage_;
    bool doubleByte_;
};

}  // namespace

std::unique_ptr<TextCodec> makeWin32TextCodec(int codePage) {
    CPINFO info{};
    if (!GetCPInfo(static_cast<UINT>(codePage), &info)) return nullptr;
    return std::make_unique<Win32TextCodec>(codePage, info.MaxCharSize > 1);
}

}  // namespace tally
