#include "core/parser/PublicVariableSweep.h"

#include <string>
#include <unordered_set>

#include "core/project/PathOps.h"
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
    std::unordered_set<std::string> usedNames, usedPublicNames, usedPrivateNameInFile;
    for (std::size_t r = 0; r < pubVar.size(); ++r) {
        const VarRec& var = pubVar[r];
        const bool isPrivate = isPrivateModuleScope(var.scope);
        const bool used = isPrivate ? usedInOwnFile(r) : var.filesNotUsing != filesProcessed;
        if (!used) continue;
        usedNames.insert(var.name.str());
        if (isPrivate)
            usedPrivateNameInFile.insert(var.name.str() + '\x01' + fileNameOf(var.file));
        else if (startsWith(var.scope, "Public"))
            usedPublicNames.insert(var.name.str());
    }

    for (VarRec& row : model.unVar)
        if (usedNames.count(row.name.str())) row.blank();

    for (VarRec& row : model.decVar) {
        if (!usedPublicNames.count(row.name.str()) && !usedPrivateNameInFile.count(row.name.str() + '\x01' + row.file))
            continue;
        const bool counted = row.countedAsNoType;
        row.blank();
        if (counted && !model.types.empty()) --model.types[0].uses;
    }
}

}  // namespace tally
