#pragma once
// The search of each file's text for uses of the module-level variables (the PubVar rows), made by
// the call pass after reading a file: on the thread that read it (a Search each), with what it
// found taken in afterwards in file order.
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

// What the search of one file found, to be taken into the counts in file order.
struct FileVariableUses {
    std::vector<int> namesUsed;  // ids of the bare names the file uses
    // The file's own private variables, in row order.
    struct OwnRow {
        std::size_t row;
        bool used = false;       // used as " N "
        bool usedAgain = false;  // not so, but with its type character: " N$ "
        bool commented = false;  // named in a comment by either search
    };
    std::vector<OwnRow> ownRows;
};

class ModuleVariableScan {
public:
    // Indexes the PubVar rows of `model`; the rows must not change while the scan is in use.
    explicit ModuleVariableScan(ProjectModel& model);

    // The search of files, one per thread; it reads the scan's tables, which must outlive it.
    class Search {
    public:
        explicit Search(const ModuleVariableScan& scan);
        // Searches one file's text (lines ending in CR LF, or every one in LF) for uses of every
        // module-level variable.
        void run(std::string_view text, std::string_view path, FileVariableUses& uses);

    private:
        const ModuleVariableScan& m_scan;
        ModuleVariableOccurrences m_occurrences;
        std::vector<char> m_resultKnown, m_resultUsed, m_resultComment;  // per name id, this file only
    };

    // Takes in what the search of the next file found: counts the names it uses, and appends a
    // UnVar row for each private variable of that file that it does not use.
    void takeIn(const FileVariableUses& uses);
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
    // The private rows of each declaring path, in row order.
    std::unordered_map<std::string, std::vector<std::size_t>> m_privateRowsByPath;

    int m_scans = 0;
    std::vector<int> m_filesUsingName;    // per name id: scans in which it was used
    std::vector<int> m_ownFilesNotUsing;  // per private row: scans of its own file that did not use it
    std::vector<char> m_usedInOwnFile;    // per row
};

}  // namespace tally
