#include "core/parser/ModuleDeclaration.h"

#include "core/parser/DeclaredNames.h"
#include "core/project/PathOps.h"
#include "core/text/TextOps.h"

namespace tally {

std::string_view privateScopeText(std::string_view path) {
    const std::string_view extension = path.substr(path.size() >= 3 ? path.size() - 3 : 0);
    if (equalsIgnoreCase(extension, "frm")) return "Private Form Level";
    if (equalsIgnoreCase(extension, "bas")) return "Private Module Level";
    if (equalsIgnoreCase(extension, "cls")) return "Private Class Level";
    if (equalsIgnoreCase(extension, "ctl")) return "Private Control Level";
    if (equalsIgnoreCase(extension, "pag")) return "Private Page Level";
    return {};
}

void recordModuleDeclaration(GatheredRows& rows, std::string_view path, std::string_view statement) {
    std::string_view scope;
    if (startsWith(statement, "Private ") || startsWith(statement, "Const ") || startsWith(statement, "Dim "))
        scope = privateScopeText(path);
    else if (startsWith(statement, "Global ") || startsWith(statement, "Public "))
        scope = "Public";
    else
        return;

    DeclaredNames declared =
        splitDeclaredNames(rows, statement, false, NameOwner{fileNameViewOf(path), scope, 0});
    for (const std::string& name : declared.names) {
        VarRec row;
        row.name = name;
        row.scope = scope;
        row.file = path;
        row.isConst = declared.isConst;
        rows.pubVar.push_back(std::move(row));
    }
}

}  // namespace tally
