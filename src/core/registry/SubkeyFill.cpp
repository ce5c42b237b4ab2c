#include "core/registry/SubkeyFill.h"

namespace tally {

std::string childKeyPath(std::string_view keyPath, std::string_view name) {
    std::string path(keyPath);
    path.push_back('\\');
    path.append(name);
    return path;
}

namespace {

// The look-ahead below a new node: its first subkey, that one's first subkey, and so on. Walked
// in a loop rather than by recursion, so a hostile store with a very deep chain cannot exhaust
// the stack.
void addFirstSubkeyChain(const RegistryStore& store, Hive hive, std::string path, RegistryTreeSink& tree) {
    for (;;) {
        std::optional<std::vector<std::string>> names = store.subkeys(hive, path);
        if (!names || names->empty()) return;
        std::string name(cutAtNul((*names)[0]));
        std::string child = childKeyPath(path, name);
        tree.addKeyNode(path, child, name);
        path = std::move(child);
    }
}

}  // namespace

void fillSubkeys(const RegistryStore& store, Hive hive, std::string_view keyPath, RegistryTreeSink& tree, bool stop) {
    std::optional<std::vector<std::string>> names = store.subkeys(hive, keyPath);
    if (!names) return;
    for (const std::string& full : *names) {
        std::string name(cutAtNul(full));
        std::string child = childKeyPath(keyPath, name);
        tree.addKeyNode(keyPath, child, name);
        addFirstSubkeyChain(store, hive, child, tree);
        if (stop) break;
    }
}

}  // namespace tally
