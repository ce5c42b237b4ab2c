#include "platform/registry/WineHive.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <unordered_map>

#include "core/registry/MemoryRegistryStore.h"
#include "core/text/TextOps.h"
#include "platform/registry/WineRegText.h"
#include "platform/registry/WineValueLine.h"

namespace tally {

namespace {

constexpr std::string_view kSignature = "WINE REGISTRY Version 2";
constexpr std::string_view kRootComment = ";; All keys relative to ";
constexpr std::string_view kArchOption = "#arch=";
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

bool isBlank(std::string_view line) {
    return trimView(lineContent(line)).empty();
}

// Past this many subkeys a key finds a subkey by name through a map rather than one by one.
constexpr std::size_t kChildMapFrom = 16;

}  // namespace

// A key name as a bracket line or a caller gives it.
struct WineHive::Name {
    std::string ansi;
    bool lossy = false;    // the file's name has characters that Windows-1252 lacks
    std::u16string units;  // the name as the file has it, when lossy
};

namespace {

// The names of a bracket line's path, empty ones left out as everywhere; false when the path is
// past the registry's limits, and then without reading it further.
bool splitKeyPath(std::u16string_view path, std::vector<WineHive::Name>& names) {
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t end = path.find(u'\\', start);
        if (end == std::u16string_view::npos) end = path.size();
        if (end > start) {
            const std::u16string_view part = path.substr(start, end - start);
            if (names.size() == WineHive::kMaxDepth || part.size() > WineHive::kMaxNameLength) return false;
            WineHive::Name name;
            name.ansi = winereg::unitsToAnsi(part, &name.lossy);
            if (name.lossy) name.units = std::u16string(part);
            names.push_back(std::move(name));
        }
        start = end + 1;
    }
    return true;
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
        bool lossy = false;    // listed, never found by name (see WineHive.h)
        std::u16string units;  // the name as the file has it, when lossy
    };

    // For keys with many subkeys or values: lower-cased name -> subkey or slot. Lossy names are kept
    // apart, by their folded UTF-16 name, only so that a file naming the same key or value twice
    // still reads as one.
    template <typename Target>
    struct Index {
        std::unordered_map<std::string, Target> byName;
        std::unordered_map<std::u16string, Target> lossyByName;
    };

    std::string name;
    bool lossy = false;
    std::u16string units;  // the name as the file has it, when lossy
    Key* parent = nullptr;
    std::vector<std::unique_ptr<Key>> children;
    std::unique_ptr<Index<Key*>> childIndex;  // made once the key has kChildMapFrom subkeys
    std::vector<Slot> values;
    std::unique_ptr<Index<std::size_t>> valueIndex;  // made once the key has kValueMapFrom values
    std::vector<std::size_t> sections;

    Key() = default;
    Key(const Key&) = delete;
    Key& operator=(const Key&) = delete;
    // One level at a time, never recursing: a file may hold chains of keys hundreds deep.
    ~Key() {
        std::vector<std::unique_ptr<Key>> pending = std::move(children);
        while (!pending.empty()) {
            std::unique_ptr<Key> key = std::move(pending.back());
            pending.pop_back();
            for (auto& child : key->children) pending.push_back(std::move(child));
            key->children.clear();
        }
    }

