#pragma once
// A key of its own under HKEY_CURRENT_USER\Software for one test, deleted with everything below it
// when the test ends, so that a run on a real Windows machine leaves its registry as it was.

#include <windows.h>

#include <string>

namespace tally::test {

class ScratchKey {
public:
    ScratchKey() : m_path("Software\\Tallyscan6 Test " + std::to_string(GetCurrentProcessId())) { remove(); }
    ~ScratchKey() { remove(); }
    ScratchKey(const ScratchKey&) = delete;
    ScratchKey& operator=(const ScratchKey&) = delete;

    const std::string& path() const { return m_path; }
    std::string operator/(const std::string& below) const { return m_path + "\\" + below; }

private:
    // In the 32-bit view, where the store keeps its keys.
    void remove() const {
        HKEY key = nullptr;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, m_path.c_str(), 0, KEY_ALL_ACCESS | KEY_WOW64_32KEY, &key) ==
            ERROR_SUCCESS) {
            RegDeleteTreeA(key, nullptr);
            RegCloseKey(key);
            RegDeleteKeyExA(HKEY_CURRENT_USER, m_path.c_str(), KEY_WOW64_32KEY, 0);
        }
    }

    std::string m_path;
};

// The data of a value as the registry API itself answers, or nothing.
inline bool queryValue(HKEY root, const std::string& path, const std::string& name, DWORD& type, std::string& data) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ | KEY_WOW64_32KEY, &key) != ERROR_SUCCESS) return false;
    DWORD size = 0;
    bool ok = RegQueryValueExA(key, name.c_str(), nullptr, &type, nullptr, &size) == ERROR_SUCCESS;
    data.assign(size, '\0');
    ok = ok && RegQueryValueExA(key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &size) ==
                   ERROR_SUCCESS;
    data.resize(size);
    RegCloseKey(key);
    return ok;
}

}  // namespace tally::test
