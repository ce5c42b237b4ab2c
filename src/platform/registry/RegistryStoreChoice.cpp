#include "platform/registry/RegistryStoreChoice.h"

#include <cstdlib>
#ifndef _WIN32
#include <pwd.h>
#include <unistd.h>
#endif

#include "platform/SettingsFolder.h"
#include "platform/registry/WineRegistryStore.h"

namespace tally {

namespace {

// The home folder as Wine finds it: $HOME, else the user's entry in the password database.
std::string homeFolder() {
    if (const char* home = std::getenv("HOME"); home && *home) return home;
#ifndef _WIN32
    if (const passwd* entry = ::getpwuid(::getuid()); entry && entry->pw_dir) return entry->pw_dir;
#endif
    return {};
}

}  // namespace

std::string wineRegistryFolder() {
    const char* prefix = std::getenv("WINEPREFIX");
    const std::string home = homeFolder();
    return pickWineRegistryFolder(prefix ? prefix : "", home.empty() ? "" : home + "/.wine",
                                  settingsFolder());
}

std::unique_ptr<RegistryStore> openSystemRegistryStore() {
#ifdef _WIN32
    return makeWin32RegistryStore();
#else
    return std::make_unique<WineRegistryStore>(wineRegistryFolder());
#endif
}

}  // namespace tally
