#pragma once
// Variables and constants declared in the declarations section of a file.

#include <string_view>

#include "core/parser/GatheredRows.h"

namespace tally {

// The scope text of a private declaration, by the file's extension: "Private Form Level",
// "Private Module Level", "Private Class Level", "Private Control Level" or "Private Page Level";
// empty for other files.
std::string_view privateScopeText(std::string_view path);

// Records a module-level statement of the file at `path`: one PubVar row per declared name (scope
// "Public" for "Global "/"Public " statements, the private scope text for "Private ", "Const " and
// "Dim "), and DecVar rows for the names without a type. Other statements (ReDim) record nothing.
void recordModuleDeclaration(GatheredRows& rows, std::string_view path, std::string_view statement);

}  // namespace tally
