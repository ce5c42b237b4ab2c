#include "core/reports/RtfReader.h"

#include <array>
#include <map>
#include <vector>

#include "core/text/Utf8.h"
#include "core/text/Windows1252.h"

namespace tally {

namespace {

enum class Destination { Text, Skip, FontTable, ColourTable };

// What a group changes and a closing brace restores.
struct GroupState {
    Destination destination = Destination::Text;
    int font = -1;  // -1: the document's default font
    int halfPoints = 24;
    bool bold = false, italic = false, underline = false;
    int colour = 0;
    int fallbackCount = 1;  // \ucN
    RichAlignment alignment = RichAlignment::Left;
};

struct ControlWord {
    std::string_view word;
    bool hasParameter = false;
    long long parameter = 0;
};

bool isLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

int hexValue(char c) {
    if (isDigit(c)) return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Destinations whose text is not part of the document's flow.
bool isSkippedDestination(std::string_view word) {
    static constexpr std::array<std::string_view, 34> kSkipped = {
        "info",       "stylesheet", "pict",       "object",     "nonshppict", "shpinst",   "header",
        "headerl",    "headerr",    "headerf",    "footer",     "footerl",    "footerr",   "footerf",
        "footnote",   "annotation", "fldinst",    "themedata",  "colorschememapping",    "listtable",
        "listoverridetable",        "rsidtbl",    "generator",  "xmlnstbl",   "latentstyles",
        "datastore",  "mmathPr",    "pgdsctbl",   "filetbl",    "revtbl",     "xe",         "tc",
        "txe",        "falt"};
    for (std::string_view skipped : kSkipped)
        if (word == skipped) return true;
    return false;
}

class RtfReader {
public:
    explicit RtfReader(std::string_view rtf) : m_rtf(rtf) { m_stack.push_back(GroupState{}); }

    RichDocument read() {
        m_document.paragraphs.emplace_back();
        while (m_at < m_rtf.size()) step();
        if (m_document.paragraphs.back().runs.empty()) m_document.paragraphs.pop_back();
        else m_document.paragraphs.back().alignment = state().alignment;
        return std::move(m_document);
    }

private:
    GroupState& state() { return m_stack.back(); }

    void step() {
        char c = m_rtf[m_at];
        if (c == '{') {
            ++m_at;
            m_pendingHigh = 0;
            m_fallbackLeft = 0;
            if (m_stack.size() < kRtfGroupDepthLimit) m_stack.push_back(state());
            else ++m_overflow;
        } else if (c == '}') {
            ++m_at;
            m_pendingHigh = 0;
            m_fallbackLeft = 0;
            if (m_overflow > 0) --m_overflow;
            else if (m_stack.size() > 1) closeGroup();
        } else if (c == '\\') {
            ++m_at;
            control();
        } else if (c == '\r' || c == '\n') {
            ++m_at;
        } else {
            ++m_at;
            byteText(static_cast<unsigned char>(c));
        }
    }

    void closeGroup() {
        if (state().destination == Destination::FontTable) commitFont();
        m_stack.pop_back();
    }

    void control() {
        if (m_at >= m_rtf.size()) return;  // a lone backslash at the end
        char c = m_rtf[m_at];
        if (!isLetter(c)) {
            ++m_at;
            symbol(c);
            return;
        }
        ControlWord cw = readWord();
        if (consumeFallback()) return;
        word(cw);
    }

    ControlWord readWord() {
        ControlWord cw;
        std::size_t start = m_at;
        while (m_at < m_rtf.size() && isLetter(m_rtf[m_at])) ++m_at;
        cw.word = m_rtf.substr(start, m_at - start);
        bool negative = m_at < m_rtf.size() && m_rtf[m_at] == '-' && m_at + 1 < m_rtf.size() && isDigit(m_rtf[m_at + 1]);
        if (negative) ++m_at;
        if (m_at < m_rtf.size() && isDigit(m_rtf[m_at])) {
            cw.hasParameter = true;
            while (m_at < m_rtf.size() && isDigit(m_rtf[m_at])) {
                // Clamped: a parameter of a thousand digits stays a large number.
                if (cw.parameter < 1'000'000'000'000LL) cw.parameter = cw.parameter * 10 + (m_rtf[m_at] - '0');
                ++m_at;
            }
            if (negative) cw.parameter = -cw.parameter;
        }
        if (m_at < m_rtf.size() && m_rtf[m_at] == ' ') ++m_at;  // the blank that ends a control word
        return cw;
    }

    void symbol(char c) {
        if (c == '\'') {
            int high = m_at < m_rtf.size() ? hexValue(m_rtf[m_at]) : -1;
            int low = m_at + 1 < m_rtf.size() ? hexValue(m_rtf[m_at + 1]) : -1;
            if (high < 0 || low < 0) return;  // a truncated escape shows nothing
            m_at += 2;
            if (consumeFallback()) return;
            codePageByte(static_cast<unsigned char>(high * 16 + low));
            return;
        }
        if (c == '*') {
            state().destination = Destination::Skip;
            return;
        }
        if (consumeFallback()) return;
        switch (c) {
            case '\\': case '{': case '}': text(static_cast<char32_t>(c)); break;
            case '~': text(0xA0); break;
            case '_': text(0x2011); break;
            case '\r': case '\n': paragraphEnd(); break;  // an escaped line end is a paragraph mark
            default: break;  // \- (optional hyphen), \| and \: show nothing
        }
    }

    // After \uN the next \ucN characters (bytes, \'hh escapes or control words) are the fallback of
    // readers without Unicode, and are passed over.
    bool consumeFallback() {
        if (m_fallbackLeft == 0) return false;
        --m_fallbackLeft;
        return true;
    }

    void word(const ControlWord& cw) {
        std::string_view w = cw.word;
        GroupState& s = state();
        long long p = cw.parameter;
        bool on = !cw.hasParameter || p != 0;
        if (w == "fonttbl") s.destination = Destination::FontTable;
        else if (w == "colortbl") { s.destination = Destination::ColourTable; m_colourStarted = false; }
        else if (isSkippedDestination(w)) s.destination = Destination::Skip;
        else if (w == "bin") skipBinary(cw.hasParameter ? p : 0);
        else if (s.destination == Destination::FontTable) fontTableWord(cw);
        else if (s.destination == Destination::ColourTable) colourTableWord(cw);
        else if (s.destination == Destination::Skip) return;
        else if (w == "deff") m_defaultFont = static_cast<int>(p);
        else if (w == "uc") s.fallbackCount = static_cast<int>(p < 0 ? 0 : p > 16 ? 16 : p);
        else if (w == "u" && cw.hasParameter) unicode(p);
        else if (w == "par" || w == "sect" || w == "page" || w == "row") paragraphEnd();
        else if (w == "line") text('\n');
        else if (w == "tab" || w == "cell") text('\t');
        else if (w == "pard") s.alignment = RichAlignment::Left;
        else if (w == "ql") s.alignment = RichAlignment::Left;
        else if (w == "qc") s.alignment = RichAlignment::Center;
        else if (w == "qr") s.alignment = RichAlignment::Right;
        else if (w == "qj") s.alignment = RichAlignment::Justify;
        else if (w == "plain") plain(s);
        else if (w == "f") s.font = static_cast<int>(p < 0 || p > 1'000'000 ? 0 : p);
        else if (w == "fs") s.halfPoints = static_cast<int>(p < 1 ? 24 : p > 3276 ? 3276 : p);
        else if (w == "b") s.bold = on;
        else if (w == "i") s.italic = on;
        else if (w == "ul" || w == "uld" || w == "uldb" || w == "ulw" || w == "uldash" || w == "ulwave" || w == "ulth")
            s.underline = on;
        else if (w == "ulnone") s.underline = false;
        else if (w == "cf") s.colour = static_cast<int>(p < 0 || p > 1'000'000 ? 0 : p);
        else if (w == "emdash") text(0x2014);
        else if (w == "endash") text(0x2013);
        else if (w == "bullet") text(0x2022);
        else if (w == "lquote") text(0x2018);
        else if (w == "rquote") text(0x2019);
        else if (w == "ldblquote") text(0x201C);
        else if (w == "rdblquote") text(0x201D);
        // Every other control word changes nothing this document keeps.
    }

    void plain(GroupState& s) {
        s.font = -1;
        s.halfPoints = 24;
        s.bold = s.italic = s.underline = false;
        s.colour = 0;
    }

    void skipBinary(long long count) {
        if (count <= 0) return;
        std::size_t left = m_rtf.size() - m_at;
        m_at += static_cast<unsigned long long>(count) < left ? static_cast<std::size_t>(count) : left;
    }

    void unicode(long long value) {
        long long unit = value < 0 ? value + 65536 : value;
        m_fallbackLeft = state().fallbackCount;
        if (unit < 0 || unit > 0xFFFF) return;
        auto u = static_cast<char32_t>(unit);
        if (u >= 0xD800 && u <= 0xDBFF) {
            m_pendingHigh = u;
            return;
        }
        if (u >= 0xDC00 && u <= 0xDFFF) {
            if (m_pendingHigh) text(0x10000 + ((m_pendingHigh - 0xD800) << 10) + (u - 0xDC00));
            m_pendingHigh = 0;
            return;
        }
        text(u);
    }

    void fontTableWord(const ControlWord& cw) {
        if (cw.word == "f") {
            commitFont();
            m_fontNumber = static_cast<int>(cw.parameter);
            m_fontName.clear();
            m_fontOpen = true;
        }
    }

    void colourTableWord(const ControlWord& cw) {
        auto level = static_cast<std::uint8_t>(cw.parameter < 0 ? 0 : cw.parameter > 255 ? 255 : cw.parameter);
        if (cw.word == "red") m_colour.red = level;
        else if (cw.word == "green") m_colour.green = level;
        else if (cw.word == "blue") m_colour.blue = level;
        else return;
        m_colourStarted = true;
    }

    void commitFont() {
        if (!m_fontOpen) return;
        std::string name = m_fontName;
        while (!name.empty() && name.back() == ' ') name.pop_back();
        while (!name.empty() && name.front() == ' ') name.erase(name.begin());
        m_fonts[m_fontNumber] = name;
        m_fontOpen = false;
    }

    void byteText(unsigned char byte) {
        if (consumeFallback()) return;
        codePageByte(byte);
    }

    void codePageByte(unsigned char byte) {
        Destination d = state().destination;
        if (d == Destination::FontTable) {
            if (byte == ';') commitFont();
            else if (m_fontOpen && m_fontName.size() < 256) m_fontName += static_cast<char>(byte);
            return;
        }
        if (d == Destination::ColourTable) {
            if (byte == ';') {
                m_colours.push_back(m_colourStarted ? std::optional<RichColour>(m_colour) : std::nullopt);
                m_colour = RichColour{};
                m_colourStarted = false;
            }
            return;
        }
        // Code pages other than Windows-1252 are not known here; their bytes are read as Windows-1252.
        text(byte < 0x80 ? byte : windows1252CodePoint(byte));
    }

    void text(char32_t cp) {
        if (state().destination != Destination::Text) return;
        m_scratch.clear();
        appendUtf8(m_scratch, cp);
        appendRichText(m_document, m_scratch, format());
    }

    RichFormat format() {
        const GroupState& s = state();
        RichFormat f;
        auto font = m_fonts.find(s.font < 0 ? m_defaultFont : s.font);
        if (font != m_fonts.end()) f.font = font->second;
        f.halfPoints = s.halfPoints;
        f.bold = s.bold;
        f.italic = s.italic;
        f.underline = s.underline;
        if (s.colour >= 0 && static_cast<std::size_t>(s.colour) < m_colours.size()) f.colour = m_colours[s.colour];
        return f;
    }

    void paragraphEnd() {
        if (state().destination != Destination::Text) return;
        m_document.paragraphs.back().alignment = state().alignment;
        m_document.paragraphs.emplace_back();
    }

    std::string_view m_rtf;
    std::size_t m_at = 0;
    std::vector<GroupState> m_stack;
    std::size_t m_overflow = 0;  // groups opened past the depth limit and not yet closed
    RichDocument m_document;
    std::map<int, std::string> m_fonts;
    int m_defaultFont = 0;
    int m_fontNumber = 0;
    std::string m_fontName;
    bool m_fontOpen = false;
    std::vector<std::optional<RichColour>> m_colours;
    RichColour m_colour;
    bool m_colourStarted = false;
    int m_fallbackLeft = 0;
    char32_t m_pendingHigh = 0;
    std::string m_scratch;
};

}  // namespace

RichDocument readRtf(std::string_view rtf) { return RtfReader(rtf).read(); }

}  // namespace tally
