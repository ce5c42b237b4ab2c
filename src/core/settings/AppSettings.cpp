#include "core/settings/AppSettings.h"

#include <optional>
#include <string>

#include "core/registry/RegistryValues.h"

namespace tally {

namespace {

std::string settingsPath(std::string_view subkey) {
    return std::string(kSettingsKey) + std::string(subkey);
}

// A value as text, or nothing when it is missing or empty (ReadValue's default).
std::optional<std::string> editorValue(const RegistryStore& store, std::string_view name) {
    std::string text = readValueText(store, Hive::CurrentUser, kVbEditorKey, name, "");
    if (text.empty()) return std::nullopt;
    return text;
}

}  // namespace

bool writeSetting(RegistryStore& store, std::string_view subkey, std::string_view valueName, std::string_view text) {
    const std::string path = settingsPath(subkey);
    if (!store.createKey(Hive::CurrentUser, path)) return false;
    return store.setValue(Hive::CurrentUser, path, stringValue(std::string(valueName), text));
}

std::string readSetting(const RegistryStore& store, std::string_view subkey, std::string_view valueName) {
    return readValueText(store, Hive::CurrentUser, settingsPath(subkey), valueName, "");
}

EditorSettings readEditorSettings(const RegistryStore& store) {
    const std::optional<std::string> face = editorValue(store, "FontFace");
    const std::optional<std::string> height = editorValue(store, "FontHeight");
    const std::optional<std::string> width = editorValue(store, "TabWidth");
    auto view = [](const std::optional<std::string>& text) -> std::optional<std::string_view> {
        if (!text) return std::nullopt;
        return std::string_view(*text);
    };
    return editorSettingsFrom(view(face), view(height), view(width));
}

}  // namespace tally
