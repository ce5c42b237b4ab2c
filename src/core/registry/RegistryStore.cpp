#include "core/registry/RegistryStore.h"

#include <array>

#include "core/text/TextOps.h"

namespace tally {

namespace {

struct HiveNames {
    Hive hive;
    std::string_view full;
    std::string_view brief;
};

constexpr std::array<HiveNames, 4> kHives{{
    {Hive::ClassesRoot, "HKEY_CLASSES_ROOT", "HKCR"},
    {Hive::CurrentUser, "HKEY_CURRENT_USER", "HKCU"},
    {Hive::LocalMachine, "HKEY_LOCAL_MACHINE", "HKLM"},
    {Hive::Users, "HKEY_USERS", "HKU"},
}};

}  // namespace

std::string_view hiveName(Hive hive) {
    for (const HiveNames& names : kHives)
        if (names.hive == hive) return names.full;
    return {};
}

std::optional<Hive> hiveFromName(std::string_view name) {
    for (const HiveNames& names : kHives)
        if (equalsIgnoreCase(name, names.full) || equalsIgnoreCase(name, names.brief)) return names.hive;
    return std::nullopt;
}

std::int32_t hiveHandle(Hive hive) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(hive));
}

std::optional<Hive> hiveFromHandle(std::int64_t handle) {
    const auto number = static_cast<std::uint32_t>(handle);
    for (const HiveNames& names : kHives)
        if (static_cast<std::uint32_t>(names.hive) == number) return names.hive;
    return std::nullopt;
}

RegValue stringValue(std::string name, std::string_view text) {
    std::string data(text);
    data.push_back('\0');
    return RegValue{std::move(name), regtype::kString, std::move(data)};
}

RegValue dwordValue(std::string name, std::uint32_t number) {
    std::string data(4, '\0');
    for (int i = 0; i < 4; ++i) data[i] = static_cast<char>((number >> (8 * i)) & 0xFFu);
    return RegValue{std::move(name), regtype::kDword, std::move(data)};
}

RegValue binaryValue(std::string name, std::string bytes) {
    return RegValue{std::move(name), regtype::kBinary, std::move(bytes)};
}

std::string_view cutAtNul(std::string_view data) {
    const std::size_t nul = data.find('\0');
    return nul == std::string_view::npos ? data : data.substr(0, nul);
}

std::uint32_t dwordOf(std::string_view data) {
    std::uint32_t number = 0;
    for (std::size_t i = 0; i < 4 && i < data.size(); ++i)
        number |= static_cast<std::uint32_t>(static_cast<unsigned char>(data[i])) << (8 * i);
    return number;
}

}  // namespace tally
