#pragma once
// Where a DLL declaration or a variable is declared in its file, for the findings that name one:
// the model knows their routine or module, not their line, so the line is looked for by the
// statement that declares them.

#include <string_view>
#include <vector>

namespace tally {

// The 1-based line of `lines` (a file's lines without their line ends) where the DLL declaration
// `name` is ("[Public|Private] Declare Sub|Function name ..."); 0 when none is.
int dllDeclarationLine(const std::vector<std::string_view>& lines, std::string_view name);

// The 1-based line where the variable or constant `name` is declared: inside the routine `scope`
// when the file has a routine of that name, otherwise before the file's first routine (module
// level, a Type's or Enum's member); the first Dim, Static, Const, Private, Public or Global line
// naming it as a whole word (a member line starting with it), commented out or not, or the
// routine's header for a parameter. 0 when none is.
int variableDeclarationLine(const std::vector<std::string_view>& lines, std::string_view name, std::string_view scope);

}  // namespace tally
