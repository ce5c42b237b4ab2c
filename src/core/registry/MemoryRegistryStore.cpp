#include "core/registry/MemoryRegistryStore.h"

#include <algorithm>
#include <utility>

#include "core/text/TextOps.h"

namespace tally {

struct MemoryRegistryStore::Key {
    std::string name;
    std::vector<std::unique_ptr<Key>> children;
    std::vector<RegValue> values;
    bool writable = true;

    Key* child(std::string_view childName) const {
        for (const auto& c : children)
            if (equalsIgnoreCase(c->name, childName)) return c.get();
        return nullptr;
    }
    const RegValue* valueNamed(std::string_view valueName) const {
        for (const RegValue& v : values)
            if (equalsIgnoreCase(v.name, valueName)) return &v;
        return nullptr;
    }
    RegValue* valueNamed(std::string_view valueName) {
        return const_cast<RegValue*>(std::as_const(*this).valueNamed(valueName));
    }
};

namespace {

std::size_t rootIndex(Hive hive) {
    return static_cast<std::uint32_t>(hive) - static_cast<std::uint32_t>(Hive::ClassesRoot);
}

}  // namespace

std::vector<std::string_view> registryPathParts(std::string_view path) {
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t end = path.find('\\', start);
        if (end == std::string_view::npos) end = path.size();
        if (end > start) parts.push_back(path.substr(start, end - start));
        start = end + 1;
    }
    return parts;
}

MemoryRegistryStore::MemoryRegistryStore() {
    for (auto& root : m_roots) root = std::make_unique<Key>();
}

MemoryRegistryStore::~MemoryRegistryStore() = default;

const MemoryRegistryStore::Key* MemoryRegistryStore::find(Hive hive, std::string_view path) const {
    const Key* key = m_roots[rootIndex(hive)].get();
    for (std::string_view part : registryPathParts(path)) {
        key = key->child(part);
        if (!key) return nullptr;
    }
    return key;
}

MemoryRegistryStore::Key* MemoryRegistryStore::find(Hive hive, std::string_view path) {
    return const_cast<Key*>(std::as_const(*this).find(hive, path));
}

std::optional<std::vector<std::string>> MemoryRegistryStore::subkeys(Hive hive, std::string_view path) const {
    const Key* key = find(hive, path);
    if (!key) return std::nullopt;
    std::vector<std::string> names;
    names.reserve(key->children.size());
    for (const auto& c : key->children) names.push_back(c->name);
    return names;
}

std::optional<std::vector<RegValue>> MemoryRegistryStore::values(Hive hive, std::string_view path) const {
    const Key* key = find(hive, path);
    if (!key) return std::nullopt;
    return key->values;
}

std::optional<RegValue> MemoryRegistryStore::value(Hive hive, std::string_view path, std::string_view name) const {
    const Key* key = find(hive, path);
    if (!key) return std::nullopt;
    const RegValue* found = key->valueNamed(name);
    if (!found) return std::nullopt;
    return *found;
}

bool MemoryRegistryStore::setValue(Hive hive, std::string_view path, const RegValue& value) {
    Key* key = find(hive, path);
    if (!key || !key->writable || !m_refusal.empty()) return false;
    if (RegValue* old = key->valueNamed(value.name))
        *old = value;
    else
        key->values.push_back(value);
    return true;
}

bool MemoryRegistryStore::createKey(Hive hive, std::string_view path) {
    if (!m_refusal.empty()) return find(hive, path) != nullptr;
    Key* key = m_roots[rootIndex(hive)].get();
    for (std::string_view part : registryPathParts(path)) {
        Key* next = key->child(part);
        if (!next) {
            auto made = std::make_unique<Key>();
            made->name = std::string(part);
            next = made.get();
            key->children.push_back(std::move(made));
        }
        key = next;
    }
    return true;
}

bool MemoryRegistryStore::deleteKey(Hive hive, std::string_view path) {
    std::vector<std::string_view> parts = registryPathParts(path);
    if (parts.empty() || !m_refusal.empty()) return false;
    const std::string_view last = parts.back();
    parts.pop_back();
    Key* parent = m_roots[rootIndex(hive)].get();
    for (std::string_view part : parts) {
        parent = parent->child(part);
        if (!parent) return false;
    }
    auto it = std::find_if(parent->children.begin(), parent->children.end(),
                           [&](const auto& c) { return equalsIgnoreCase(c->name, last); });
    if (it == parent->children.end() || !(*it)->writable) return false;
    parent->children.erase(it);
    return true;
}

void MemoryRegistryStore::denyWrites(Hive hive, std::string_view path) {
    createKey(hive, path);
    find(hive, path)->writable = false;
}

void MemoryRegistryStore::put(Hive hive, std::string_view path, const RegValue& value) {
    createKey(hive, path);
    Key* key = find(hive, path);
    if (RegValue* old = key->valueNamed(value.name))
        *old = value;
    else
        key->values.push_back(value);
}

}  // namespace tally
