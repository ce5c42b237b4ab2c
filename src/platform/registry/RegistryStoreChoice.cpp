#include "platform/registry/RegistryStoreChoice.h"

#include <cstdlib>

#include "platform/SettingsFolder.h"
#include "platform/registry/WineRegistryStore.h"

namespace tally {

std::string wineRegistryFolder() {
    const char* prefix = std::getenv("WINEPREFIX");
    return pickWineRegistryFolder(prefix ? prefix : "", settingsFolder());
}

std::unique_ptr<RegistryStore> openSystemRegistryStore() {
#ifdef _WIN32
    return makeWin32RegistryStore();
#else
    return std::make_unique<WineRegistryStore>(wineRegistryFolder());
#endif
}

}  // namespace tally
