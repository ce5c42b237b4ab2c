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

    void clearFileSpecs() { m_fileList.clear(); }
    void addFileSpec(std::string pathOrPattern) { m_fileList.push_back(std::move(pathOrPattern)); }
    int fileSpecCount() const { return static_cast<int>(m_fileList.size()); }
    // File pattern `index`, counted from 1; empty outside the list.
    std::string fileSpec(int index) const;
    const std::vector<std::string>& fileSpecs() const { return m_fileList; }

    // Zip: stores the specified files. Delete: removes their entries instead.
    Outcome zip(Archiver& archiver) const;
    Outcome deleteEntries(Archiver& archiver) const;

private:
    std::vector<std::string> m_fileList;
};

}  // namespace tally
