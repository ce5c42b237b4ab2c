#include "platform/registry/WineHive.h"

#include <algorithm>
#include <chrono>
#include <cstdio>

#include "core/registry/MemoryRegistryStore.h"
#include "core/text/TextOps.h"
#include "platform/registry/WineRegText.h"
#include "platform/registry/WineValueLine.h"

namespace tally {

namespace {

constexpr std::string_view kSignature = "WINE REGISTRY Version 2";
constexpr std::string_view kRootComment = ";; All keys relative to ";
// FILETIME of 1970-01-01, and its units per second.
constexpr std::uint64_t kUnixEpochTicks = 116444736000000000ull;
constexpr std::uint64_t kTicksPerSecond = 10000000ull;
// Past this many values a key looks its values up by name through a map rather than one by one.
constexpr std::size_t kValueMapFrom = 16;

std::uint64_t clockTicks() {
    const auto since1970 = std::chrono::duration_cast<std::chrono::nanoseconds>(
        std::chrono::system_clock::now().time_since_epoch());
    return kUnixEpochTicks + static_cast<std::uint64_t>(since1970.count() / 100);
}

std::size_t endOfLine(std::string_view text, std::size_t at) {
    const std::size_t nl = text.find('\n', at);
    return nl == std::string_view::npos ? text.size() : nl + 1;
}

// The line without its line end and leading blanks.
std::string_view lineContent(std::string_view line) {
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.remove_suffix(1);
    std::size_t start = 0;
    while (start < line.size() && (line[start] == ' ' || line[start] == '\t')) ++start;
    return line.substr(start);
}

// Blank and comment lines before a bracket line go with that key's section, so that deleting a key
// takes its blank separating line with it rather than leaving two behind.
bool isSpacer(std::string_view line) {
    const std::string_view content = trimView(lineContent(line));
    return content.empty() || content.front() == ';';
}

std::string lowerJoined(const std::vector<std::string_view>& parts) {
    std::string lower;
    for (std::string_view part : parts) {
        if (!lower.empty()) lower.push_back('\\');
        lower += toLower(part);
    }
    return lower;
}

}  // namespace

struct WineHive::Section {
    std::string lead;                // blank and comment lines before the bracket line
    std::string header;              // the bracket line; empty for the text before any section
    std::vector<std::string> items;  // the lines after it; a value with its continuation lines is one
    bool dropped = false;            // of a deleted key: left out when writing
};

struct WineHive::Key {
    struct Slot {
        RegValue value;
        std::size_t section = 0;  // the line the value was read from or written to
        std::size_t item = 0;
    };

    std::string name;
    std::string lowerPath;
    Key* parent = nullptr;
    std::vector<std::unique_ptr<Key>> children;
    std::vector<Slot> values;
    std::unordered_map<std::string, std::size_t> valueByName;  // lower-cased name -> slot, for big keys
    std::vector<std::size_t> sections;

