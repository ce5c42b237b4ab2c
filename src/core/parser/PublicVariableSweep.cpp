#include "core/parser/PublicVariableSweep.h"

#include <string>
#include <unordered_set>

#include "core/project/PathOps.h"
#include "core/text/NameHash.h"
#include "core/text/TextOps.h"

namespace tally {

bool isPrivateModuleScope(std::string_view scope) {
    return startsWith(scope, "Private ");
}

void sweepPublicVariables(ProjectModel& model, int filesProcessed,
                          const std::function<bool(std::size_t)>& usedInOwnFile) {
    const std::vector<VarRec>& pubVar = model.pubVar;
    for (const VarRec& var : pubVar) {
        if (!startsWith(var.scope, "Public") || var.filesNotUsing != filesProcessed) continue;
        VarRec unused;
        unused.name = var.name;
        unused.scope = var.scope;
        unused.isConst = var.isConst;
        unused.file = fileNameOf(var.file);
        model.unVar.push_back(std::move(unused));
    }

    // Names of the module-level variables in use: any kind for UnVar rows; for DecVar rows public
    // ones by name, private ones by name and declaring file.
    // Looked up by the rows' own texts, without a copy of each name.
    std::unordered_set<std::string, NameHash, std::equal_to<>> usedNames, usedPublicNames, usedPrivateNames,
        usedPrivateNameInFile;
    for (std::size_t r = 0; r < pubVar.size(); ++r) {
        const VarRec& var = pubVar[r];
        const bool isPrivate = isPrivateModuleScope(var.scope);
        const bool used = isPrivate ? usedInOwnFile(r) : var.filesNotUsing != filesProcessed;
        if (!used) continue;
        usedNames.emplace(var.name.view());
        if (isPrivate) {
            usedPrivateNames.emplace(var.name.view());
            usedPrivateNameInFile.insert(var.name.str() + '\x01' + fileNameOf(var.file));
        }
        else if (startsWith(var.scope, "Public"))
            usedPublicNames.emplace(var.name.view());
    }

    for (VarRec& row : model.unVar)
        if (usedNames.count(row.name.view())) row.blank();

    for (VarRec& row : model.decVar) {
        // The key of name and file is put together only for a name some private variable has.
        if (!usedPublicNames.count(row.name.view()) &&
            !(usedPrivateNames.count(row.name.view()) &&
              usedPrivateNameInFile.count(row.name + std::string_view("\x01") + row.file)))
            continue;
        const bool counted = row.countedAsNoType;
        row.blank();
        if (counted && !model.types.empty()) --model.types[0].uses;
    }
}

}  // namespace tally
