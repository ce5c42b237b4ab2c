#include "core/text/Windows1252Codec.h"

#include "core/text/Utf8.h"
#include "core/text/Windows1252.h"

namespace tally {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

class Windows1252Codec final : public TextCodec {
public:
    int codePage() const override { return kCodePageWestern; }
    std::string name() const override { return "windows-1252"; }

    std::string toUtf8(std::string_view bytes) const override { return windows1252ToUtf8(bytes); }

    std::optional<std::string> fromUtf8(std::string_view utf8) const override {
        // utf8ToWindows1252 writes '?' for what it cannot hold, which would hide the character the
        // caller has to name; this walks the code points itself and stops at the first such one.
        std::string out;
        out.reserve(utf8.size());
        for (std::size_t at = 0; at < utf8.size();) {
            const auto lead = static_cast<unsigned char>(utf8[at]);
            if (lead < 0x80) {
                out.push_back(utf8[at++]);
                continue;
            }
            const char32_t cp = nextUtf8CodePoint(utf8, at);
            // U+FFFD is both the mark of a malformed sequence and a character 1252 lacks.
            const int byte = cp == kReplacement ? -1 : windows1252ByteOf(cp);
            if (byte < 0) return std::nullopt;
            out.push_back(static_cast<char>(byte));
        }
        return out;
    }
};

class Utf8Codec final : public TextCodec {
public:
    int codePage() const override { return kCodePageUtf8; }
    std::string name() const override { return "utf-8"; }

    std::string toUtf8(std::string_view bytes) const override {
        // Most files are well-formed; only the rare damaged one pays for the rebuild.
        if (isValidUtf8(bytes)) return std::string(bytes);
        std::string out;
        out.reserve(bytes.size() + bytes.size() / 8);
        for (std::size_t at = 0; at < bytes.size();) {
            const auto lead = static_cast<unsigned char>(bytes[at]);
            if (lead < 0x80) {
                out.push_back(bytes[at++]);
                continue;
            }
            appendUtf8(out, nextUtf8CodePoint(bytes, at));
        }
        return out;
    }

    std::optional<std::string> fromUtf8(std::string_view utf8) const override {
        if (!isValidUtf8(utf8)) return std::nullopt;
        return std::string(utf8);
    }
};

}  // namespace

std::unique_ptr<TextCodec> makeWindows1252Codec() {
    return std::make_unique<Windows1252Codec>();
}

std::unique_ptr<TextCodec> makeUtf8Codec() {
    return std::make_unique<Utf8Codec>();
}

}  // namespace tally
