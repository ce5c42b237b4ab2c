#pragma once
// What the Registry menu's commands act on: the selected object's CLSID key under
// HKEY_CLASSES_ROOT, or the selected settings key under HKEY_CURRENT_USER.

#include <optional>
#include <string>
#include <string_view>

#include "core/registry/RegistryStore.h"

namespace tally {

// Keys of the Registry tab's fixed tree nodes.
inline constexpr std::string_view kRegistryRootKey = "root";
inline constexpr std::string_view kSoftwareKey = "Software";
inline constexpr std::string_view kObjectsKey = "OBJECTS";
inline constexpr std::string_view kPlaceholderKey = "~~DUMMY~~";

struct RegistryTarget {
    Hive hive;
    std::string keyPath;
    bool object = false;  // an installed object (a list row), not a settings key (a tree node)
};

// The target for the selected node's key and the selected row's key (empty without one); nothing
// for the root, "Software Settings", or an objects node without a selected row.
std::optional<RegistryTarget> registryTarget(std::string_view nodeKey, std::string_view rowKey);

// A node of the settings branch: "Software" itself or a key path below it.
inline bool isSettingsNode(std::string_view nodeKey) {
    return nodeKey == kSoftwareKey || nodeKey.find('\\') != std::string_view::npos;
}

}  // namespace tally
