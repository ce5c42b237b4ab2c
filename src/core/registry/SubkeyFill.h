#pragma once
// FillSubkeys: the children of a key node in a registry tree, each with a look-ahead chain of
// first subkeys below it so that every node that has subkeys shows an expand button before it
// has been expanded. Trees are read lazily this way: one chain below each new node.

#include <string>
#include <string_view>

#include "core/registry/RegistryStore.h"

namespace tally {

// The tree the nodes go into (tvwReg, tvwFullView). Nodes are keyed by their key path.
class RegistryTreeSink {
public:
    virtual ~RegistryTreeSink() = default;
    // Adds a node under the node keyed `parentKey`: key `key`, text `text`. A node with that key
    // that already exists is left as it is (adding it again fails and is passed over).
    virtual void addKeyNode(std::string_view parentKey, const std::string& key, const std::string& text) = 0;
};

// Adds a child node for every subkey of hive\keyPath under the node keyed keyPath, each followed
// by its look-ahead chain. With `stop` set only the first subkey is added (the look-ahead itself).
// A key that cannot be opened adds nothing.
void fillSubkeys(const RegistryStore& store, Hive hive, std::string_view keyPath, RegistryTreeSink& tree,
                 bool stop = false);

// The child's key path: keyPath + "\" + name.
std::string childKeyPath(std::string_view keyPath, std::string_view name);

}  // namespace tally
