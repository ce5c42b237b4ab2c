#pragma once
// The folder where the program keeps what it remembers between runs (word lists, later the
// settings): $XDG_CONFIG_HOME/tallyscan6, or ~/.config/tallyscan6. Not created here.

#include <string>

namespace tally {

std::string settingsFolder(const std::string& xdgConfigHome, const std::string& home);
// The same for this process's environment; empty when neither variable is set.
std::string settingsFolder();

}  // namespace tally
