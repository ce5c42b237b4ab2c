#pragma once
// The tests applied to the statements of a file's declarations section.

#include <string>
#include <string_view>

#include "core/model/ProjectTree.h"
#include "core/parser/DeclarationState.h"
#include "core/project/FileVersion.h"

namespace tally {

// Applies the declarations-section tests to one trimmed statement: control libraries ("Object = "
// lines, at any place), and until the first routine header and outside the designer block:
// implemented interfaces, WithEvents variables and events, Type and Enum blocks with their
// elements, and module-level declarations. A WithEvents or event line is used up (`statement`
// becomes empty). Returns false when the line is done (an element line of a Type or Enum block);
// true when the routine and block tests should see it.
bool applyDeclarationTests(DeclarationState& state, std::string_view& statement);

// Adds an object library of the file at `path` to the tree, under the file's "Objects" folder.
void addObjectLibraryNode(ProjectTree& tree, const FileVersionSource& versions, const std::string& path,
                          const std::string& library);

}  // namespace tally
