#pragma once
// The code page the user chose for a project, kept per project path under the settings key (the
// scan file does not hold it: its format stays as it is), and the code pages offered to choose from.

#include <span>
#include <string>
#include <string_view>

#include "core/registry/RegistryStore.h"

namespace tally {

struct CodePageEntry {
    int codePage;          // 0 for detection (kCodePageAuto)
    const char* caption;   // the menu's text, with its access key
};

// Detection first, then Western, the other European pages, the East Asian pages and UTF-8.
std::span<const CodePageEntry> commonCodePages();

// The code page kept for the project at `projectPath`; kCodePageAuto when none is kept.
int readProjectCodePage(const RegistryStore& store, std::string_view projectPath);
// Keeps `codePage` for the project; kCodePageAuto forgets the choice.
void writeProjectCodePage(RegistryStore& store, std::string_view projectPath, int codePage);

}  // namespace tally
