#include "core/registry/RegistryCommandTarget.h"

#include "core/text/TextOps.h"

namespace tally {

std::optional<RegistryTarget> registryTarget(std::string_view nodeKey, std::string_view rowKey) {
    if (nodeKey == kObjectsKey) {
        if (trimView(rowKey).empty()) return std::nullopt;
        return RegistryTarget{Hive::ClassesRoot, "CLSID\\" + std::string(rowKey), true};
    }
    if (nodeKey.find('\\') != std::string_view::npos) return RegistryTarget{Hive::CurrentUser, std::string(nodeKey), false};
    return std::nullopt;
}

}  // namespace tally
