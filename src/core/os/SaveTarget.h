#pragma once
// What saving at a path would do to what is already there, decided before anything is written: a
// device, FIFO, socket or folder (also behind a link) is never replaced, a link is written through
// to the regular file it names, and a read-only, hard-linked or foreign-owned file is saved over
// only when the user agreed.

#include <string>
#include <string_view>
#include <vector>

#include "core/os/SystemFiles.h"

namespace tally {

// What one look at a save target found.
struct SaveTarget {
    std::string writePath;      // the file that takes the bytes: the link's final target for a link
    bool exists = false;        // a regular file is there (through links)
    std::string refusal;        // not empty: the save must not go ahead, and why ("is a FIFO; ...")
    int refusalError = 0;       // the system error number nearest to the refusal
    bool readOnly = false;      // its mode grants no write to this user (the superuser included)
    unsigned mode = 0;          // the permission bits of an existing file
    long long hardLinks = 1;    // names the existing file has
    bool ownerChanges = false;  // the saved file would belong to this user, not to the file's owner
    sys::EntryFacts facts;      // all the look found about an existing file (the saved file takes its access)
};

// Looks at `path` (following links) and says whether and where a save may write.
SaveTarget inspectSaveTarget(std::string_view path);

// What the user must agree to before `target` is saved over, one sentence each: that it is
// read-only, that its hard links will no longer share the saved file, that its owner changes.
// Empty when nothing is lost by saving.
std::vector<std::string> saveCautions(std::string_view path, const SaveTarget& target);

}  // namespace tally
