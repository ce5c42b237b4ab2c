#include "core/support/JsonReader.h"

#include <charconv>

#include "core/text/Utf8.h"

namespace tally {

namespace {

constexpr int kMaximumDepth = 64;

class Parser {
public:
    explicit Parser(std::string_view text) : m_text(text) {}

    JsonParse run() {
        JsonParse result;
        JsonValue value;
        skipBlanks();
        if (!parseValue(value, 0)) {
            result.error = "line " + std::to_string(line()) + ": " + m_error;
            return result;
        }
        skipBlanks();
        if (m_at != m_text.size()) {
            result.error = "line " + std::to_string(line()) + ": text after the document";
            return result;
        }
        result.value = std::move(value);
        return result;
    }

private:
    bool fail(std::string why) {
        if (m_error.empty()) m_error = std::move(why);
        return false;
    }

    int line() const {
        int count = 1;
        for (std::size_t i = 0; i < m_at && i < m_text.size(); ++i) count += m_text[i] == '\n';
        return count;
    }

    void skipBlanks() {
        while (m_at < m_text.size() && (m_text[m_at] == ' ' || m_text[m_at] == '\t' || m_text[m_at] == '\r' ||
                                        m_text[m_at] == '\n'))
            ++m_at;
    }

    bool take(char c) {
        skipBlanks();
        if (m_at < m_text.size() && m_text[m_at] == c) {
            ++m_at;
            return true;
        }
        return false;
    }

    bool word(std::string_view w) {
        if (m_text.substr(m_at, w.size()) != w) return false;
        m_at += w.size();
        return true;
    }

    bool parseValue(JsonValue& out, int depth) {
        if (depth > kMaximumDepth) return fail("nested too deeply");
        skipBlanks();
        if (m_at >= m_text.size()) return fail("unexpected end");
        const char c = m_text[m_at];
        if (c == '{') return parseObject(out, depth);
        if (c == '[') return parseArray(out, depth);
        if (c == '"') {
            out.kind = JsonValue::Kind::String;
            return parseString(out.text);
        }
        if (word("true") || word("false")) {
            out.kind = JsonValue::Kind::Boolean;
            out.boolean = c == 't';
            return true;
        }
        if (word("null")) return true;
        return parseNumber(out);
    }

    bool parseObject(JsonValue& out, int depth) {
        out.kind = JsonValue::Kind::Object;
        ++m_at;
        if (take('}')) return true;
        do {
            skipBlanks();
            std::string name;
            if (m_at >= m_text.size() || m_text[m_at] != '"') return fail("expected a member name in quotes");
            if (!parseString(name)) return false;
            if (!take(':')) return fail("expected ':'");
            JsonValue value;
            if (!parseValue(value, depth + 1)) return false;
            out.members.insert_or_assign(std::move(name), std::move(value));
        } while (take(','));
        return take('}') || fail("expected ',' or '}'");
    }

    bool parseArray(JsonValue& out, int depth) {
        out.kind = JsonValue::Kind::Array;
        ++m_at;
        if (take(']')) return true;
        do {
            JsonValue value;
            if (!parseValue(value, depth + 1)) return false;
            out.items.push_back(std::move(value));
        } while (take(','));
        return take(']') || fail("expected ',' or ']'");
    }

    bool hex4(std::size_t at, char32_t& value) const {
        if (at + 4 > m_text.size()) return false;
        value = 0;
        for (std::size_t i = at; i < at + 4; ++i) {
            const char c = m_text[i];
            const int digit = c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10
                              : c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
            if (digit < 0) return false;
            value = value * 16 + static_cast<char32_t>(digit);
        }
        return true;
    }

    bool parseString(std::string& out) {
        ++m_at;  // the opening quote
        while (m_at < m_text.size()) {
            const char c = m_text[m_at++];
            if (c == '"') return true;
            if (static_cast<unsigned char>(c) < 0x20) return fail("a control character in a string");
            if (c != '\\') {
                out.push_back(c);
                continue;
            }
            if (m_at >= m_text.size()) break;
            const char escape = m_text[m_at++];
            switch (escape) {
                case '"': case '\\': case '/': out.push_back(escape); break;
                case 'b': out.push_back('\b'); break;
                case 'f': out.push_back('\f'); break;
                case 'n': out.push_back('\n'); break;
                case 'r': out.push_back('\r'); break;
                case 't': out.push_back('\t'); break;
                case 'u': {
                    char32_t cp = 0;
                    if (!hex4(m_at, cp)) return fail("a bad \\u escape");
                    m_at += 4;
                    char32_t low = 0;
                    if (cp >= 0xD800 && cp <= 0xDBFF && m_text.substr(m_at, 2) == "\\u" && hex4(m_at + 2, low) &&
                        low >= 0xDC00 && low <= 0xDFFF) {
                        cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
                        m_at += 6;
                    }
                    appendUtf8(out, cp);
                    break;
                }
                default: return fail("a bad escape in a string");
            }
        }
        return fail("a string without its closing quote");
    }

    bool parseNumber(JsonValue& out) {
        const std::size_t start = m_at;
        while (m_at < m_text.size() && std::string_view("+-0123456789.eE").find(m_text[m_at]) != std::string_view::npos)
            ++m_at;
        if (m_at == start) return fail("expected a value");
        // from_chars reads the same whatever the locale's decimal point.
        const char* first = m_text.data() + start;
        const char* last = m_text.data() + m_at;
        auto [end, error] = std::from_chars(first, last, out.number);
        if (error != std::errc() || end != last) return fail("a bad number");
        out.kind = JsonValue::Kind::Number;
        return true;
    }

    std::string_view m_text;
    std::size_t m_at = 0;
    std::string m_error;
};

}  // namespace

JsonParse parseJson(std::string_view text) {
    if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
    return Parser(text).run();
}

}  // namespace tally
