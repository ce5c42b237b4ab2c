#pragma once
// The names the code view colours because the review found something about them: dead and
// doubtful routines, untyped and unused variables, unused types. Rebuilt whenever the code view
// shows a file's declarations or one of its routines.

#include <cstdint>
#include <string_view>

#include "core/model/ProjectModel.h"

namespace tally {

// Colours as the language writes them: red in the low byte, blue in the high one.
inline constexpr std::uint32_t kMarkRed = 255;
inline constexpr std::uint32_t kMarkDarkRed = 128;
inline constexpr std::uint32_t kMarkBlue = 0xFF0000;

// Empties model.marks and fills it with the marks of the file at `filePath`.
void buildFileMarks(ProjectModel& model, std::string_view filePath);
// Appends the marks of one routine (its unused and untyped variables, the unused types).
void appendRoutineMarks(ProjectModel& model, std::string_view fileName, std::string_view routineName);

}  // namespace tally
