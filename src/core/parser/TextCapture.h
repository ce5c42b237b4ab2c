#pragma once
// Collecting the texts a user reads (message boxes, list and tree items, string assignments and
// designer captions) into the Spell table.

#include <string_view>

#include "core/parser/DeclarationState.h"

namespace tally {

// Looks at one trimmed line of a routine body or designer block and appends a Spell row when it
// holds a text worth checking: the literal of a "MsgBox " or "MsgBox(" line; the text argument of
// ListItems.Add or Nodes.Add; otherwise, on a line with " = " and a literal, all its literals
// (labelled "MsgBox" or by the line's first word), except icon keys. In a designer block only the
// Caption and Text properties count, and the first "List" stored in the .frx companion gives that
// file's readable text. Values naming a ".frx" file and texts not starting with a letter, digit or
// "&" are left out; in a project of another code page than Windows-1252 a text may also start with
// a character of that page beyond ASCII (see startsLikeText in the .cpp).
void captureText(DeclarationState& state, std::string_view statement);

// The icon of a Spell row by the last three characters of its "File" text: "form", "class",
// "userctl" or "module"; empty otherwise.
std::string_view spellIconOf(std::string_view fileText);

}  // namespace tally
