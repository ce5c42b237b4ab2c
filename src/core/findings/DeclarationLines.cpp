#include "core/findings/DeclarationLines.h"

#include "core/text/TextOps.h"

namespace tally {

namespace {

bool isNameChar(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' ||
           static_cast<unsigned char>(c) >= 0x80;
}

// The line without its indent and a leading comment mark, and without the scope words in front.
std::string_view statementOf(std::string_view line) {
    std::string_view text = trimView(line);
    if (text.starts_with('\'')) text = trimView(text.substr(1));
    for (bool again = true; again;) {
        again = false;
        for (std::string_view word : {"Public ", "Private ", "Global ", "Friend ", "Static "}) {
            if (text.size() >= word.size() && equalsIgnoreCase(text.substr(0, word.size()), word)) {
                text = trimView(text.substr(word.size()));
                again = true;
            }
        }
    }
    return text;
}

bool startsWithWord(std::string_view text, std::string_view word) {
    return text.size() >= word.size() && equalsIgnoreCase(text.substr(0, word.size()), word) &&
           (text.size() == word.size() || !isNameChar(text[word.size()]));
}

bool holdsWord(std::string_view text, std::string_view word) {
    for (std::size_t at = findIgnoreCase(text, word); at != std::string_view::npos;
         at = findIgnoreCase(text, word, at + 1)) {
        const bool before = at == 0 || !isNameChar(text[at - 1]);
        const bool after = at + word.size() == text.size() || !isNameChar(text[at + word.size()]);
        if (before && after) return true;
    }
    return false;
}

// The routine's header: Sub, Function or Property Get/Let/Set followed by the name.
bool isHeaderOf(std::string_view line, std::string_view name) {
    std::string_view text = statementOf(line);
    if (trimView(line).starts_with('\'')) return false;
    for (std::string_view kind : {"Sub ", "Function ", "Property Get ", "Property Let ", "Property Set "})
        if (text.size() > kind.size() && equalsIgnoreCase(text.substr(0, kind.size()), kind))
            return startsWithWord(trimView(text.substr(kind.size())), name);
    return false;
}

bool isAnyHeader(std::string_view line) {
    if (trimView(line).starts_with('\'')) return false;
    std::string_view text = statementOf(line);
    for (std::string_view kind : {"Sub ", "Function ", "Property "})
        if (text.size() > kind.size() && equalsIgnoreCase(text.substr(0, kind.size()), kind)) return true;
    return false;
}

bool declares(std::string_view line, std::string_view name) {
    const std::string_view text = statementOf(line);
    const std::string_view raw = trimView(line);
    for (std::string_view keyword : {"Dim", "Const", "ReDim", "WithEvents"})
        if (startsWithWord(text, keyword)) return holdsWord(text, name);
    // Module-level declarations may carry only their scope word: "Private mCount As Long".
    if (text.size() != raw.size() && !raw.starts_with('\'') && holdsWord(text, name) && !isAnyHeader(line))
        return true;
    return startsWithWord(text, name);  // a member of a Type or an Enum
}

}  // namespace

int dllDeclarationLine(const std::vector<std::string_view>& lines, std::string_view name) {
    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::string_view text = statementOf(lines[i]);
        if (!startsWithWord(text, "Declare")) continue;
        text = trimView(text.substr(7));
        for (std::string_view kind : {"Sub ", "Function "})
            if (text.size() > kind.size() && equalsIgnoreCase(text.substr(0, kind.size()), kind) &&
                startsWithWord(trimView(text.substr(kind.size())), name))
                return static_cast<int>(i) + 1;
    }
    return 0;
}

int variableDeclarationLine(const std::vector<std::string_view>& lines, std::string_view name, std::string_view scope) {
    std::size_t from = 0;
    std::size_t to = lines.size();
    bool inRoutine = false;
    for (std::size_t i = 0; i < lines.size() && !scope.empty(); ++i) {
        if (!isHeaderOf(lines[i], scope)) continue;
        from = i + 1;
        for (to = from; to < lines.size() && !isAnyHeader(lines[to]); ++to) {}
        inRoutine = true;
        break;
    }
    if (!inRoutine)
        for (to = 0; to < lines.size() && !isAnyHeader(lines[to]); ++to) {}
    for (std::size_t i = from; i < to; ++i)
        if (declares(lines[i], name)) return static_cast<int>(i) + 1;
    // A parameter is declared in its routine's header.
    if (inRoutine && holdsWord(statementOf(lines[from - 1]), name)) return static_cast<int>(from);
    return 0;
}

}  // namespace tally
