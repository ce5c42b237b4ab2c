#include "platform/SettingsFolder.h"

#include <cstdlib>

namespace tally {

std::string settingsFolder(const std::string& xdgConfigHome, const std::string& home) {
    // A relative XDG_CONFIG_HOME is invalid by its own rules and is passed over.
    if (!xdgConfigHome.empty() && xdgConfigHome.front() == '/') return xdgConfigHome + "/tallyscan6";
    if (!home.empty()) return home + "/.config/tallyscan6";
    return {};
}

std::string settingsFolder() {
    const char* config = std::getenv("XDG_CONFIG_HOME");
    const char* home = std::getenv("HOME");
    return settingsFolder(config ? config : "", home ? home : "");
}

}  // namespace tally
