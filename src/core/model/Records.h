#pragma once
// The fixed records of the project model. Text fields hold Windows-1252 bytes.

#include <cstdint>
#include <string>

#include "core/model/CallsList.h"
#include "core/model/CompactText.h"
#include "core/model/SharedText.h"

namespace tally {

// Routine kind codes; the values are stored in scan files.
enum RoutineKind : int {
    kKindFunction = 0,
    kKindSub = 6,
    kKindDllSub = 12,
    kKindDllFunction = 18,
    kKindPropertyGet = 24,
    kKindPropertyLet = 30,
    kKindControl = 36,
    kKindPropertySet = 72,
};

// Scope codes of a routine.
enum ScopeCode : int { kScopeNone = 0, kScopePrivate = 3, kScopePublic = 5, kScopeFriend = 20 };

// Problem flags of a routine, combined by addition.
enum ProblemFlag : int {
    kProblemOldStyle = 1,
    kProblemUnusedVariable = 2,
    kProblemUntypedVariable = 4,
    kProblemNoReturnType = 8,
    kProblemCalledByDeadOnly = 16,
};

// Type kinds of a `Types` row.
enum TypeKind : int { kTypeUnknown = 0, kTypeVariable = 1, kTypeObject = 2, kTypeUdt = 3, kTypeEnum = 4 };

// Control kinds of a `Controls` row.
enum ControlKind : int { kControlDesigner = 36, kControlEventSource = 48 };

// One source file named in the project file.
struct FileRec {
    std::string name;
    std::string path;
    double scanned = 0.0;  // OLE date: days since 1899-12-30, local time
    std::int32_t size = 0;
    bool hasFrx = false;

    bool operator==(const FileRec&) const = default;
};

// One routine, DLL declaration or control event routine.
struct SubRec {
    // The fields are ordered so that the row has no gaps: a big project has a hundred thousand.
    std::string name;
    int kind = 0;
    int scope = 0;
    CompactText file;  // file name without directory
    CompactText returnType;
    std::int32_t timesCalled = 0;
    std::int32_t lineCount = 0;
    SharedText calledBy;   // entries "name - file - line\x01"; namesakes share one list
    CallsList calls;       // entries "name - file\x01"; the routines of one name in a file share one
    CompactText params;
    std::int32_t problems = 0;
    bool oldStyle = false;
    bool isEvent = false;
    bool checked = false;

    bool operator==(const SubRec&) const = default;
};

// One control of a designer block, or a WithEvents variable, event or implemented interface.
struct ControlRec {
    std::string name;
    int controlKind = 0;

    bool operator==(const ControlRec&) const = default;
};

// One variable, constant, parameter or type element (rows of DecVar, UnVar and PubVar).
struct VarRec {
    CompactText name;
    CompactText scope;
    int ownerKind = 0;  // not stored in scan files
    CompactText file;
    std::int32_t filesNotUsing = 0;
    bool isConst = false;
    bool commented = false;
    bool checked = false;
    // A DecVar row that added one to the "No Type" use count; derived, not stored in scan files.
    bool countedAsNoType = false;

    // Empties the row in place (the row keeps its index).
    void blank() { *this = VarRec{}; }
    bool operator==(const VarRec&) const = default;
};

// One type name met in declarations.
struct TypeRec {
    std::string name;
    int typeKind = 0;
    std::int32_t uses = 0;

    bool operator==(const TypeRec&) const = default;
};

// One name the code view colours, with its RGB colour (255 is pure red).
struct MarkRec {
    std::string name;
    std::uint32_t colour = 0;

    bool operator==(const MarkRec&) const = default;
};

// One row of the Spell Check list. A big project has hundreds of thousands of them, mostly short
// texts and empty fields, hence the compact texts.
struct SpellRow {
    CompactText file;           // "File": file name on a file's first row, " " after it
    CompactText routine;        // "Control/Routine"
    CompactText label;          // "Variable/Property"
    CompactText value;          // "Value/Caption"
    CompactText corrected;      // "Corrected Text"
    CompactText icon;           // icon key, empty when none
    bool checked = false;       // not stored in scan files

    bool operator==(const SpellRow&) const = default;
};

}  // namespace tally
