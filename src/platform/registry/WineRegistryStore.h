#pragma once
// The registry kept in a Wine prefix's registry files, for systems without a registry of their own:
// HKEY_LOCAL_MACHINE is system.reg, HKEY_CURRENT_USER is user.reg, HKEY_USERS holds ".Default"
// (userdef.reg) and the user's SID (user.reg again), and HKEY_CLASSES_ROOT is the merged view of the
// user's and the machine's Software\Classes. The folder need not be a real prefix: missing files
// read as empty, and the folder and files are made on the first write.

#include <array>
#include <string>
#include <string_view>

#include "core/registry/RegistryStore.h"
#include "platform/registry/WineHiveFile.h"

namespace tally {

// What writes are refused with while a wineserver runs for the folder.
inline constexpr std::string_view kWineRegistryInUse =
    "The Wine registry is in use by a running Wine program. Close Wine (wineserver -k) and try again.";

// The folder the store uses: the prefix `winePrefix` ($WINEPREFIX) when not empty, else `ownFolder`.
std::string pickWineRegistryFolder(std::string_view winePrefix, std::string_view ownFolder);

class WineRegistryStore final : public RegistryStore {
public:
    // `serverRoot` is where running wineservers keep their sockets (see WineServerCheck.h).
    explicit WineRegistryStore(std::string folder, std::string serverRoot);
    explicit WineRegistryStore(std::string folder);

    std::optional<std::vector<std::string>> subkeys(Hive hive, std::string_view path) const override;
    std::optional<std::vector<RegValue>> values(Hive hive, std::string_view path) const override;
    std::optional<RegValue> value(Hive hive, std::string_view path, std::string_view name) const override;
    bool setValue(Hive hive, std::string_view path, const RegValue& value) override;
    bool createKey(Hive hive, std::string_view path) override;
    bool deleteKey(Hive hive, std::string_view path) override;
    std::string writeRefusal() const override;

    const std::string& folder() const { return m_folder; }
    // The SID that user.reg's keys are relative to, the name of its key under HKEY_USERS.
    std::string userSid() const;

private:
    enum FileIndex { kSystem, kUser, kUserDefault };
    // A hive path as a path in one file; `file` < 0 when it names no key of a file.
    struct Place {
        int file = -1;
        std::string path;
    };
    Place place(Hive hive, std::string_view path) const;
    Place classesPlace(FileIndex file, std::string_view path) const;
    WineHiveFile& file(int index) const { return m_files[static_cast<std::size_t>(index)]; }
    bool exists(const Place& at) const;
    bool writable() const;
    bool setValueAt(const Place& at, const RegValue& value);
    bool createKeyAt(const Place& at);
    bool deleteKeyAt(const Place& at);

    std::string m_folder;
    std::string m_serverRoot;
    mutable std::array<WineHiveFile, 3> m_files;
};

}  // namespace tally
