#pragma once
// Taking the declared names out of a declaration statement or a routine header's parameter list.

#include <string>
#include <string_view>
#include <vector>

#include "core/parser/GatheredRows.h"

namespace tally {

// What a declaration gave: its names and, for a header, its parameter list.
struct DeclaredNames {
    // The names in order, as declared: a type-declaration character kept, "ByVal " and the like,
    // the type and any bounds taken off.
    std::vector<std::string> names;
    // For a header: the text between its parentheses, trimmed; a view of the header split.
    std::string_view paramText;
    // The statement declares constants.
    bool isConst = false;
};

// Where the names of one statement go when they have no type.
struct NameOwner {
    std::string_view fileName;  // file name without directory
    std::string_view scope;     // the routine's name, or a module-level scope text
    int kind = 0;               // Kind of the owning routine; 0 at module level
};

// The part of a declaration statement where its names start (see splitDeclaredNames), trimmed;
// empty when it declares nothing. Sets isConst when the keyword found declares constants.
std::string_view declaredNamesText(std::string_view statement, bool& isConst);

// Splits the names of `statement`. For a header (`header` true) the names are the parameters.
// Otherwise the statement's keyword decides where the names start, by the first of "ReDim ",
// "Dim ", "Public Property ", "Public Const ", "Private Const ", "Global Const ", "Public ",
// "Private ", "Static ", "Global ", "Const " that the statement contains, at that keyword's fixed
// length from the start; statements whose code holds "Type ", "Sub ", "Preserve ", "Function " or
// "Declare ", or "ReDim " with "()", declare nothing here. Every name notes its type (unless the
// owner is a control event routine, kind 36); names without a type become DecVar rows of `owner`.
// The parameter text views `statement`, which must outlive it.
DeclaredNames splitDeclaredNames(GatheredRows& rows, std::string_view statement, bool header,
                                 const NameOwner& owner);
// The same into `result`, whose lists keep their room from statement to statement: a routine's
// declarations are split one after another, mostly into names short enough to need no block.
void splitDeclaredNames(GatheredRows& rows, std::string_view statement, bool header, const NameOwner& owner,
                        DeclaredNames& result);

}  // namespace tally
