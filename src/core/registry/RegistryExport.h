#pragma once
// Registry export files (REGEDIT4): the chosen key and its subkeys, depth first, each as a section
// of value lines, so that double-clicking the file restores the settings.

#include <string>
#include <string_view>
#include <vector>

#include "core/registry/RegistryStore.h"

namespace tally {

// BuildValueLines: one line per string, DWORD or binary value, in the key's order, each without
// its line end (binary lines hold their own CR LF continuations). Quotes and backslashes inside
// names and string data are escaped so that the file imports back to the same value.
std::vector<std::string> buildValueLines(const std::vector<RegValue>& values);

// The hex: form of binary data after `prefix` ("\"name\"=hex:"), wrapped once a line reaches 77
// characters: ",\" CR LF and two spaces go on.
std::string wrappedHexLine(std::string_view prefix, std::string_view bytes);

// WriteKeySection: appends hive\path's section (header, value lines, the one-space separator) and
// then its subkeys' sections; a key that cannot be opened appends nothing.
void writeKeySection(const RegistryStore& store, Hive hive, std::string_view path, std::string& out);

// The whole export file: "REGEDIT4", an empty line, and the sections of hive\path.
std::string exportKeyText(const RegistryStore& store, Hive hive, std::string_view path);

// The message once an export file has been written; `fileName` without its folder.
std::string exportDoneMessage(std::string_view fileName);

}  // namespace tally
