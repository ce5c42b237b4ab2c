#include "core/codeview/LineEnds.h"

namespace tally {

LineEnd detectLineEnd(std::string_view bytes) {
    std::size_t at = bytes.find_first_of("\r\n");
    if (at == std::string_view::npos) return LineEnd::CrLf;
    if (bytes[at] == '\n') return LineEnd::Lf;
    return at + 1 < bytes.size() && bytes[at + 1] == '\n' ? LineEnd::CrLf : LineEnd::Cr;
}

std::string toCrLfText(std::string_view bytes, LineEnd lineEnd) {
    if (lineEnd == LineEnd::CrLf) return std::string(bytes);
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 16);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        char c = bytes[i];
        if (lineEnd == LineEnd::Lf && c == '\n' && (i == 0 || bytes[i - 1] != '\r')) {
            out += "\r\n";
        } else if (lineEnd == LineEnd::Cr && c == '\r' && (i + 1 == bytes.size() || bytes[i + 1] != '\n')) {
            out += "\r\n";
        } else {
            out += c;
        }
    }
    return out;
}

std::string fromCrLfText(std::string_view text, LineEnd lineEnd) {
    if (lineEnd == LineEnd::CrLf) return std::string(text);
    const char single = lineEnd == LineEnd::Lf ? '\n' : '\r';
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            out += single;
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

}  // namespace tally
