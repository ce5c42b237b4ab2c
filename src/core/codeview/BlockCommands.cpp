#include "core/codeview/BlockCommands.h"

#include "core/text/TextOps.h"

namespace tally {

namespace {

std::string prefixLines(std::string_view selection, char mark) {
    std::string out;
    out.reserve(selection.size() + selection.size() / 16 + 1);
    out += mark;
    for (std::size_t i = 0; i < selection.size(); ++i) {
        out += selection[i];
        if (selection[i] == '\r' && i + 2 < selection.size() && selection[i + 1] == '\n') {
            out += '\n';
            ++i;
            out += mark;
        }
    }
    return out;
}

}  // namespace

std::string commentBlock(std::string_view selection) {
    return prefixLines(selection, '\'');
}

std::string indentBlock(std::string_view selection) {
    return prefixLines(selection, '\t');
}

std::string outdentBlock(std::string_view selection) {
    // A line break in front makes the first line look like the others.
    std::string lines = "\r\n" + std::string(selection);
    if (contains(lines, "\r\n\t"))
        lines = replaceAll(lines, "\r\n\t", "\r\n");
    else
        lines = replaceAll(lines, "\r\n    ", "\r\n");
    return lines.substr(2);
}

bool isMultiLineSelection(std::string_view selection) {
    return contains(selection, "\r\n");
}

}  // namespace tally
