#pragma once
// The state of the declaration pass: what it knows about the file being read and what carries over
// from one file to the next.

#include <cstdint>
#include <string>
#include <vector>

#include "core/parser/ControlNames.h"
#include "core/parser/DeclaredNames.h"
#include "core/parser/FileStatistics.h"
#include "core/parser/GatheredRows.h"
#include "core/parser/ParseContext.h"
#include "core/parser/RoutineText.h"
#include "core/parser/TypeNotes.h"
#include "core/os/FileFacts.h"

namespace tally {

class RoutineChecks;

struct DeclarationState {
    explicit DeclarationState(ParseContext& context)
        : ctx(context), model(context.model), types(context.model), controls(context.model) {}

    ParseContext& ctx;
    ProjectModel& model;
    TypeNotes types;
    ControlNames controls;
    // The variable rows and type notes met since the last routine was handed to the checks; they
    // join the model through the checks, in order (see RoutineChecks).
    GatheredRows rows;
    RoutineChecks* checks = nullptr;

    // Progress: characters read so far and the size of all existing files.
    long long runningTotal = 0;
    long long totalSize = 0;
    // What the disk said about each Files row at the start of the pass, by row.
    std::vector<PathStatus> fileStatus;
    // Declare statements of the whole project.
    std::int32_t dllDeclarations = 0;
    // When set, the object libraries of "Object = " lines are noted here instead of being added to
    // the tree: a file read apart from the others leaves the tree to the reading thread.
    std::vector<std::string>* deferredLibraries = nullptr;
    // One row per file read to its end, in file order.
    std::vector<FileStatistics> statistics;

    // The file being read; reset by startFile().
    int fileRow = 0;
    std::string path;
    std::string fileName;
    FileStatistics current;
    std::int32_t beginLines = 0;  // "Begin " lines: the form and its controls
    bool routinesStarted = false;
    bool inTypeBlock = false;
    std::string typeName;
    bool firstRowOfFile = true;
    bool firstRowOfRoutine = true;
    bool frxRead = false;
    // Open "Begin " blocks of the designer (nested controls counted); the declarations-section tests
    // stay off while one is open.
    int designerDepth = 0;

    // Carried over between files: a file that ends inside a routine leaves the next one in it.
    bool inRoutine = false;
    // Set at every "Begin " line, cleared only by a routine header.
    bool inDesignerBlock = false;
    int routineKind = 0;
    std::string routineName;
    // The open routine's logical lines from its header on, each followed by CR LF.
    RoutineText routineText;
    std::int32_t routineLines = 0;
    // Room kept from routine to routine for recording one: a header joined from continuation lines,
    // and the names of its parameters.
    std::string joinedHeader;
    DeclaredNames parameters;

    void startFile(int row, std::string_view filePath);
    // Code lines count only inside a routine body, not in a designer block.
    bool inRoutineBody() const { return inRoutine && !inDesignerBlock; }
};

}  // namespace tally
