#pragma once
// One hive file of a Wine registry folder as the store uses it: read when first needed, read again
// whenever the file on disk is no longer the one that was read (Wine or the user changed it), and
// written back whole and atomically after each change. Not for use from several threads at once
// (the store serializes its callers).

#include <string>

#include "platform/registry/WineHive.h"

namespace tally {

class WineHiveFile {
public:
    // `root` is the key the file's keys are relative to, for a file written from scratch.
    WineHiveFile(std::string path, std::string root);

    // The hive as the file holds it now; empty when the file is missing or unreadable.
    const WineHive& current();
    // The hive to change, or nothing when the file must not be written: it exists but could not be
    // read, or is no registry file (writing would lose what it holds).
    WineHive* forChange();
    // Writes the changed hive, creating the folder when missing; false when that fails, and then the
    // change is forgotten and the file read again next time.
    bool save();
    // Forgets a change that is not to be written: the file is read again next time.
    void discard() { m_loaded = false; }

    const std::string& path() const { return m_path; }

private:
    struct Stamp {
        bool present = false;
        long long size = 0, seconds = 0, nanoseconds = 0;
        unsigned long long device = 0, inode = 0;
        bool operator==(const Stamp&) const = default;
    };
    Stamp look() const;
    void load();

    std::string m_path;
    std::string m_root;
    WineHive m_hive;
    Stamp m_stamp;
    bool m_loaded = false;
    bool m_writable = true;
};

}  // namespace tally
