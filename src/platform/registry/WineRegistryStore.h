#pragma once
// The registry kept in a Wine prefix's registry files, for systems without a registry of their own:
// HKEY_LOCAL_MACHINE is system.reg, HKEY_CURRENT_USER is user.reg, HKEY_USERS holds ".Default"
// (userdef.reg) and the user's SID (user.reg again), and HKEY_CLASSES_ROOT is the merged view of the
// user's and the machine's Software\Classes. The folder need not be a real prefix: missing files
// read as empty, and the folder and files are made on the first write.
//
// HKEY_CLASSES_ROOT is what a 32-bit program sees, since VB6 and its controls are 32-bit: in a win64
// prefix, CLSID, TypeLib, Interface and AppID list the entries below Software\Classes\Wow6432Node
// first, then the 64-bit ones not already listed, and an entry found below Wow6432Node is read and
// written there. A value written to a classes key goes to the user's key when it has one, else to
// the machine's, as in Windows.
//
// Every call may run on any thread: the store reads files again when they changed on disk, under a
// lock of its own.

#include <array>
#include <mutex>
#include <string>
#include <string_view>

#include "core/registry/RegistryStore.h"
#include "platform/registry/WineHiveFile.h"

namespace tally {

// What writes are refused with while a wineserver runs for the folder.
inline constexpr std::string_view kWineRegistryInUse =
    "The Wine registry is in use by a running Wine program. Close Wine (wineserver -k) and try again.";

// The folder the store uses: the prefix `winePrefix` ($WINEPREFIX) when not empty; else Wine's
// default prefix `defaultPrefix` (~/.wine) when Wine has made its registry there (a system.reg or a
// user.reg), since that is where Wine, and objects registered with `wine regsvr32`, keep theirs;
// else `ownFolder`, the program's own.
std::string pickWineRegistryFolder(std::string_view winePrefix, std::string_view defaultPrefix,
                                   std::string_view ownFolder);

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
    // The private members expect m_mutex to be held.
    enum FileIndex { kSystem, kUser, kUserDefault };
    // A hive path as a path in one file; `file` < 0 when it names no key of a file.
    struct Place {
        int file = -1;
        std::string path;
    };
    std::string sid() const;
    Place place(Hive hive, std::string_view path) const;
    // `below` is a path below Software\Classes, as classesPath gives it.
    Place classesPlace(FileIndex file, std::string_view below) const;
    // The path below Software\Classes that an HKEY_CLASSES_ROOT path reads and writes.
    std::string classesPath(std::string_view path) const;
    bool win64() const;
    bool classesExist(std::string_view below) const;
    std::optional<std::vector<std::string>> classesSubkeys(std::string_view below) const;
    WineHiveFile& file(int index) const { return m_files[static_cast<std::size_t>(index)]; }
    bool exists(const Place& at) const;
    std::string refusal() const;
    bool writable() const;
    bool commit(WineHiveFile& f);
    bool setValueAt(const Place& at, const RegValue& value);
    bool createKeyAt(const Place& at);
    bool deleteKeyAt(const Place& at);

    std::string m_folder;
    std::string m_serverRoot;
    mutable std::mutex m_mutex;
    mutable std::array<WineHiveFile, 3> m_files;
};

}  // namespace tally
