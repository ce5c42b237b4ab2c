#include "core/registry/RegistryValues.h"

#include <charconv>

#include "core/registry/RegistryFormat.h"
#include "core/text/TextOps.h"

namespace tally {

std::vector<ValueRow> listValues(const RegistryStore& store, Hive hive, std::string_view path) {
    std::vector<ValueRow> rows;
    std::optional<std::vector<RegValue>> values = store.values(hive, path);
    if (!values) return rows;
    for (std::size_t index = 0; index < values->size(); ++index) {
        const RegValue& value = (*values)[index];
        ValueRow row;
        if (value.type == regtype::kString) {
            row.icon = "strdata";
            row.data = formatListString(value.data);
        } else if (value.type == regtype::kBinary) {
            row.icon = "bindata";
            const bool truncated = value.data.size() > kListBinaryLimit;
            row.data = formatBinary(value.data, truncated ? kListBinaryLimit : value.data.size(), truncated);
        } else if (value.type == regtype::kDword) {
            row.icon = "bindata";
            row.data = formatDword(dwordOf(value.data));
        } else {
            continue;
        }
        row.key = "a" + std::to_string(value.type) + std::to_string(index);
        std::string_view name = cutAtNul(value.name);
        row.text = name.empty() ? std::string(kDefaultValueName) : std::string(name);
        rows.push_back(std::move(row));
    }
    return rows;
}

RegSetting readValue(const RegistryStore& store, Hive hive, std::string_view path, std::string_view name,
                     const RegSetting& fallback) {
    std::optional<RegValue> value = store.value(hive, path, name);
    if (!value) return fallback;
    if (value->type == regtype::kString) {
        std::string_view text = cutAtNul(value->data);
        if (text.empty()) return fallback;
        return std::string(text);
    }
    if (value->type == regtype::kDword) return dwordOf(value->data);
    return fallback;
}

std::string readValueText(const RegistryStore& store, Hive hive, std::string_view path, std::string_view name,
                          std::string_view fallback) {
    RegSetting read = readValue(store, hive, path, name, std::string(fallback));
    if (const auto* number = std::get_if<std::uint32_t>(&read)) return std::to_string(*number);
    return std::get<std::string>(read);
}

bool saveValue(RegistryStore& store, Hive hive, std::string_view path, std::uint32_t type, std::string_view name,
               std::string_view text) {
    if (type == regtype::kString) {
        // The characters of the text are the data; the registry adds no terminator of its own.
        return store.setValue(hive, path, RegValue{std::string(name), regtype::kString, std::string(text)});
    }
    if (type != regtype::kDword) return false;
    std::string_view digits = trimView(text);
    long long number = 0;
    auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
    if (error != std::errc() || end != digits.data() + digits.size() || digits.empty()) return false;
    if (number < -2147483648LL || number > 4294967295LL) return false;
    return store.setValue(hive, path, dwordValue(std::string(name), static_cast<std::uint32_t>(number)));
}

}  // namespace tally