    bool childrenMapped() const { return children.size() >= kChildMapFrom; }
    void indexChild(Key* child) {
        if (child->lossy)
            childIndex->lossyByName.emplace(winereg::foldedUnits(child->units), child);
        else
            childIndex->byName.emplace(toLower(child->name), child);
    }
    // The subkey a caller can name; lossy subkeys are never it.
    Key* child(std::string_view childName) const {
        if (childrenMapped()) {
            auto it = childIndex->byName.find(toLower(childName));
            return it == childIndex->byName.end() ? nullptr : it->second;
        }
        for (const auto& c : children)
            if (!c->lossy && equalsIgnoreCase(c->name, childName)) return c.get();
        return nullptr;
    }
    // The lossy subkey a file names again.
    Key* lossyChild(std::u16string_view childUnits) const {
        const std::u16string folded = winereg::foldedUnits(childUnits);
        if (childrenMapped()) {
            auto it = childIndex->lossyByName.find(folded);
            return it == childIndex->lossyByName.end() ? nullptr : it->second;
        }
        for (const auto& c : children)
            if (c->lossy && winereg::foldedUnits(c->units) == folded) return c.get();
        return nullptr;
    }
    Key* addChild(std::unique_ptr<Key> child) {
        Key* added = child.get();
        children.push_back(std::move(child));
        if (children.size() == kChildMapFrom) {
            childIndex = std::make_unique<Index<Key*>>();
            for (const auto& c : children) indexChild(c.get());
        } else if (children.size() > kChildMapFrom) {
            indexChild(added);
        }
        return added;
    }
    // Removes a subkey with everything below it.
    void removeChild(Key* gone) {
        if (childIndex && gone->lossy) {
            auto it = childIndex->lossyByName.find(winereg::foldedUnits(gone->units));
            if (it != childIndex->lossyByName.end() && it->second == gone) childIndex->lossyByName.erase(it);
        } else if (childIndex) {
            auto it = childIndex->byName.find(toLower(gone->name));
            if (it != childIndex->byName.end() && it->second == gone) childIndex->byName.erase(it);
        }
        children.erase(
            std::find_if(children.begin(), children.end(), [&](const auto& c) { return c.get() == gone; }));
    }

    bool valuesMapped() const { return values.size() >= kValueMapFrom; }
    // The value a caller can name; lossy values are never it.
    Slot* slot(std::string_view valueName) {
        if (valuesMapped()) {
            auto it = valueIndex->byName.find(toLower(valueName));
            return it == valueIndex->byName.end() ? nullptr : &values[it->second];
        }
        for (Slot& s : values)
            if (!s.lossy && equalsIgnoreCase(s.value.name, valueName)) return &s;
        return nullptr;
    }
    // The lossy value a file names again.
    Slot* lossySlot(std::u16string_view valueUnits) {
        const std::u16string folded = winereg::foldedUnits(valueUnits);
        if (valuesMapped()) {
            auto it = valueIndex->lossyByName.find(folded);
            return it == valueIndex->lossyByName.end() ? nullptr : &values[it->second];
        }
        for (Slot& s : values)
            if (s.lossy && winereg::foldedUnits(s.units) == folded) return &s;
        return nullptr;
    }
    void indexSlot(std::size_t i) {
        const Slot& s = values[i];
        if (s.lossy)
            valueIndex->lossyByName.emplace(winereg::foldedUnits(s.units), i);
        else
            valueIndex->byName.emplace(toLower(s.value.name), i);
    }
    // Values are never removed, so the index only grows.
    void addSlot(Slot s) {
        values.push_back(std::move(s));
        if (values.size() == kValueMapFrom) {
            valueIndex = std::make_unique<Index<std::size_t>>();
            for (std::size_t i = 0; i < values.size(); ++i) indexSlot(i);
        } else if (values.size() > kValueMapFrom) {
            indexSlot(values.size() - 1);
        }
    }
};