    Slot* slot(std::string_view valueName) {
        if (!valueByName.empty()) {
            auto it = valueByName.find(toLower(valueName));
            return it == valueByName.end() ? nullptr : &values[it->second];
        }
        for (Slot& s : values)
            if (equalsIgnoreCase(s.value.name, valueName)) return &s;
        return nullptr;
    }
    void addSlot(Slot s) {
        values.push_back(std::move(s));
        if (values.size() == kValueMapFrom) {
            for (std::size_t i = 0; i < values.size(); ++i)
                valueByName.emplace(toLower(values[i].value.name), i);
        } else if (values.size() > kValueMapFrom) {
            valueByName.emplace(toLower(values.back().value.name), values.size() - 1);
        }
    }
};

WineHive::WineHive() : m_rootKey(std::make_unique<Key>()), m_now(clockTicks) {
    m_sections.emplace_back();
    m_index.emplace("", m_rootKey.get());
}

WineHive::~WineHive() = default;
WineHive::WineHive(WineHive&&) noexcept = default;
WineHive& WineHive::operator=(WineHive&&) noexcept = default;

WineHive WineHive::parse(std::string_view bytes) {
    WineHive hive;
    hive.readLines(bytes);
    return hive;
}

WineHive WineHive::fresh(std::string_view root) {
    WineHive hive;
    hive.m_signed = true;
    hive.m_root = std::string(root);
    hive.m_sections[0].items = {std::string(kSignature) + "\n",
                                std::string(kRootComment) + replaceAll(root, "\\", "\\\\") + "\n", "\n",
                                "#arch=win32\n"};
    return hive;
}

void WineHive::readLines(std::string_view bytes) {
    const std::size_t firstEnd = endOfLine(bytes, 0);
    m_signed = startsWith(bytes, kSignature);
    if (firstEnd >= 2 && bytes[firstEnd - 1] == '\n' && bytes[firstEnd - 2] == '\r') m_newline = "\r\n";

    Key* current = nullptr;
    std::size_t at = 0;
    while (at < bytes.size()) {
        const std::size_t lineEnd = endOfLine(bytes, at);
        const std::string_view line = bytes.substr(at, lineEnd - at);
        const std::string_view content = lineContent(line);
        Section& last = m_sections.back();

        if (!content.empty() && content.front() == '[') {
            std::size_t pos = static_cast<std::size_t>(content.data() - bytes.data()) + 1;
            if (auto path = winereg::readEscaped(bytes, pos, ']')) {
                const std::string ansiPath = winereg::unitsToAnsi(*path);
                std::vector<std::string> names;
                for (std::string_view part : registryPathParts(ansiPath)) names.emplace_back(part);
                Section section;
                auto firstSpacer = last.items.end();
                while (firstSpacer != last.items.begin() && isSpacer(*(firstSpacer - 1))) --firstSpacer;
                for (auto it = firstSpacer; it != last.items.end(); ++it) section.lead += *it;
                last.items.erase(firstSpacer, last.items.end());
                section.header = std::string(line);
                m_sections.push_back(std::move(section));
                current = findOrCreate(names, nullptr);
                current->sections.push_back(m_sections.size() - 1);
                at = lineEnd;
                continue;
            }
            current = nullptr;  // values after a bracket line that cannot be read belong to no key
        } else if (current && !content.empty() && (content.front() == '@' || content.front() == '"')) {
            const winereg::ValueLineRead read = winereg::readValueLine(bytes, at);
            last.items.emplace_back(bytes.substr(at, read.end - at));
            if (read.value) {
                const std::size_t section = m_sections.size() - 1, item = last.items.size() - 1;
                // A name given twice takes the later data, as Wine's loader does, in the earlier place.
                if (Key::Slot* old = current->slot(read.value->name)) {
                    old->value.type = read.value->type;
                    old->value.data = read.value->data;
                    old->section = section;
                    old->item = item;
                } else {
                    current->addSlot({*read.value, section, item});
                }
            }
            at = read.end;
            continue;
        } else if (m_sections.size() == 1 && m_root.empty() && startsWith(content, kRootComment)) {
            m_root = replaceAll(trimView(content.substr(kRootComment.size())), "\\\\", "\\");
        }
        last.items.emplace_back(line);
        at = lineEnd;
    }
}

std::string WineHive::serialize() const {
    std::size_t total = 0;
    for (const Section& s : m_sections) {
        total += s.lead.size() + s.header.size();
        for (const std::string& item : s.items) total += item.size();
    }
    std::string out;
    out.reserve(total + 16);
    // Only an added or changed piece can follow a last line that has no line end.
    const auto append = [&](const std::string& piece) {
        if (piece.empty()) return;
        if (!out.empty() && out.back() != '\n') out += m_newline;
        out += piece;
    };
    for (const Section& s : m_sections) {
        if (s.dropped) continue;
        append(s.lead);
        append(s.header);
        for (const std::string& item : s.items) append(item);
    }
    return out;
}

WineHive::Key* WineHive::find(std::string_view path) const {
    auto it = m_index.find(lowerJoined(registryPathParts(path)));
    return it == m_index.end() ? nullptr : it->second;
}

WineHive::Key* WineHive::findOrCreate(const std::vector<std::string>& names, bool* created) {
    Key* key = m_rootKey.get();
    std::string lower;
    for (const std::string& name : names) {
        if (!lower.empty()) lower.push_back('\\');
        lower += toLower(name);
        auto it = m_index.find(lower);
        if (it != m_index.end()) {
            key = it->second;
            continue;
        }
        auto child = std::make_unique<Key>();
        child->name = name;
        child->lowerPath = lower;
        child->parent = key;
        Key* made = child.get();
        key->children.push_back(std::move(child));
        m_index.emplace(lower, made);
        key = made;
        if (created) *created = true;
    }
    return key;
}

std::size_t WineHive::addSection(Key& key) {
    std::vector<const Key*> chain;
    for (const Key* k = &key; k && k->parent; k = k->parent) chain.push_back(k);
    std::string path;
    for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
        if (!path.empty()) path += "\\\\";
        path += winereg::writeEscaped(winereg::ansiToUnits((*it)->name), "[]");
    }
    const std::uint64_t ticks = m_now();
    const std::uint64_t seconds = ticks > kUnixEpochTicks ? (ticks - kUnixEpochTicks) / kTicksPerSecond : 0;
    char time[40];
    std::snprintf(time, sizeof time, "#time=%llx", static_cast<unsigned long long>(ticks));

