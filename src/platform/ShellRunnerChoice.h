#pragma once
// The shell runner of the machine the program runs on: ShellExecute on Windows, the desktop's
// opener and the user's editor elsewhere.

#include <memory>

#include "core/settings/ShellRunner.h"

namespace tally {

std::unique_ptr<ShellRunner> makeSystemShellRunner();

}  // namespace tally
