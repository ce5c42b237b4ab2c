#pragma once
// The search of each file's text for uses of the module-level variables (the PubVar rows), made by
// the call pass after reading a file.
//
// For every variable and every file it decides whether the file uses the variable. A file that does
// not counts towards the variable's FilesNotUsing, except for a private variable in its own file:
// there an unused variable becomes a UnVar row at once (searched once more with its type character
// when it has one). The result of the search depends only on the bare name and the text, so it is
// worked out once per name that occurs in the file; names that do not occur are not used, and their
// FilesNotUsing is settled by counting rather than row by row.

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "core/model/ProjectModel.h"
#include "core/parser/ModuleVariableOccurrences.h"
#include "core/support/NameTrie.h"

namespace tally {

class ModuleVariableScan {
public:
    // Indexes the PubVar rows of `model`; the rows must not change while the scan is in use.
    explicit ModuleVariableScan(ProjectModel& model);

    // Searches one file's text (lines ending in CR LF, or every one in LF) for uses of every
    // module-level variable, and
    // appends a UnVar row for each private variable of this file that the file does not use.
    void scanFile(std::string_view text, std::string_view path);
    // Adds the counts of the files scanned so far to FilesNotUsing of every PubVar row. Call once.
    void storeFilesNotUsing();

    // Whether the PubVar row is a private variable that its own file uses.
    bool usedInOwnFile(std::size_t row) const { return m_usedInOwnFile[row] != 0; }

private:
    struct Row {
        int name;     // id of the bare name
        char suffix;  // its type-declaration character, or 0
        bool isPrivate;
    };

    ProjectModel& m_model;
    std::vector<Row> m_rows;
    NameTrie m_forward, m_backward;
    ModuleVariableOccurrences m_occurrences;
    // The private rows of each declaring path, in row order.
    std::unordered_map<std::string, std::vector<std::size_t>> m_privateRowsByPath;

    int m_scans = 0;
    std::vector<int> m_filesUsingName;    // per name id: scans in which it was used
    std::vector<int> m_ownFilesNotUsing;  // per private row: scans of its own file that did not use it
    std::vector<char> m_usedInOwnFile;    // per row
    std::vector<char> m_resultKnown, m_resultUsed, m_resultComment;  // per name id, this file only
};

}  // namespace tally
