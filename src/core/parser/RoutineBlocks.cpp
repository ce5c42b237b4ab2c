#include "core/parser/RoutineBlocks.h"

#include <array>

#include "core/parser/DeclareRecord.h"
#include "core/parser/RoutineRecord.h"
#include "core/parser/TextCapture.h"
#include "core/text/TextOps.h"

namespace tally {

namespace {

constexpr std::array<std::string_view, 4> kFunctionHeaders{"Friend Function ", "Function ",
                                                           "Private Function ", "Public Function "};
constexpr std::array<std::string_view, 4> kPropertyHeaders{"Friend Property ", "Public Property ",
                                                           "Private Property ", "Property "};
constexpr std::array<std::string_view, 4> kSubHeaders{"Friend Sub ", "Sub ", "Private Sub ", "Public Sub "};
constexpr std::array<std::string_view, 3> kDeclareStarts{"Private Declare ", "Public Declare ", "Declare "};

bool startsWithAny(std::string_view s, const std::array<std::string_view, 4>& prefixes) {
    for (std::string_view p : prefixes)
        if (startsWith(s, p)) return true;
    return false;
}

// Every header, end, Begin and Declare starts with one of these letters; most body lines do not.
bool startsLikeBlockLine(char c) {
    return c == 'B' || c == 'D' || c == 'E' || c == 'F' || c == 'P' || c == 'S';
}

// The name written before the header's first "(": the text after the last blank before it.
std::string routineNameOf(std::string_view header) {
    std::size_t paren = header.find('(');
    std::string_view before = header.substr(0, paren);
    std::size_t blank = before.rfind(' ');
    return std::string(blank == std::string_view::npos ? before : before.substr(blank + 1));
}

int propertyKindOf(std::string_view header) {
    if (contains(header, "Property Let ")) return kKindPropertyLet;
    if (contains(header, "Property Set ")) return kKindPropertySet;
    return kKindPropertyGet;
}

void openRoutine(DeclarationState& state, std::string_view header, int kind) {
    state.routineText.start(header);
    state.routineName = routineNameOf(header);
    state.routineKind = kind;
    state.inRoutine = true;
    state.routinesStarted = true;
    state.inDesignerBlock = false;
    state.designerDepth = 0;
    state.routineLines = 1;
}

void closeRoutine(DeclarationState& state) {
    // The End line counted as a code line of the body; the routine's count leaves it out, and so do
    // the file's. A stray End (no routine open) was not counted and has nothing to record.
    if (state.inRoutineBody()) --state.current.lines.code;
    if (!state.routineText.empty())
        addRoutine(state, state.fileRow, state.routineKind, state.routineText.view(),
                   state.routineText.declarationLines(), state.fileName, state.routineLines);
    state.routineText.clear();
    state.inRoutine = false;
    state.firstRowOfRoutine = true;
    state.routineLines = 0;
}

void openDesignerControl(DeclarationState& state, std::string_view statement) {
    state.routineName = std::string(statement.substr(statement.rfind(' ') + 1));
    state.routineKind = kKindControl;
    state.controls.add(trimView(state.routineName), kControlDesigner);
    state.inRoutine = true;
    state.inDesignerBlock = true;
    ++state.designerDepth;
    ++state.beginLines;
}

}  // namespace

void applyRoutineTests(DeclarationState& state, std::string_view statement) {
    if (statement.empty() || !startsLikeBlockLine(statement.front())) {
        if (state.inRoutine) captureText(state, statement);
        return;
    }
    if (startsWithAny(statement, kFunctionHeaders)) {
        openRoutine(state, statement, kKindFunction);
        ++state.current.functions;
        return;
    }
    if (startsWithAny(statement, kPropertyHeaders)) {
        openRoutine(state, statement, propertyKindOf(statement));
        ++state.current.properties;
        return;
    }
    if (startsWith(statement, "End Property")) {
        closeRoutine(state);
        return;
    }
    if (startsWithAny(statement, kSubHeaders)) {
        openRoutine(state, statement, kKindSub);
        ++state.current.subs;
        return;
    }
    if (startsWith(statement, "End Sub") || startsWith(statement, "End Function")) {
        closeRoutine(state);
        return;
    }
    if (startsWith(statement, "Begin ")) {
        openDesignerControl(state, statement);
        return;
    }
    if (statement == "End" && state.inDesignerBlock) {
        if (state.designerDepth > 0) --state.designerDepth;
        state.inRoutine = false;
        state.firstRowOfRoutine = true;
        return;
    }
    for (std::string_view start : kDeclareStarts) {
        if (!startsWith(statement, start)) continue;
        if (contains(statement, " Lib ")) {
            addDeclare(state, statement, state.fileRow, state.fileName);
            std::string dll = dllNameOf(statement);
            if (!dll.empty()) {
                state.current.dllNames.append(dll);
                state.current.dllNames.push_back('\x01');
            }
        }
        return;
    }
    if (state.inRoutine) captureText(state, statement);
}

}  // namespace tally
