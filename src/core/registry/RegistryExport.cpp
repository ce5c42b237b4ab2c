#include "core/registry/RegistryExport.h"

#include <utility>

#include "core/registry/SubkeyFill.h"

namespace tally {

namespace {

constexpr std::string_view kCrLf = "\r\n";
constexpr std::size_t kWrapAt = 77;
constexpr char kHexDigits[] = "0123456789abcdef";

// A name or string in the export file's quotes: backslashes doubled, quotes escaped.
std::string quoted(std::string_view text) {
    std::string out = "\"";
    for (char c : text) {
        if (c == '\\' || c == '"') out.push_back('\\');
        out.push_back(c);
    }
    out.push_back('"');
    return out;
}

// `"name"=` or `@=` for the unnamed value.
std::string linePrefix(const RegValue& value) {
    std::string_view name = cutAtNul(value.name);
    return name.empty() ? std::string("@=") : quoted(name) + "=";
}

}  // namespace

std::string wrappedHexLine(std::string_view prefix, std::string_view bytes) {
    std::string out;
    std::string chunk(prefix);
    for (char byte : bytes) {
        const auto b = static_cast<unsigned char>(byte);
        chunk.push_back(kHexDigits[b >> 4]);
        chunk.push_back(kHexDigits[b & 0x0F]);
        chunk.push_back(',');
        if (chunk.size() >= kWrapAt) {
            out += chunk;
            out += '\\';
            out += kCrLf;
            chunk = "  ";
        }
    }
    out += chunk;
    if (!out.empty() && out.back() == ',') out.pop_back();
    // The wrap fell on the last byte: the continuation it began is empty.
    constexpr std::string_view kEmptyContinuation = ",\\\r\n  ";
    if (out.size() >= kEmptyContinuation.size() &&
        std::string_view(out).substr(out.size() - kEmptyContinuation.size()) == kEmptyContinuation)
        out.resize(out.size() - kEmptyContinuation.size());
    return out;
}

std::vector<std::string> buildValueLines(const std::vector<RegValue>& values) {
    std::vector<std::string> lines;
    lines.reserve(values.size());
    for (const RegValue& value : values) {
        if (value.type == regtype::kString) {
            lines.push_back(linePrefix(value) + quoted(cutAtNul(value.data)));
        } else if (value.type == regtype::kDword) {
            const std::uint32_t number = dwordOf(value.data);
            std::string line = linePrefix(value) + "dword:";
            for (int shift = 28; shift >= 0; shift -= 4) line.push_back(kHexDigits[(number >> shift) & 0x0F]);
            lines.push_back(std::move(line));
        } else if (value.type == regtype::kBinary) {
            lines.push_back(wrappedHexLine(linePrefix(value) + "hex:", value.data));
        }
    }
    return lines;
}

void writeKeySection(const RegistryStore& store, Hive hive, std::string_view path, std::string& out) {
    // Depth first, subkeys in the store's order; kept on an explicit stack so that a very deep
    // registry cannot exhaust the call stack.
    std::vector<std::string> pending{std::string(path)};
    while (!pending.empty()) {
        std::string key = std::move(pending.back());
        pending.pop_back();
        std::optional<std::vector<RegValue>> values = store.values(hive, key);
        if (!values) continue;
        out += '[';
        out += hiveName(hive);
        if (!key.empty()) {
            out += '\\';
            out += key;
        }
        out += ']';
        out += kCrLf;
        for (const std::string& line : buildValueLines(*values)) {
            out += line;
            out += kCrLf;
        }
        out += ' ';
        out += kCrLf;
        std::optional<std::vector<std::string>> names = store.subkeys(hive, key);
        if (!names) continue;
        for (auto it = names->rbegin(); it != names->rend(); ++it)
            pending.push_back(key.empty() ? std::string(cutAtNul(*it)) : childKeyPath(key, cutAtNul(*it)));
    }
}

std::string exportKeyText(const RegistryStore& store, Hive hive, std::string_view path) {
    std::string out = "REGEDIT4\r\n\r\n";
    writeKeySection(store, hive, path, out);
    return out;
}

std::string exportDoneMessage(std::string_view fileName) {
    return "All of the settings for the selected key have been copied to the file " + std::string(fileName) +
           ". Double-click on the file to restore the settings.";
}

}  // namespace tally
