#include "core/codeview/CodeSections.h"

#include <array>

#include "core/project/PathOps.h"
#include "core/text/TextOps.h"

namespace tally {

namespace {

constexpr std::string_view kCrLf = "\r\n";
constexpr std::size_t npos = std::string_view::npos;

constexpr std::array<std::string_view, 11> kRoutineStarts = {
    "Property ",
    "Public Property ",
    "Private Property ",
    "Function ",
    "Private Function ",
    "Public Function ",
    "Sub ",
    "Private Sub ",
    "Public Sub ",
    "Static Function ",
    "Friend ",
};

std::string lowerExtension(std::string_view path) {
    std::string name = fileNameOf(path);
    std::size_t dot = name.rfind('.');
    return dot == std::string::npos ? std::string() : toLower(std::string_view(name).substr(dot));
}

// The first character of the line after the one holding the first `marker`.
std::size_t lineAfter(std::string_view text, std::string_view marker) {
    std::size_t at = text.find(marker);
    if (at == npos) return npos;
    std::size_t lineEnd = text.find(kCrLf, at);
    return lineEnd == npos ? npos : lineEnd + 2;
}

// An occurrence starts a routine when it starts a word after a blank, tab or line break, is not
// part of a DLL declaration or designer block, and is not inside a comment.
bool startsRoutine(std::string_view text, std::size_t at) {
    if (at == 0) return false;
    char before = text[at - 1];
    if (before != '\t' && before != '\n' && before != '\r' && before != ' ') return false;
    std::size_t from = at >= 8 ? at - 8 : 0;
    std::string_view lead = text.substr(from, at - from);
    if (contains(lead, "Begin ") || contains(lead, "Declare ")) return false;
    std::size_t lineStart = text.find_last_of("\r\n", at - 1);
    lineStart = lineStart == npos ? 0 : lineStart + 1;
    return text.substr(lineStart, at - lineStart).find('\'') == npos;
}

constexpr std::array<std::string_view, 4> kScopeWords = {"Public ", "Private ", "Friend ", "Static "};

std::string_view withoutScope(std::string_view header) {
    for (std::string_view scope : kScopeWords)
        if (header.starts_with(scope)) return header.substr(scope.size());
    return header;
}

// Where the first `core` («Sub Add(») that starts its line, or follows only a scope word on it,
// begins with that scope word.
std::size_t findWithAnyScope(std::string_view text, std::string_view core) {
    for (std::size_t at = text.find(core); at != npos; at = text.find(core, at + 1)) {
        std::size_t lineStart = at;
        while (lineStart > 0 && text[lineStart - 1] != '\n' && text[lineStart - 1] != '\r') --lineStart;
        std::string_view lead = text.substr(lineStart, at - lineStart);
        std::string_view word = trimView(lead);
        if (word.empty()) return at;
        for (std::string_view scope : kScopeWords)
            if (word == trimView(scope)) return lineStart + lead.find_first_not_of(" \t");
    }
    return npos;
}

}  // namespace

std::optional<TextRange> findDeclarations(std::string_view fileText, std::string_view path) {
    std::string ext = lowerExtension(path);
    std::size_t start;
    if (ext == ".bas")
        start = lineAfter(fileText, "Attribute VB_Name = ");
    else if (ext == ".frm" || ext == ".cls" || ext == ".ctl")
        start = lineAfter(fileText, "Attribute VB_Exposed = ");
    else
        start = lineAfter(fileText, "");
    // Attribute lines right after the marker (a class builder's VB_Ext_KEY, a description) belong
    // to the file's header. Attribute lines further down do not end the section: VB writes
    // «Attribute mConn.VB_VarHelpID = -1» after each WithEvents variable, among the declarations.
    while (start != npos && fileText.substr(start).starts_with("Attribute ")) {
        std::size_t lineEnd = fileText.find(kCrLf, start);
        start = lineEnd == npos ? npos : lineEnd + 2;
    }
    if (start == npos || start >= fileText.size()) return std::nullopt;

    std::size_t end = fileText.size();
    for (std::string_view prefix : kRoutineStarts) {
        for (std::size_t at = fileText.find(prefix, start); at != npos && at < end;
             at = fileText.find(prefix, at + 1)) {
            if (startsRoutine(fileText, at)) {
                end = at;
                break;
            }
        }
    }
    if (end <= start) return std::nullopt;
    return TextRange{start, end};
}

RoutineLocation findRoutine(std::string_view fileText, std::string_view header) {
    RoutineLocation found;
    if (trim(header).empty()) return found;
    std::string_view endKeyword = contains(header, "Function ")   ? "End Function"
                                  : contains(header, "Property ") ? "End Property"
                                                                  : "End Sub";
    std::string wanted(header);
    std::size_t start = fileText.find(wanted);
    if (start == npos) {
        wanted = std::string(header.substr(0, header.size() - 1)) + " _";
        start = fileText.find(wanted);
    }
    // A function declared the old way carries its type character after the name
    // («Public Function RoundTotal#(»), which the name in the model does not.
    for (char typeCharacter : std::string_view("$%&!#")) {
        if (start != npos || !endsWith(header, "(")) break;
        wanted = std::string(header.substr(0, header.size() - 1)) + typeCharacter + "(";
        start = fileText.find(wanted);
    }
    if (start == npos && endsWith(header, "(")) {
        start = findWithAnyScope(fileText, withoutScope(header));
        if (start != npos) wanted = std::string(fileText.substr(start, fileText.find('(', start) + 1 - start));
    }
    if (start == npos) return found;
    found.header = wanted;

    std::size_t end = fileText.find(endKeyword, start);
    if (end == npos) return found;
    end += endKeyword.size();
    // The blank lines after the routine belong to it.
    while (fileText.substr(end, 2) == kCrLf) end += 2;

    // Comment lines right above the header belong to it too; the first line of the file never does.
    while (start >= 3) {
        std::size_t previousEnd = fileText.rfind(kCrLf, start - 3);
        if (previousEnd == npos) break;
        std::size_t lineStart = previousEnd + 2;
        if (fileText.substr(lineStart, start - lineStart).find('\'') == npos) break;
        start = lineStart;
    }
    found.range = TextRange{start, end};
    return found;
}

std::string routineHeaderIn(std::string_view routineText) {
    std::size_t from = 0;
    while (from < routineText.size()) {
        std::size_t lineEnd = routineText.find(kCrLf, from);
        if (lineEnd == npos) lineEnd = routineText.size();
        std::string_view line = trimView(routineText.substr(from, lineEnd - from));
        std::string_view rest = line;
        for (std::string_view scope : kScopeWords)
            if (rest.starts_with(scope)) rest = trimView(rest.substr(scope.size()));
        if (rest.starts_with("Sub ") || rest.starts_with("Function ") || rest.starts_with("Property ")) {
            std::size_t paren = line.find('(');
            return std::string(paren == npos ? line : line.substr(0, paren + 1));
        }
        from = lineEnd + 2;
    }
    return {};
}

std::string_view headerPrefixOfCode(int code) {
    switch (code) {
        case 0:
            return "Function ";
        case 3:
            return "Private Function ";
        case 5:
            return "Public Function ";
        case 20:
            return "Friend Function ";
        case 6:
        case 36:
            return "Sub ";
        case 9:
        case 39:
            return "Private Sub ";
        case 11:
        case 41:
            return "Public Sub ";
        case 26:
        case 56:
            return "Friend Sub ";
        case 24:
            return "Property Get ";
        case 27:
            return "Private Property Get ";
        case 29:
            return "Public Property Get ";
        case 44:
            return "Friend Property Get ";
        case 30:
            return "Property Let ";
        case 33:
            return "Private Property Let ";
        case 35:
            return "Public Property Let ";
        case 50:
            return "Friend Property Let ";
        case 72:
            return "Property Set ";
        case 75:
            return "Private Property Set ";
        case 77:
            return "Public Property Set ";
        case 92:
            return "Friend Property Set ";
        default:
            return {};
    }
}

}  // namespace tally
