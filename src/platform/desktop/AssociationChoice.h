#pragma once
// The .psf association of the desktop the program runs on: the registry's classes keys on Windows,
// the freedesktop MIME type and .desktop entry elsewhere.

#include <memory>
#include <string>

#include "core/registry/RegistryStore.h"
#include "core/settings/ScanFileAssociation.h"

namespace tally {

std::unique_ptr<FileAssociation> openSystemAssociation(RegistryStore& registry);

// The program as the association names it: on Windows its short (8.3) path, which needs no quotes;
// elsewhere the path as it is.
std::string associationProgramPath(const std::string& programFile);

}  // namespace tally
