#include "platform/registry/WineValueLine.h"

#include <cstdio>

#include "platform/registry/WineRegText.h"

namespace tally::winereg {

namespace {

bool isStringType(std::uint32_t type) {
    return type == regtype::kString || type == regtype::kExpandString || type == regtype::kMultiString;
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// A cursor over the value's text that knows where the current physical line ends.
struct Cursor {
    std::string_view text;
    std::size_t at;

    bool atLineEnd() const { return at >= text.size() || text[at] == '\n' || text[at] == '\r'; }
    void skipBlanks() {
        while (at < text.size() && (text[at] == ' ' || text[at] == '\t')) ++at;
    }
    bool take(std::string_view word) {
        if (text.substr(at, word.size()) != word) return false;
        at += word.size();
        return true;
    }
    // Up to `maxDigits` hex digits as a number; nothing when there is none or too many.
    std::optional<std::uint32_t> hexNumber(int maxDigits) {
        std::uint32_t value = 0;
        int digits = 0;
        while (at < text.size() && hexDigit(text[at]) >= 0) {
            if (++digits > maxDigits) return std::nullopt;
            value = value * 16 + static_cast<std::uint32_t>(hexDigit(text[at++]));
        }
        if (digits == 0) return std::nullopt;
        return value;
    }
    // Moves past the line end; false at the end of the text.
    bool nextLine() {
        while (at < text.size() && text[at] != '\n') ++at;
        if (at >= text.size()) return false;
        ++at;
        return true;
    }
};

std::size_t endOfLine(std::string_view text, std::size_t at) {
    const std::size_t nl = text.find('\n', at);
    return nl == std::string_view::npos ? text.size() : nl + 1;
}

// "01,ab, ff" over as many lines as end in a backslash. Nothing when a byte is malformed or the
// text ends where a continuation was promised.
std::optional<std::string> readHexBytes(Cursor& c) {
    std::string bytes;
    for (;;) {
        c.skipBlanks();
        while (!c.atLineEnd() && hexDigit(c.text[c.at]) >= 0) {
            const auto byte = c.hexNumber(2);
            if (!byte) return std::nullopt;
            bytes.push_back(static_cast<char>(*byte));
            c.skipBlanks();
            if (!c.atLineEnd() && c.text[c.at] == ',') ++c.at;
            c.skipBlanks();
        }
        if (c.atLineEnd()) return bytes;
        if (c.text[c.at] != '\\') return std::nullopt;
        ++c.at;
        c.skipBlanks();
        if (!c.atLineEnd() || !c.nextLine()) return std::nullopt;
    }
}

std::optional<RegValue> readValue(Cursor& c, ValueLineRead& read) {
    RegValue value;
    c.skipBlanks();
    if (c.take("@")) {
    } else if (c.take("\"")) {
        auto name = readEscaped(c.text, c.at, '"');
        if (!name) return std::nullopt;
        value.name = unitsToAnsi(*name, &read.nameLossy);
        if (read.nameLossy) read.nameUnits = std::move(*name);
    } else {
        return std::nullopt;
    }
    c.skipBlanks();
    if (!c.take("=")) return std::nullopt;
    c.skipBlanks();

    std::optional<std::uint32_t> stringType;
    if (c.take("\"") || c.take("str:\"")) {
        stringType = regtype::kString;
    } else if (c.take("str(")) {
        stringType = c.hexNumber(8);
        if (!stringType || !c.take("):\"")) return std::nullopt;
    }
    if (stringType) {
        auto text = readEscaped(c.text, c.at, '"');
        if (!text) return std::nullopt;
        // The file leaves out the terminating NUL that the registry keeps.
        text->push_back(u'\0');
        value.type = *stringType;
        value.data = unitsToAnsi(*text);
        return value;
    }
    if (c.take("dword:")) {
        const auto number = c.hexNumber(8);
        if (!number) return std::nullopt;
        return dwordValue(std::move(value.name), *number);
    }
    if (c.take("hex:")) {
        value.type = regtype::kBinary;
    } else if (c.take("hex(")) {
        const auto type = c.hexNumber(8);
        if (!type || !c.take("):")) return std::nullopt;
        value.type = *type;
    } else {
        return std::nullopt;
    }
    auto bytes = readHexBytes(c);
    if (!bytes) return std::nullopt;
    // Wine keeps strings as UTF-16 even when it writes them as hex.
    value.data = isStringType(value.type) ? unitsToAnsi(unitsOfUtf16le(*bytes)) : std::move(*bytes);
    return value;
}

std::string hexNumberText(std::uint32_t number, int width) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%0*x", width, static_cast<unsigned>(number));
    return buffer;
}

// Hex bytes wrapped as Wine wraps them: after a comma, once the line has passed 76 characters, the
// line ends in a backslash and goes on indented by two blanks.
void appendHexBytes(std::string& out, std::string_view bytes, std::size_t column, std::string_view newline) {
    static constexpr char kHex[] = "0123456789abcdef";
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        out.push_back(kHex[b >> 4]);
        out.push_back(kHex[b & 0xF]);
        column += 2;
        if (i + 1 < bytes.size()) {
            out.push_back(',');
            if (++column > 76) {
                out += "\\";
                out += newline;
                out += "  ";
                column = 2;
            }
        }
    }
}

}  // namespace

ValueLineRead readValueLine(std::string_view text, std::size_t start) {
    Cursor c{text, start};
    ValueLineRead read;
    read.value = readValue(c, read);
    if (!read.value) {
        read.nameLossy = false;
        read.nameUnits.clear();
    }
    read.end = read.value ? endOfLine(text, c.at) : endOfLine(text, start);
    return read;
}

std::string_view valueNameToken(std::string_view line) {
    Cursor c{line, 0};
    c.skipBlanks();
    const std::size_t from = c.at;
    if (c.take("@")) return line.substr(from, 1);
    if (!c.take("\"") || !readEscaped(line, c.at, '"')) return {};
    return line.substr(from, c.at - from);
}

std::string writeValueLine(const RegValue& value, std::string_view newline) {
    return writeValueLine(value, newline, {});
}

std::string writeValueLine(const RegValue& value, std::string_view newline, std::string_view nameToken) {
    std::string out;
    if (!nameToken.empty())
        out = std::string(nameToken) + "=";
    else
        out = value.name.empty() ? "@=" : "\"" + writeEscaped(ansiToUnits(value.name), "\"") + "\"=";
    const std::string_view data = value.data;
    if (isStringType(value.type) && !data.empty() && data.back() == '\0') {
        if (value.type != regtype::kString) out += "str(" + hexNumberText(value.type, 0) + "):";
        out += "\"" + writeEscaped(ansiToUnits(data.substr(0, data.size() - 1)), "\"") + "\"";
    } else if (value.type == regtype::kDword && data.size() == 4) {
        out += "dword:" + hexNumberText(dwordOf(data), 8);
    } else {
        out += value.type == regtype::kBinary ? "hex:" : "hex(" + hexNumberText(value.type, 0) + "):";
        const std::string bytes =
            isStringType(value.type) ? utf16leOfUnits(ansiToUnits(data)) : std::string(data);
        appendHexBytes(out, bytes, out.size(), newline);
    }
    out += newline;
    return out;
}

}  // namespace tally::winereg