    Section section;
    section.lead = m_newline;
    section.header = "[" + path + "] " + std::to_string(seconds) + m_newline;
    section.items.push_back(time + m_newline);
    m_sections.push_back(std::move(section));
    key.sections.push_back(m_sections.size() - 1);
    return m_sections.size() - 1;
}

bool WineHive::hasKey(std::string_view path) const {
    return find(path) != nullptr;
}

std::optional<std::vector<std::string>> WineHive::subkeys(std::string_view path) const {
    const Key* key = find(path);
    if (!key) return std::nullopt;
    std::vector<std::string> names;
    names.reserve(key->children.size());
    for (const auto& child : key->children) names.push_back(child->name);
    return names;
}

std::optional<std::vector<RegValue>> WineHive::values(std::string_view path) const {
    const Key* key = find(path);
    if (!key) return std::nullopt;
    std::vector<RegValue> out;
    out.reserve(key->values.size());
    for (const Key::Slot& s : key->values) out.push_back(s.value);
    return out;
}

std::optional<RegValue> WineHive::value(std::string_view path, std::string_view name) const {
    Key* key = find(path);
    if (!key) return std::nullopt;
    const Key::Slot* s = key->slot(name);
    if (!s) return std::nullopt;
    return s->value;
}

bool WineHive::setValue(std::string_view path, const RegValue& value) {
    Key* key = find(path);
    // The root is the key the header names (\Machine); its values would need a "[]" section that
    // Wine does not write.
    if (!key || key == m_rootKey.get()) return false;
    if (Key::Slot* old = key->slot(value.name)) {
        // The registry keeps a value's name as first written when it is set again.
        old->value.type = value.type;
        old->value.data = value.data;
        m_sections[old->section].items[old->item] = winereg::writeValueLine(old->value, m_newline);
        return true;
    }
    const std::size_t section = key->sections.empty() ? addSection(*key) : key->sections.back();
    std::vector<std::string>& items = m_sections[section].items;
    // After the key's last line that is not blank: only blank and comment lines (never values)
    // move down, so the other values' places stay as they are.
    std::size_t place = items.size();
    while (place > 0 && isSpacer(items[place - 1])) --place;
    items.insert(items.begin() + static_cast<std::ptrdiff_t>(place),
                 winereg::writeValueLine(value, m_newline));
    key->addSlot({value, section, place});
    return true;
}

bool WineHive::createKey(std::string_view path) {
    std::vector<std::string> names;
    for (std::string_view part : registryPathParts(path)) names.emplace_back(part);
    bool created = false;
    Key* key = findOrCreate(names, &created);
    // Only the new key itself needs a section: the file implies the keys above it.
    if (created) addSection(*key);
    return created;
}

bool WineHive::deleteKey(std::string_view path) {
    Key* key = find(path);
    if (!key || key == m_rootKey.get()) return false;
    std::vector<Key*> pending{key};
    while (!pending.empty()) {
        Key* k = pending.back();
        pending.pop_back();
        for (std::size_t s : k->sections) m_sections[s].dropped = true;
        m_index.erase(k->lowerPath);
        for (const auto& child : k->children) pending.push_back(child.get());
    }
    Key* parent = key->parent;
    auto& siblings = parent->children;
    siblings.erase(
        std::find_if(siblings.begin(), siblings.end(), [&](const auto& c) { return c.get() == key; }));
    // A parent that only the deleted key implied would vanish from the file with it.
    if (parent != m_rootKey.get() && parent->children.empty() && parent->sections.empty())
        addSection(*parent);
    return true;
}

}  // namespace tally
