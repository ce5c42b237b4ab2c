#pragma once
// The registry the program works with on the machine it runs on: the real one on Windows, elsewhere
// the Wine registry files of the prefix Wine itself would use ($WINEPREFIX, or ~/.wine once Wine
// has made it), or of the program's own folder when there is no prefix yet.

#include <memory>
#include <string>

#include "core/registry/RegistryStore.h"

namespace tally {

std::unique_ptr<RegistryStore> openSystemRegistryStore();

// The folder whose registry files the store uses off Windows: $WINEPREFIX when set and not empty;
// otherwise ~/.wine, Wine's default prefix, when it holds a system.reg or a user.reg, so that objects
// registered with `wine regsvr32` show and a running wineserver is found; otherwise the program's
// settings folder. Empty when none of them is known.
std::string wineRegistryFolder();

#ifdef _WIN32
// The store over the Windows registry calls (Win32RegistryStore.cpp).
std::unique_ptr<RegistryStore> makeWin32RegistryStore();
#endif

}  // namespace tally
