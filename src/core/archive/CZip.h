#pragma once
// cZip: one archive run as the dialogs set it up (the archive, the options, the file
// patterns) and handed to an archiver, whose events come back through the handlers set here.

#include <string>
#include <vector>

#include "core/archive/Archiver.h"

namespace tally {

class CZip {
public:
    // Folders are dropped from entry names, no directory entries, no recursion; the rest off.
    CZip() = default;

    std::string zipFile;
    ZipOptions options;
    ZipEvents events;

    // MessageLevel: 0 verbose, 1 quiet, 2 silent; other numbers are taken as 2.
    void setMessageLevel(int level) { options.messageLevel = level == 0 || level == 1 ? level : 2; }
    int messageLevel() const { return options.messageLevel; }

    void clearFileSpecs() { m_specs.clear(); }
    void addFileSpec(std::string spec) { m_specs.push_back(std::move(spec)); }
    int fileSpecCount() const { return static_cast<int>(m_specs.size()); }
    // File pattern `index`, counted from 1; empty outside the list.
    std::string fileSpec(int index) const;
    const std::vector<std::string>& fileSpecs() const { return m_specs; }

    // Zip: stores the specified files. Delete: removes their entries instead.
    Outcome zip(Archiver& archiver) const;
    Outcome deleteEntries(Archiver& archiver) const;

private:
    std::vector<std::string> m_specs;
};

}  // namespace tally
