#include "core/parser/RoutineRecord.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string>

#include "core/parser/DeclaredNames.h"
#include "core/parser/HeaderText.h"
#include "core/model/TypeCharacters.h"
#include "core/parser/RoutineChecks.h"
#include "core/text/TextOps.h"

namespace tally {

namespace {

struct ScopeWord {
    std::string_view word;
    int scope;
    bool global;
};
constexpr std::array<ScopeWord, 3> kScopeWords{{
    {"Private ", kScopePrivate, false},
    {"Public ", kScopePublic, true},
    {"Friend ", kScopeFriend, true},
}};

// The header line of the routine text, cut at its first apostrophe; `prefixLength` is set to the
// length of its scope word and kind word with the blank after it. A header on one line is a view
// of the text; continuation lines are joined in `joined`, which the view then shows.
std::string_view findHeader(std::string_view text, std::string_view kindWord, std::size_t& prefixLength,
                            std::string& joined) {
    // The kind word with the blank after it.
    auto startsWithKeyword = [&](std::string_view line) {
        return line.size() > kindWord.size() && line[kindWord.size()] == ' ' && startsWith(line, kindWord);
    };
    const std::size_t keywordLength = kindWord.size() + 1;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find("\r\n", pos);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = trimView(text.substr(pos, end - pos));
        pos = end + 2;
        std::size_t scopeLength = std::string_view::npos;
        if (startsWithKeyword(line)) scopeLength = 0;
        for (const ScopeWord& s : kScopeWords)
            if (startsWith(line, s.word) && startsWithKeyword(line.substr(s.word.size())))
                scopeLength = s.word.size();
        if (scopeLength == std::string_view::npos) continue;

        prefixLength = scopeLength + keywordLength;
        if (line.empty() || line.back() != '_' || pos >= text.size()) return beforeApostrophe(line);
        joined.assign(line);
        while (!joined.empty() && joined.back() == '_' && pos < text.size()) {
            joined.pop_back();
            end = text.find("\r\n", pos);
            if (end == std::string_view::npos) end = text.size();
            joined.push_back(' ');
            joined.append(trimView(text.substr(pos, end - pos)));
            pos = end + 2;
        }
        return beforeApostrophe(joined);
    }
    return {};
}

bool isOwnObject(std::string_view name) {
    return name == "Form" || name == "UserControl" || name == "Class";
}

}  // namespace

std::string_view kindWordOf(int kind) {
    switch (kind) {
        case kKindFunction:
            return "Function";
        case kKindSub:
            return "Sub";
        case kKindPropertyGet:
            return "Property Get";
        case kKindPropertyLet:
            return "Property Let";
        case kKindPropertySet:
            return "Property Set";
        default:
            return {};
    }
}

void addRoutine(DeclarationState& state, int fileRow, int kind, std::string_view routineText,
                const std::vector<LineSpan>& declarationLines, std::string_view fileName,
                std::int32_t routineLines) {
    std::string_view kindWord = kindWordOf(kind);
    if (kindWord.empty()) return;
    std::size_t prefixLength = 0;
    const std::string_view header = findHeader(routineText, kindWord, prefixLength, state.joinedHeader);
    if (header.empty()) return;

    SubRec row;
    int slot = fileRow;
    row.scope = kScopeNone;
    for (const ScopeWord& s : kScopeWords) {
        if (!startsWith(header, s.word)) continue;
        row.scope = s.scope;
        slot = s.global ? 0 : fileRow;
    }
    if (row.scope == kScopeNone && fileName.size() >= 3 && equalsIgnoreCase(fileName.substr(fileName.size() - 3), "bas"))
        slot = 0;
    row.kind = kind;
    row.file = fileName;
    row.lineCount = std::max<std::int32_t>(0, routineLines - 2);

    std::size_t paren = header.find('(');
    if (paren != std::string::npos && paren >= prefixLength)
        row.name = trimView(header.substr(prefixLength, paren - prefixLength));

    std::size_t underscore = row.name.rfind('_');
    if (underscore != std::string::npos && row.scope != kScopeFriend) {
        const std::string_view owner = std::string_view(row.name).substr(0, underscore);
        int controlKind = isOwnObject(owner) ? kControlDesigner : state.controls.kindOf(owner);
        if (controlKind == kControlDesigner) row.kind = kKindControl;
        if (controlKind == kControlEventSource) row.isEvent = true;
    }

    if (row.kind == kKindFunction || row.kind == kKindPropertyGet) {
        std::optional<std::string> type = returnTypeOf(header, paramSpanOf(header));
        if (type) {
            row.returnType = *type;
        } else if (endsInTypeCharacter(row.name)) {
            row.returnType = std::string(typeOfCharacter(row.name.back()));
            row.name.pop_back();
            row.oldStyle = true;
        } else {
            row.returnType = "None";
            row.problems += kProblemNoReturnType;
        }
    } else {
        row.returnType = "N/A";
    }
    if (row.oldStyle) row.problems += kProblemOldStyle;

    // The parameters are split into the state's lists, which keep their room from routine to routine.
    DeclaredNames& params = state.parameters;
    params.names.clear();
    if (!row.name.empty()) {
        NameOwner owner{fileName, row.name, row.kind};
        splitDeclaredNames(state.rows, header, true, owner, params);
        row.params = params.paramText;
    }
    const int rowKind = row.kind;
    const bool handlesEvent = row.kind == kKindControl || row.isEvent;
    // The row's own name stays where it is while the routine is checked below: nothing is added to
    // the slot in between.
    const std::string_view name = state.model.addRoutine(slot, std::move(row)).name;

    if (handlesEvent) params.names.clear();
    // The parameters' rows came first and join first; the locals are checked when a thread is free.
    state.checks->addGathered(state.rows);
    state.checks->check(routineText, declarationLines, fileName, name, rowKind, params.names);
}

}  // namespace tally