WineHive::WineHive() : m_rootKey(std::make_unique<Key>()), m_now(clockTicks) {
    m_sections.emplace_back();
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
    hive.m_arch = "win32";
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
                std::vector<Name> names;
                const bool withinLimits = splitKeyPath(*path, names);
                Section section;
                // The header's own lines (the signature, the root comment) stay with the header
                // whatever key is deleted: only blank lines go with the first key.
                const bool afterHeader = m_sections.size() == 1;
                auto firstSpacer = last.items.end();
                while (firstSpacer != last.items.begin() &&
                       (afterHeader ? isBlank(*(firstSpacer - 1)) : isSpacer(*(firstSpacer - 1))))
                    --firstSpacer;
                for (auto it = firstSpacer; it != last.items.end(); ++it) section.lead += *it;
                last.items.erase(firstSpacer, last.items.end());
                section.header = std::string(line);
                m_sections.push_back(std::move(section));
                if (withinLimits) {
                    current = findOrCreate(names, nullptr);
                    current->sections.push_back(m_sections.size() - 1);
                } else {
                    // A key the registry cannot hold: the section stays as it is, of no key, so
                    // that no deletion takes it along.
                    current = nullptr;
                }
                at = lineEnd;
                continue;
            }
            current = nullptr;  // values after a bracket line that cannot be read belong to no key
        } else if (current && !content.empty() && (content.front() == '@' || content.front() == '"')) {
            winereg::ValueLineRead read = winereg::readValueLine(bytes, at);
            last.items.emplace_back(bytes.substr(at, read.end - at));
            if (read.value) {
                const std::size_t section = m_sections.size() - 1, item = last.items.size() - 1;
                // A name given twice takes the later data, as Wine's loader does, in the earlier place.
                Key::Slot* old =
                    read.nameLossy ? current->lossySlot(read.nameUnits) : current->slot(read.value->name);
                if (old) {
                    old->value.type = read.value->type;
                    old->value.data = read.value->data;
                    old->section = section;
                    old->item = item;
                } else {
                    current->addSlot({*read.value, section, item, read.nameLossy, std::move(read.nameUnits)});
                }
            }
            at = read.end;
            continue;
        } else if (m_sections.size() == 1 && m_root.empty() && startsWith(content, kRootComment)) {
            m_root = replaceAll(trimView(content.substr(kRootComment.size())), "\\\\", "\\");
        } else if (m_sections.size() == 1 && m_arch.empty() && startsWith(content, kArchOption)) {
            m_arch = std::string(trimView(content.substr(kArchOption.size())));
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
    const std::vector<std::string_view> parts = registryPathParts(path);
    if (parts.size() > kMaxDepth) return nullptr;
    Key* key = m_rootKey.get();
    for (std::string_view part : parts) {
        key = key->child(part);
        if (!key) return nullptr;
    }
    return key;
}

WineHive::Key* WineHive::findOrCreate(const std::vector<Name>& names, bool* created) {
    Key* key = m_rootKey.get();
    for (const Name& name : names) {
        Key* next = name.lossy ? key->lossyChild(name.units) : key->child(name.ansi);
        if (!next) {
            auto child = std::make_unique<Key>();
            child->name = name.ansi;
            child->lossy = name.lossy;
            child->units = name.units;
            child->parent = key;
            next = key->addChild(std::move(child));
            if (created) *created = true;
        }
        key = next;
    }
    return key;
}

std::size_t WineHive::addSection(Key& key) {
    std::vector<const Key*> chain;
    for (const Key* k = &key; k && k->parent; k = k->parent) chain.push_back(k);
    std::string path;
    for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
        if (!path.empty()) path += "\\\\";
        path += winereg::writeEscaped((*it)->lossy ? (*it)->units : winereg::ansiToUnits((*it)->name), "[]");
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

bool WineHive::setValue(std::string_view path, const RegValue& given) {
    Key* key = find(path);
    // The root is the key the header names (\Machine); its values would need a "[]" section that
    // Wine does not write.
    if (!key || key == m_rootKey.get()) return false;
    RegValue value = given;
    // NT's registry adds the terminating NUL that string data were given without (callers of the
    // ANSI calls often count only the characters), and only terminated strings keep Wine's quoted
    // form in the file.
    const bool stringType = value.type == regtype::kString || value.type == regtype::kExpandString ||
                            value.type == regtype::kMultiString;
    if (stringType && !value.data.empty() && value.data.back() != '\0') value.data.push_back('\0');
    if (Key::Slot* old = key->slot(value.name)) {
        // The registry keeps a value's name as first written when it is set again, and the line
        // keeps the name as the file spells it.
        old->value.type = value.type;
        old->value.data = std::move(value.data);
        std::string& line = m_sections[old->section].items[old->item];
        line = winereg::writeValueLine(old->value, m_newline, winereg::valueNameToken(line));
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
    const std::vector<std::string_view> parts = registryPathParts(path);
    if (parts.size() > kMaxDepth) return false;
    std::vector<Name> names;
    names.reserve(parts.size());
    for (std::string_view part : parts) {
        if (part.size() > kMaxNameLength) return false;
        names.push_back(Name{std::string(part), false, {}});
    }
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
        for (const auto& child : k->children) pending.push_back(child.get());
    }
    Key* parent = key->parent;
    parent->removeChild(key);
    // A parent that only the deleted key implied would vanish from the file with it.
    if (parent != m_rootKey.get() && parent->children.empty() && parent->sections.empty())
        addSection(*parent);
    return true;
}

}  // namespace tally
