#pragma once
// The tests that open and close routines and designer blocks, record Declare statements and pass
// the lines of a routine body to the text capture.

#include <string_view>

#include "core/parser/DeclarationState.h"

namespace tally {

// Applies the routine and block tests to one trimmed statement: Function, Property and Sub headers
// (each prefix followed by a blank) open a routine; "End Function", "End Property" and "End Sub"
// record it; "Begin " opens a designer control and a bare "End" closes it; Declare statements are
// recorded; other lines of an open routine or designer block go to the text capture.
void applyRoutineTests(DeclarationState& state, std::string_view statement);

}  // namespace tally
