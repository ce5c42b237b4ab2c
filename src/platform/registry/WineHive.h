#pragma once
// One of Wine's registry files (system.reg, user.reg, userdef.reg) as keys and values, holding on to
// the file's own text. Reading and writing back a file gives the same bytes; a change re-renders
// only the value line it touches, adds a line or a key section at the end, or drops the sections of
// deleted keys, so that Wine and the user find the rest of the file as they left it.
//
// Keys are found by their path below the file's root ("Software\Classes\.txt", any ASCII case);
// key names and string data are ANSI (Windows-1252) bytes. A section names its key in full, the keys
// above it exist without sections of their own, and a key may have more than one section.
//
// As through the registry's ANSI calls, a key or value whose name holds characters Windows-1252
// lacks is listed with '?' for them but cannot be found by any name: it would otherwise merge with
// its look-alikes (any two Cyrillic names of three letters are both "???"), and a change would land
// on the wrong one.
//
// Keys deeper than 512 levels or with names past 255 characters, which Windows cannot hold, stay
// unread text that belongs to no key.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/registry/RegistryStore.h"

namespace tally {

class WineHive {
public:
    // A hive with no text at all (a file of no bytes).
    WineHive();
    ~WineHive();
    WineHive(WineHive&&) noexcept;
    WineHive& operator=(WineHive&&) noexcept;

    // Reads a file's bytes; whatever cannot be read is kept as text and otherwise passed over.
    static WineHive parse(std::string_view bytes);
    // The start of a file Wine would write for keys below `root` (as in "\User\S-1-5-21-0-0-0-1000").
    static WineHive fresh(std::string_view root);

    std::string serialize() const;

    // The file starts as Wine's registry files start; a file that does not is no registry file.
    bool hasSignature() const { return m_signed; }
    // The root the header comment names ("\Machine"); empty when there is none.
    const std::string& root() const { return m_root; }
    // What the header's "#arch=" line says ("win32", "win64"); empty when it has none.
    const std::string& arch() const { return m_arch; }

    bool hasKey(std::string_view path) const;
    std::optional<std::vector<std::string>> subkeys(std::string_view path) const;
    std::optional<std::vector<RegValue>> values(std::string_view path) const;
    std::optional<RegValue> value(std::string_view path, std::string_view name) const;

    // Sets a value of an existing key (a value of the same name keeps its name and place); false
    // when the key is missing or is the root. String data that do not end in a NUL get one, as NT's
    // registry adds it.
    bool setValue(std::string_view path, const RegValue& value);
    // Creates the key and the keys above it; false when it existed already (nothing changed) or the
    // path is past the registry's limits.
    bool createKey(std::string_view path);
    // Deletes the key and every key below it; false when it is missing or is the root.
    bool deleteKey(std::string_view path);

    // The time new sections are stamped with, in FILETIME units (100 ns since 1601); the clock by
    // default. For tests that compare whole files.
    void setClock(std::function<std::uint64_t()> now) { m_now = std::move(now); }

    // The registry's limits: key names of at most 255 characters, at most 512 levels of keys.
    static constexpr std::size_t kMaxNameLength = 255;
    static constexpr std::size_t kMaxDepth = 512;

    struct Key;
    struct Section;
    struct Name;

private:
    Key* find(std::string_view path) const;
    Key* findOrCreate(const std::vector<Name>& names, bool* created);
    std::size_t addSection(Key& key);
    void readLines(std::string_view bytes);

    std::vector<Section> m_sections;  // the first one is the text before any key section
    std::unique_ptr<Key> m_rootKey;
    std::string m_newline = "\n";
    std::string m_root;
    std::string m_arch;
    bool m_signed = false;
    std::function<std::uint64_t()> m_now;
};

}  // namespace tally
