#pragma once
// The single in-memory description of an analysed project: its tables, the project tree and the
// values kept with them. Exactly one is live in a program; readers replace its contents, the passes
// fill it, views read it.

#include <string>
#include <string_view>
#include <vector>

#include "core/model/ProjectTree.h"
#include "core/model/Records.h"

namespace tally {

inline constexpr std::string_view kApplicationTitle = "Tallyscan 6";
inline constexpr std::string_view kNoTypeName = "No Type";

class ProjectModel {
public:
    // Row 0 stays empty; FileCount is files.size() (0 for no project, 2 for a one-file project).
    std::vector<FileRec> files;
    // One slot per Files row: slot 0 holds the project-wide routines, slot i those of Files row i.
    std::vector<std::vector<SubRec>> subs;
    std::vector<ControlRec> controls;
    std::vector<VarRec> decVar;
    std::vector<VarRec> unVar;
    std::vector<VarRec> pubVar;
    // Empty until a type is first noted; from then on row 0 is the "No Type" row.
    std::vector<TypeRec> types;
    std::vector<MarkRec> marks;
    std::vector<SpellRow> spell;
    ProjectTree tree;

    std::string projectPath;
    std::string projectDir;  // ends in a separator
    std::string scanFilePath;
    std::string caption;  // the main window caption the project gives
    bool scanChanged = false;
    double parseStart = 0.0;  // OLE date
    double parseTime = 0.0;   // days

    int fileCount() const { return static_cast<int>(files.size()); }
    int subCount(int slot) const;
    // The largest SubCount over all slots.
    int largestSlotCount() const;

    // Empties every table except Files and the tree, and keeps one empty slot per Files row.
    void reset();
    // Empties everything: tables, tree and values.
    void clear();

    // Appends a Files row (creating the empty row 0 first) and its slot; returns the new row index.
    int addFile(FileRec rec);
    // Index of the first row whose Path equals `path` exactly; 0 when there is none.
    int fileRowOf(std::string_view path) const;

    // Appends a routine to a slot and returns it.
    SubRec& addRoutine(int slot, SubRec rec);

    // The Types table, created with its "No Type" row 0 on first use.
    std::vector<TypeRec>& ensureTypes();
};

}  // namespace tally
