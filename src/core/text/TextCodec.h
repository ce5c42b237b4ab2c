#pragma once
// The code page a project's sources are written in, and the conversion of its bytes to and from
// UTF-8. VB6 wrote sources in the ANSI code page of the machine: Windows-1252 mostly, but also
// Shift-JIS (932), GBK (936), Korean (949), Big5 (950), Cyrillic (1251) and the others, and now
// and then a file in UTF-8. The passes work on bytes (a DBCS trail byte is never '"', '\'', CR or
// LF); everything a person reads is decoded with the project's codec.

#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace tally {

// Code page numbers as Windows names them; UTF-8 is 65001.
inline constexpr int kCodePageUtf8 = 65001;
inline constexpr int kCodePageWestern = 1252;

class TextCodec {
public:
    virtual ~TextCodec() = default;
    virtual int codePage() const = 0;
    // "windows-1252", "shift_jis", "utf-8", ...: the name the status bar and --codepage show.
    virtual std::string name() const = 0;
    // The text of `bytes` as UTF-8; a byte sequence the code page does not define becomes U+FFFD.
    virtual std::string toUtf8(std::string_view bytes) const = 0;
    // The bytes of UTF-8 text in this code page; nothing when a character has no bytes in it (the
    // caller names the character instead of writing a substitute).
    virtual std::optional<std::string> fromUtf8(std::string_view utf8) const = 0;
};

// The codec of a code page: Windows-1252 and UTF-8 always, the others where the platform's
// converters have them (see TextCodecs.h); nothing for an unknown number.
using CodecFactory = std::unique_ptr<TextCodec> (*)(int codePage);

}  // namespace tally
