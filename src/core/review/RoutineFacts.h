#pragma once
// Texts and tests about routines and variables that the review lists, the problem marks and the
// property panels share.

#include <string>
#include <string_view>
#include <unordered_set>

#include "core/model/ProjectModel.h"

namespace tally {

// "Function", "Sub Routine", "DLL Sub Call", ... as the review lists show a kind; empty if unknown.
std::string_view reviewTypeText(int kind);
// "func", "sub", "dll", "prop" or "control"; empty for an unknown kind.
std::string_view reviewIconKey(int kind);
// " [Get]", " [Let]" or " [Set]" for property procedures; empty otherwise.
std::string_view propertyMarker(int kind);
// The type character that stands for an old-style routine's return type ("#" for Double); empty
// when the routine is not old style or its type has no character.
std::string oldStyleSuffix(const SubRec& routine);
// A routine other than Private in a class module: callers outside the project may use it.
bool isNonPrivateClassRoutine(const SubRec& routine);
// "Public" and the five "Private ... Level" texts: the scope of a module-level variable.
bool isModuleLevelScope(std::string_view scope);

// Tells whether a routine name is an event handler: the part before its last "_" is "Form",
// "UserControl", "Class" or the name of any Controls row.
class EventHandlerTest {
public:
    explicit EventHandlerTest(const ProjectModel& model);
    bool isHandler(std::string_view routineName) const;

private:
    std::unordered_set<std::string> m_sources;
};

}  // namespace tally
