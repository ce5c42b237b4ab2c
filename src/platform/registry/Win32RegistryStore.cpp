// The registry of Windows itself, through the ANSI registry calls: names and string data stay in
// the system's ANSI code page, as the rest of the program keeps its texts. Every key is opened in
// the 32-bit view, which is where Visual Basic 6 and the controls it uses are registered, also
// when the program itself is built for 64 bits.
#include "platform/registry/RegistryStoreChoice.h"

#include <windows.h>

#include <memory>

namespace tally {

namespace {

constexpr REGSAM kView = KEY_WOW64_32KEY;

HKEY rootOf(Hive hive) {
    switch (hive) {
        case Hive::ClassesRoot: return HKEY_CLASSES_ROOT;
        case Hive::CurrentUser: return HKEY_CURRENT_USER;
        case Hive::LocalMachine: return HKEY_LOCAL_MACHINE;
        case Hive::Users: return HKEY_USERS;
    }
    return HKEY_CURRENT_USER;
}

// An open key, closed when it goes.
class OpenKey {
public:
    OpenKey(Hive hive, std::string_view path, REGSAM access) {
        const std::string name(path);
        if (RegOpenKeyExA(rootOf(hive), name.c_str(), 0, access | kView, &m_key) != ERROR_SUCCESS) m_key = nullptr;
    }
    ~OpenKey() {
        if (m_key) RegCloseKey(m_key);
    }
    OpenKey(const OpenKey&) = delete;
    OpenKey& operator=(const OpenKey&) = delete;
    explicit operator bool() const { return m_key != nullptr; }
    HKEY get() const { return m_key; }

private:
    HKEY m_key = nullptr;
};

// The value at `index` of an open key; false once the enumeration ends.
bool valueAt(HKEY key, DWORD index, RegValue& out) {
    DWORD longestName = 0, longestData = 0;
    if (RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &longestName,
                         &longestData, nullptr, nullptr) != ERROR_SUCCESS)
        return false;
    std::string name(longestName + 1, '\0');
    std::string data(longestData + 1, '\0');
    DWORD nameSize = longestName + 1, dataSize = longestData + 1, type = 0;
    if (RegEnumValueA(key, index, name.data(), &nameSize, nullptr, &type, reinterpret_cast<BYTE*>(data.data()),
                      &dataSize) != ERROR_SUCCESS)
        return false;
    name.resize(nameSize);
    data.resize(dataSize);
    out = RegValue{std::move(name), type, std::move(data)};
    return true;
}

class Win32RegistryStore final : public RegistryStore {
public:
    std::optional<std::vector<std::string>> subkeys(Hive hive, std::string_view path) const override {
        OpenKey key(hive, path, KEY_READ);
        if (!key) return std::nullopt;
        std::vector<std::string> names;
        char name[MAX_PATH + 1];
        for (DWORD index = 0;; ++index) {
            DWORD size = sizeof name;
            if (RegEnumKeyExA(key.get(), index, name, &size, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
                break;
            names.emplace_back(name, size);
        }
        return names;
    }

    std::optional<std::vector<RegValue>> values(Hive hive, std::string_view path) const override {
        OpenKey key(hive, path, KEY_READ);
        if (!key) return std::nullopt;
        std::vector<RegValue> found;
        RegValue value;
        for (DWORD index = 0; valueAt(key.get(), index, value); ++index) found.push_back(std::move(value));
        return found;
    }

    std::optional<RegValue> value(Hive hive, std::string_view path, std::string_view name) const override {
        OpenKey key(hive, path, KEY_READ);
        if (!key) return std::nullopt;
        const std::string wanted(name);
        DWORD type = 0, size = 0;
        if (RegQueryValueExA(key.get(), wanted.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
            return std::nullopt;
        std::string data(size, '\0');
        if (RegQueryValueExA(key.get(), wanted.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data.data()),
                             &size) != ERROR_SUCCESS)
            return std::nullopt;
        data.resize(size);
        return RegValue{wanted, type, std::move(data)};
    }

    bool setValue(Hive hive, std::string_view path, const RegValue& value) override {
        OpenKey key(hive, path, KEY_ALL_ACCESS);
        if (!key) return false;
        return RegSetValueExA(key.get(), value.name.c_str(), 0, value.type,
                              reinterpret_cast<const BYTE*>(value.data.data()),
                              static_cast<DWORD>(value.data.size())) == ERROR_SUCCESS;
    }

    bool createKey(Hive hive, std::string_view path) override {
        const std::string name(path);
        HKEY created = nullptr;
        if (RegCreateKeyExA(rootOf(hive), name.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS | kView, nullptr, &created,
                            nullptr) != ERROR_SUCCESS)
            return false;
        RegCloseKey(created);
        return true;
    }

    bool deleteKey(Hive hive, std::string_view path) override {
        // The subkeys and values go first, as the user was told, then the key itself, all in the
        // 32-bit view (RegDeleteTreeA has no view of its own: it works below a key opened in one).
        const std::string name(path);
        if (name.empty()) return false;
        {
            OpenKey key(hive, path, KEY_ALL_ACCESS);
            if (!key || RegDeleteTreeA(key.get(), nullptr) != ERROR_SUCCESS) return false;
        }
        return RegDeleteKeyExA(rootOf(hive), name.c_str(), kView, 0) == ERROR_SUCCESS;
    }
};

}  // namespace

std::unique_ptr<RegistryStore> makeWin32RegistryStore() {
    return std::make_unique<Win32RegistryStore>();
}

}  // namespace tally
