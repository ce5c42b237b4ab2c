#pragma once
// --spell and --fail-on spelling: the spell check of every row without asking, printed for scripts.

#include "cli/CliApp.h"
#include "cli/CliArguments.h"
#include "core/model/ProjectModel.h"

namespace tally {

// Checks the project's Spell Check rows and prints each word the check would stop at; returns the
// exit code: 0, 3 with --fail-on spelling when a word was found, 2 when there is no usable speller.
int runSpelling(CliEnvironment& env, const CliArguments& args, const ProjectModel& model);

}  // namespace tally
