#include "core/parser/DeclareRecord.h"

#include <array>

#include "core/parser/HeaderText.h"
#include "core/model/TypeCharacters.h"
#include "core/text/TextOps.h"

namespace tally {

namespace {
struct DeclarePrefix {
    std::string_view prefix;
    int scope;
    bool global;
};
constexpr std::array<DeclarePrefix, 3> kDeclarePrefixes{{
    {"Private Declare ", kScopePrivate, false},
    {"Public Declare ", kScopePublic, true},
    {"Declare ", kScopeNone, true},
}};
}  // namespace

void addDeclare(DeclarationState& state, std::string_view statement, int fileRow, std::string_view fileName) {
    statement = trimView(beforeApostrophe(statement));
    const DeclarePrefix* prefix = nullptr;
    for (const DeclarePrefix& p : kDeclarePrefixes)
        if (!prefix && startsWith(statement, p.prefix)) prefix = &p;
    if (!prefix) return;

    SubRec row;
    row.scope = prefix->scope;
    row.file = std::string(fileName);
    row.lineCount = 1;
    std::string_view rest = statement.substr(prefix->prefix.size());
    row.kind = startsWith(rest, "Sub ") ? kKindDllSub : kKindDllFunction;
    std::size_t space = rest.find(' ');
    if (space != std::string_view::npos) {
        std::string_view afterWord = rest.substr(space + 1);
        row.name = std::string(afterWord.substr(0, afterWord.find(' ')));
    }

    ParamSpan span = paramSpanOf(statement);
    std::string_view params = span.inside(statement);
    row.params = std::string(params);
    if (!params.empty()) {
        for (const std::string& part : split(params, ",")) {
            std::string_view param = trimView(part);
            if (param.empty()) continue;
            std::size_t as = param.find(" As ");
            state.rows.noteType(as == std::string_view::npos ? std::string_view{} : param.substr(as + 4), false);
        }
    }

    if (row.kind == kKindDllSub) {
        row.returnType = "N/A";
    } else if (std::optional<std::string> type = returnTypeOf(statement, span)) {
        row.returnType = *type;
    } else if (endsInTypeCharacter(row.name)) {
        row.returnType = std::string(typeOfCharacter(row.name.back()));
        row.name.pop_back();
        row.oldStyle = true;
        row.problems += kProblemOldStyle;
    } else {
        row.returnType = "None";
    }

    state.model.addRoutine(prefix->global ? 0 : fileRow, std::move(row));
    ++state.dllDeclarations;
}

std::string dllNameOf(std::string_view statement) {
    statement = beforeApostrophe(statement);
    std::size_t lib = statement.find(" Lib ");
    if (lib == std::string_view::npos) return {};
    std::size_t open = statement.find('"', lib + 5);
    if (open == std::string_view::npos) return {};
    std::size_t close = statement.find('"', open + 1);
    if (close == std::string_view::npos) return {};
    return std::string(statement.substr(open + 1, close - open - 1));
}

}  // namespace tally
