#include "core/parser/HeaderText.h"

#include "core/text/TextOps.h"

namespace tally {

namespace {
constexpr std::string_view kAsMark = ") as ";
}

std::string_view ParamSpan::inside(std::string_view header) const {
    if (!found()) return {};
    return trimView(header.substr(open + 1, close - open - 1));
}

ParamSpan paramSpanOf(std::string_view header) {
    ParamSpan span;
    span.open = header.find('(');
    if (span.open == std::string_view::npos) return span;
    int depth = 0;
    bool inLiteral = false;
    for (std::size_t i = span.open; i < header.size(); ++i) {
        char c = header[i];
        if (c == '"') inLiteral = !inLiteral;
        if (inLiteral) continue;
        if (c == '(') ++depth;
        if (c == ')' && --depth == 0) {
            span.close = i;
            return span;
        }
    }
    std::size_t last = header.rfind(')');
    if (last != std::string_view::npos && last > span.open) span.close = last;
    return span;
}

std::optional<std::string> returnTypeOf(std::string_view header, const ParamSpan& span) {
    std::size_t start = std::string_view::npos;
    if (span.found()) {
        if (equalsIgnoreCase(header.substr(span.close, kAsMark.size()), kAsMark))
            start = span.close + kAsMark.size();
    } else if (span.open == std::string_view::npos) {
        for (std::size_t at = findIgnoreCase(header, kAsMark); at != std::string_view::npos;
             at = findIgnoreCase(header, kAsMark, at + 1))
            start = at + kAsMark.size();
    }
    if (start == std::string_view::npos || start > header.size()) return std::nullopt;
    std::size_t lastSpace = header.rfind(' ');
    std::size_t end = (lastSpace != std::string_view::npos && lastSpace >= start) ? lastSpace : header.size();
    std::string_view type = trimView(header.substr(start, end - start));
    if (type.empty()) return std::nullopt;
    return std::string(type);
}

std::string_view beforeApostrophe(std::string_view text) {
    return text.substr(0, text.find('\''));
}

}  // namespace tally
