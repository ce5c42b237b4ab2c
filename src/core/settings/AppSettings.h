#pragma once
// The program's own settings key in the registry (HKEY_CURRENT_USER), and the development
// environment's editor settings the code view takes its font and tab width from.

#include <string_view>

#include "core/registry/RegistryStore.h"
#include "core/settings/EditorSettings.h"

namespace tally {

// Written with its trailing backslash; a subkey name is appended to it directly.
inline constexpr std::string_view kSettingsKey = "Software\\Quillmere\\Tallyscan 6\\";
// Where Visual Basic keeps its editor's settings; read, never written.
inline constexpr std::string_view kVbEditorKey = "Software\\Microsoft\\VBA\\Microsoft Visual Basic\\";

// WriteSetting: stores a string under the settings key + subkey, making the key when it is missing.
// The registry's own refusal is not reported (the settings are a convenience); false tells tests.
bool writeSetting(RegistryStore& store, std::string_view subkey, std::string_view valueName, std::string_view text);

// A string under the settings key + subkey; empty when it is missing.
std::string readSetting(const RegistryStore& store, std::string_view subkey, std::string_view valueName);

// ApplyEditorSettings' reading half: "FontFace", "FontHeight" and "TabWidth", each a string or a
// DWORD, with Arial, 10 and 4 for what is missing or empty.
EditorSettings readEditorSettings(const RegistryStore& store);

}  // namespace tally
