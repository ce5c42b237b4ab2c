#include "core/review/RoutineFacts.h"

#include "core/model/TypeCharacters.h"
#include "core/text/TextOps.h"

namespace tally {

namespace {
struct KindText {
    int kind;
    std::string_view typeText;
    std::string_view icon;
};
constexpr KindText kKindTexts[] = {
    {kKindFunction, "Function", "func"},        {kKindSub, "Sub Routine", "sub"},
    {kKindDllSub, "DLL Sub Call", "dll"},       {kKindDllFunction, "DLL Function Call", "dll"},
    {kKindPropertyGet, "Property Get", "prop"}, {kKindPropertyLet, "Property Let", "prop"},
    {kKindPropertySet, "Property Set", "prop"}, {kKindControl, "Control", "control"},
};

const KindText* kindText(int kind) {
    for (const KindText& entry : kKindTexts)
        if (entry.kind == kind) return &entry;
    return nullptr;
}
}  // namespace

std::string_view reviewTypeText(int kind) {
    const KindText* entry = kindText(kind);
    return entry ? entry->typeText : std::string_view();
}

std::string_view reviewIconKey(int kind) {
    const KindText* entry = kindText(kind);
    return entry ? entry->icon : std::string_view();
}

std::string_view propertyMarker(int kind) {
    switch (kind) {
        case kKindPropertyGet: return " [Get]";
        case kKindPropertyLet: return " [Let]";
        case kKindPropertySet: return " [Set]";
        default: return {};
    }
}

std::string oldStyleSuffix(const SubRec& routine) {
    if (!routine.oldStyle) return {};
    char c = characterOfType(routine.returnType);
    return c ? std::string(1, c) : std::string();
}

bool isNonPrivateClassRoutine(const SubRec& routine) {
    return routine.scope != kScopePrivate && endsWith(toLower(routine.file), ".cls");
}

bool isModuleLevelScope(std::string_view scope) {
    return scope == "Public" || scope == "Private Form Level" || scope == "Private Module Level" ||
           scope == "Private Class Level" || scope == "Private Control Level" || scope == "Private Page Level";
}

EventHandlerTest::EventHandlerTest(const ProjectModel& model) {
    m_sources = {"Form", "UserControl", "Class"};
    for (const ControlRec& control : model.controls) m_sources.insert(control.name);
}

bool EventHandlerTest::isHandler(std::string_view routineName) const {
    std::size_t underscore = routineName.rfind('_');
    if (underscore == std::string_view::npos) return false;
    return m_sources.count(std::string(routineName.substr(0, underscore))) > 0;
}

}  // namespace tally
