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
    // ones by name, private ones by name and declaring file. The keys are views of the PubVar rows,
    // which stay where they are while the sweep runs.
    struct NameInFile {
        std::string_view name, file;
        bool operator==(const NameInFile&) const = default;
    };
    struct NameInFileHash {
        std::size_t operator()(const NameInFile& key) const {
            const std::hash<std::string_view> hash;
            return hash(key.name) * 31 + hash(key.file);
        }
    };
    std::unordered_set<std::string_view> usedNames, usedPublicNames;
    std::unordered_set<NameInFile, NameInFileHash> usedPrivateNameInFile;
    usedNames.reserve(pubVar.size());
    for (std::size_t r = 0; r < pubVar.size(); ++r) {
        const VarRec& var = pubVar[r];
        const bool isPrivate = isPrivateModuleScope(var.scope);
        const bool used = isPrivate ? usedInOwnFile(r) : var.filesNotUsing != filesProcessed;
        if (!used) continue;
        usedNames.insert(var.name.view());
        if (isPrivate)
            usedPrivateNameInFile.insert({var.name.view(), fileNameViewOf(var.file.view())});
        else if (startsWith(var.scope, "Public"))
            usedPublicNames.insert(var.name.view());
    }

    for (VarRec& row : model.unVar)
        if (usedNames.count(row.name.view())) row.blank();

    for (VarRec& row : model.decVar) {
        if (!usedPublicNames.count(row.name.view()) &&
            !usedPrivateNameInFile.count({row.name.view(), row.file.view()}))
            continue;
        const bool counted = row.countedAsNoType;
        row.blank();
        if (counted && !model.types.empty()) --model.types[0].uses;
    }
}

}  // namespace tally
