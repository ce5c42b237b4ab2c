#pragma once
// The last step of the call pass: public variables that no file uses become UnVar rows, and the UnVar
// and DecVar rows that merely repeat the name of a module-level variable in use are blanked.

#include <functional>

#include "core/model/ProjectModel.h"

namespace tally {

// Runs the sweep. `filesProcessed` is the number of files the call pass read; a public variable whose
// FilesNotUsing equals it is used nowhere. A private variable counts as in use only when its own file uses
// it, as `usedInOwnFile(pubVarRow)` tells. A blanked DecVar row that had been counted on the "No Type" row of
// Types takes its use back.
void sweepPublicVariables(ProjectModel& model, int filesProcessed,
                          const std::function<bool(std::size_t)>& usedInOwnFile);

// True when a PubVar scope text names a private module-level variable.
bool isPrivateModuleScope(std::string_view scope);

}  // namespace tally
