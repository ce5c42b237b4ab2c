#include "core/parser/LiteralTexts.h"

#include "core/text/TextOps.h"

namespace tally {

std::string quotedTexts(std::string_view line) {
    std::string out;
    std::size_t pos = 0;
    while (true) {
        std::size_t open = line.find('"', pos);
        if (open == std::string_view::npos) break;
        std::size_t close = line.find('"', open + 1);
        if (close == std::string_view::npos) break;
        if (close > open + 1) {
            out.push_back(' ');
            out.append(line.substr(open + 1, close - open - 1));
        }
        pos = close + 1;
    }
    return out;
}

std::string argumentText(std::string_view line, ItemCall call) {
    std::string_view keyword = call == ItemCall::ListItemsAdd ? "listitems.add" : "nodes.add";
    int commas = call == ItemCall::ListItemsAdd ? 2 : 3;
    std::size_t at = findIgnoreCase(line, keyword);
    if (at == std::string_view::npos) return {};
    std::size_t pos = at + keyword.size();
    std::size_t comma = std::string_view::npos;
    for (int i = 0; i < commas; ++i) {
        comma = line.find(',', pos);
        if (comma == std::string_view::npos) return {};
        pos = comma + 1;
    }
    std::size_t quote = comma + 2;
    if (quote >= line.size() || line[quote] != '"') return {};
    std::size_t close = line.find('"', quote + 1);
    if (close == std::string_view::npos) return {};
    return std::string(line.substr(quote + 1, close - quote - 1));
}

}  // namespace tally
