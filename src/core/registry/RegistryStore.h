#pragma once
// The registry as the program sees it: four hives of keys, each key holding subkeys and typed
// values in the order the store keeps them. Windows has the real registry behind this; elsewhere
// a store in Wine's registry file format stands in, and tests use the in-memory store.
//
// Paths are the key names below the hive joined with "\", compared without regard to ASCII case
// as the registry does; the empty path is the hive itself. Names and string data are ANSI bytes
// (Windows-1252 where the store keeps Unicode).

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tally {

// The predefined keys, with the handle numbers the registry calls give them.
enum class Hive : std::uint32_t {
    ClassesRoot = 0x80000000u,
    CurrentUser = 0x80000001u,
    LocalMachine = 0x80000002u,
    Users = 0x80000003u,
};

// "HKEY_CLASSES_ROOT", "HKEY_CURRENT_USER", "HKEY_LOCAL_MACHINE" or "HKEY_USERS".
std::string_view hiveName(Hive hive);
// The hive a full name ("HKEY_CURRENT_USER") or its short form ("HKCU") stands for; any case.
std::optional<Hive> hiveFromName(std::string_view name);
// The handle number as a signed 32-bit number, as the value editor passes it on (-2147483647).
std::int32_t hiveHandle(Hive hive);
std::optional<Hive> hiveFromHandle(std::int64_t handle);

// Registry value types by their numbers.
namespace regtype {
inline constexpr std::uint32_t kNone = 0;
inline constexpr std::uint32_t kString = 1;        // REG_SZ
inline constexpr std::uint32_t kExpandString = 2;  // REG_EXPAND_SZ
inline constexpr std::uint32_t kBinary = 3;        // REG_BINARY
inline constexpr std::uint32_t kDword = 4;         // REG_DWORD (little-endian)
inline constexpr std::uint32_t kMultiString = 7;   // REG_MULTI_SZ
inline constexpr std::uint32_t kQword = 11;        // REG_QWORD
}  // namespace regtype

struct RegValue {
    std::string name;  // empty for the key's unnamed (default) value
    std::uint32_t type = regtype::kString;
    // The data as the registry returns it: string types usually end in a NUL (readers cut at the
    // first one), a DWORD is four little-endian bytes.
    std::string data;
};

// A string value's data: the text and its terminating NUL.
RegValue stringValue(std::string name, std::string_view text);
RegValue dwordValue(std::string name, std::uint32_t number);
RegValue binaryValue(std::string name, std::string bytes);
// The text of string data, cut at its first NUL.
std::string_view cutAtNul(std::string_view data);
// The number of DWORD data (missing bytes read as zero).
std::uint32_t dwordOf(std::string_view data);

class RegistryStore {
public:
    virtual ~RegistryStore() = default;

    // The names of hive\path's subkeys in the store's order; nothing when the key cannot be
    // opened for reading.
    virtual std::optional<std::vector<std::string>> subkeys(Hive hive, std::string_view path) const = 0;
    // The values of hive\path in the store's order; nothing when the key cannot be opened.
    virtual std::optional<std::vector<RegValue>> values(Hive hive, std::string_view path) const = 0;
    // One value by name (empty: the unnamed value); nothing when the key or the value is missing.
    virtual std::optional<RegValue> value(Hive hive, std::string_view path, std::string_view name) const = 0;

    // Writes a value into an existing key (replacing one of the same name, keeping its place);
    // false when the key is missing or cannot be opened for writing, or the write is refused.
    virtual bool setValue(Hive hive, std::string_view path, const RegValue& value) = 0;
    // Creates hive\path and any missing parents; true when it exists afterwards.
    virtual bool createKey(Hive hive, std::string_view path) = 0;
    // Deletes hive\path with every subkey below it; false when it is missing or refused.
    virtual bool deleteKey(Hive hive, std::string_view path) = 0;

    // Why writes cannot be made at all just now (empty when they can): shown to the user instead
    // of the plain failure message.
    virtual std::string writeRefusal() const { return {}; }
};

}  // namespace tally
