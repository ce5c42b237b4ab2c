#pragma once
// The two Project menu commands that hand the project file to another program: viewing its text in
// the user's text editor, and opening it in the development environment.

#include <string_view>

#include "core/settings/ShellRunner.h"

namespace tally {

// "View VBP Source": the text editor with the project path as its parameter.
Outcome viewProjectSource(ShellRunner& runner, std::string_view projectPath);

// "Open the project in VB" and the toolbar's "vb" button: opens the project file with its
// associated program. The project path may come from a scan file written anywhere, so it is handed
// to the shell only when it names an existing file ending in ".vbp" (any case); anything else is
// answered with the "File not found." failure and nothing is started.
Outcome openProjectInDevelopmentEnvironment(ShellRunner& runner, std::string_view projectPath);

// True when the path names an existing file whose name ends in ".vbp", ignoring case.
bool isOpenableProjectFile(std::string_view projectPath);

}  // namespace tally
