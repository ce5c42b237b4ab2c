#pragma once
// zip: the project's files (as "Zip Project Files" offers them) in one archive, for scripts.

#include "cli/CliApp.h"
#include "cli/CliArguments.h"
#include "core/archive/Archiver.h"

namespace tally {

int runZip(CliEnvironment& env, const CliArguments& args, Archiver& archiver);

}  // namespace tally
