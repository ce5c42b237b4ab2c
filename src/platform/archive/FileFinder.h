#pragma once
// Turns the patterns of a zip run into the files to store. A pattern is a path, or a
// wildcard in its file-name part ("Forms\*.frm"); relative ones start from the base folder (the
// working folder when there is none). A wildcard matches in its folder, and with recursion in every
// folder below; a folder named on its own stands for all its files. Hidden names (".git") are
// matched only when asked for; a file named outright is taken even when hidden.

#include <string>
#include <vector>

#include "core/os/SystemFiles.h"

namespace tally::archive {

struct FoundFile {
    std::string path;       // absolute, tidied, "/" between names, spelled as the disk lists it
    sys::EntryFacts facts;  // what a look at it found, links followed
};

struct FindRules {
    std::string basePath;
    bool recurse = false;
    bool hidden = false;
};

struct FoundFiles {
    std::vector<FoundFile> files;    // in the order found; a file two patterns match comes once
    std::vector<std::string> notes;  // a line for each pattern that gave no file, and why
};

FoundFiles findFiles(const std::vector<std::string>& patterns, const FindRules& rules);

}  // namespace tally::archive
