#include "core/parser/DeclarationSection.h"

#include <array>

#include "core/parser/HeaderText.h"
#include "core/parser/ModuleDeclaration.h"
#include "core/project/PathOps.h"
#include "core/text/TextOps.h"

namespace tally {

namespace {

constexpr std::array<std::string_view, 6> kTypeHeaders{"Private Type ", "Public Type ", "Public Enum ",
                                                       "Private Enum ", "Enum ",        "Type "};
constexpr std::array<std::string_view, 6> kDeclarationStarts{"Const ",   "ReDim ",  "Dim ",
                                                             "Private ", "Public ", "Global "};
// Statements that start like a declaration but are headers or enum blocks.
constexpr std::array<std::string_view, 4> kNotModuleDeclarations{" Function ", " Sub ", "Public Enum ",
                                                                 " Property "};

template <std::size_t N>
bool startsWithAny(std::string_view s, const std::array<std::string_view, N>& prefixes) {
    for (std::string_view p : prefixes)
        if (startsWith(s, p)) return true;
    return false;
}

void addObjectLibrary(DeclarationState& state, std::string_view statement) {
    std::string library = unquote(statement.substr(statement.rfind(';') + 1));
    if (state.deferredLibraries) {
        state.deferredLibraries->push_back(std::move(library));
        return;
    }
    addObjectLibraryNode(state.model.tree, state.ctx.versions, state.path, library);
}

void addImplementedInterface(DeclarationState& state, std::string_view statement) {
    std::string_view name = trimView(statement.substr(11));
    name = beforeApostrophe(name);
    name = trimView(name.substr(0, name.find(' ')));
    if (!name.empty()) state.controls.add(name, kControlEventSource);
}

void addEventSource(DeclarationState& state, std::string_view statement) {
    statement = beforeApostrophe(statement);
    std::size_t start = 0, end = 0;
    if (startsWith(statement, "Public Event ")) {
        start = 13;
        std::size_t paren = statement.rfind('(');
        end = paren == std::string_view::npos ? 0 : paren;
    } else {
        std::size_t at = statement.find(" WithEvents ");
        start = at + 12;
        std::size_t as = statement.rfind(" As ");
        end = as == std::string_view::npos ? 0 : as;
    }
    if (end <= start) return;
    std::string_view name = trimView(statement.substr(start, end - start));
    if (!name.empty()) state.controls.add(name, kControlEventSource);
}

void openTypeBlock(DeclarationState& state, std::string_view statement) {
    state.rows.noteType(statement, false);
    std::size_t at = statement.find(" Type ");
    std::size_t nameStart = at != std::string_view::npos ? at + 6 : std::string_view::npos;
    if (nameStart == std::string_view::npos) {
        at = statement.find(" Enum ");
        // A bare "Type X" or "Enum X" has no keyword with a blank before it: its name follows the
        // five characters of the keyword.
        nameStart = at != std::string_view::npos ? at + 6 : 5;
    }
    state.typeName = trim(beforeApostrophe(statement.substr(std::min(nameStart, statement.size()))));
    state.inTypeBlock = true;
}

void addTypeElement(DeclarationState& state, std::string_view statement) {
    std::size_t as = statement.find(" As ");
    if (as != std::string_view::npos) {
        state.rows.noteType(trimView(statement.substr(as + 4)), false);
        return;
    }
    if (contains(statement, " = ") || contains(statement, "Type ") || contains(statement, "Enum ")) return;
    std::string_view name = trimView(beforeApostrophe(statement));
    // Blank and comment lines inside a block declare nothing.
    if (name.empty()) return;
    VarRec row;
    row.name = std::string(name);
    row.scope = state.typeName + " Element";
    row.file = state.fileName;
    state.rows.decVar.push_back(std::move(row));
}

}  // namespace

void addObjectLibraryNode(ProjectTree& tree, const FileVersionSource& versions, const std::string& path,
                          const std::string& library) {
    std::string version = versions.fileVersion(library);
    std::string folderKey = "Objects" + path;
    if (!tree.contains(folderKey)) tree.add(path, folderKey, "Objects", "open", "close");
    tree.add(folderKey, "", library + " - " + version, "object");
}

bool applyDeclarationTests(DeclarationState& state, std::string_view& statement) {
    if (startsWith(statement, "Object = ") && contains(statement, ";")) addObjectLibrary(state, statement);
    if (state.routinesStarted) return true;
    // Designer properties ("Type = 1" of a grid, "Public = 0") are not declarations.
    if (state.designerDepth > 0) return true;

    if (startsWith(statement, "Implements ")) addImplementedInterface(state, statement);
    if (contains(statement, " WithEvents ") || startsWith(statement, "Public Event ")) {
        addEventSource(state, statement);
        statement = {};
    }

    if (startsWithAny(statement, kTypeHeaders)) {
        openTypeBlock(state, statement);
    } else if (startsWithAny(statement, kDeclarationStarts)) {
        std::string_view code = beforeApostrophe(statement);
        bool excluded = false;
        for (std::string_view word : kNotModuleDeclarations) excluded = excluded || contains(code, word);
        if (!excluded) recordModuleDeclaration(state.rows, state.path, statement);
    } else if (startsWith(statement, "End Type") || startsWith(statement, "End Enum")) {
        state.inTypeBlock = false;
        state.typeName.clear();
    }

    if (!state.inTypeBlock) return true;
    addTypeElement(state, statement);
    return false;
}

}  // namespace tally
