#pragma once
// A registry kept in memory: the store of the tests, and of anything that builds a small registry
// to read back (a fixture, an import). Keys keep their subkeys and values in insertion order.

#include <array>
#include <memory>

#include "core/registry/RegistryStore.h"

namespace tally {

class MemoryRegistryStore final : public RegistryStore {
public:
    MemoryRegistryStore();
    ~MemoryRegistryStore() override;

    std::optional<std::vector<std::string>> subkeys(Hive hive, std::string_view path) const override;
    std::optional<std::vector<RegValue>> values(Hive hive, std::string_view path) const override;
    std::optional<RegValue> value(Hive hive, std::string_view path, std::string_view name) const override;
    bool setValue(Hive hive, std::string_view path, const RegValue& value) override;
    bool createKey(Hive hive, std::string_view path) override;
    bool deleteKey(Hive hive, std::string_view path) override;
    std::string writeRefusal() const override { return m_refusal; }

    // Test hooks: keys that refuse to be opened for writing, and a refusal of every write.
    void denyWrites(Hive hive, std::string_view path);
    void refuseAllWrites(std::string why) { m_refusal = std::move(why); }

    // Fixture shorthand: creates the key and sets the value.
    void put(Hive hive, std::string_view path, const RegValue& value);

    struct Key;

private:
    const Key* find(Hive hive, std::string_view path) const;
    Key* find(Hive hive, std::string_view path);

    std::array<std::unique_ptr<Key>, 4> m_roots;
    std::string m_refusal;
};

// The key names of a "\"-separated path; empty names (a doubled or trailing separator) are dropped.
std::vector<std::string_view> registryPathParts(std::string_view path);

}  // namespace tally
