#pragma once
// The registry the program works with on the machine it runs on: the real one on Windows, elsewhere
// the Wine registry files of $WINEPREFIX, or of the program's own folder when no prefix is set.

#include <memory>
#include <string>

#include "core/registry/RegistryStore.h"

namespace tally {

std::unique_ptr<RegistryStore> openSystemRegistryStore();

// The folder whose registry files the store uses off Windows: $WINEPREFIX when set and not empty,
// otherwise the program's settings folder; empty when neither is known.
std::string wineRegistryFolder();

#ifdef _WIN32
// The store over the Windows registry calls (Win32RegistryStore.cpp).
std::unique_ptr<RegistryStore> makeWin32RegistryStore();
#endif

}  // namespace tally
