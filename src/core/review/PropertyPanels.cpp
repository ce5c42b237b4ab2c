#include "core/review/PropertyPanels.h"

#include <cstdio>

#include "core/model/OleDate.h"
#include "core/model/TypeCharacters.h"
#include "core/os/FileFacts.h"
#include "core/project/PathOps.h"
#include "core/os/RegularFile.h"
#include "core/review/RoutineFacts.h"
#include "core/text/TextOps.h"

namespace tally {

namespace {

constexpr char kEntryEnd = '\x01';

PanelRow boldRow(std::string text, std::vector<std::string> subItems = {}, std::string icon = {},
                 std::string key = {}) {
    return PanelRow{std::move(text), std::move(subItems), std::move(icon), true, std::move(key)};
}

PanelRow plainRow(std::string text, std::vector<std::string> subItems = {}, std::string icon = {}) {
    return PanelRow{std::move(text), std::move(subItems), std::move(icon), false, {}};
}

std::string_view kindWord(int kind) {
    switch (kind) {
        case kKindFunction: return "Function ";
        case kKindSub: return "Sub ";
        case kKindDllSub: return "DLL Sub Call ";
        case kKindDllFunction: return "DLL Function Call ";
        case kKindPropertyGet: return "Property Get";
        case kKindPropertyLet: return "Property Let";
        case kKindControl: return "Control ";
        case kKindPropertySet: return "Property Set";
        default: return {};
    }
}

std::string_view scopeWord(int scope, bool globalSlot) {
    switch (scope) {
        case kScopePrivate: return "Private ";
        case kScopePublic: return "Public ";
        case kScopeFriend: return "Friend ";
        default: return globalSlot ? "Global " : "";
    }
}

std::vector<std::string> entriesOf(std::string_view list) {
    std::vector<std::string> entries;
    for (std::string& entry : split(list, std::string_view(&kEntryEnd, 1)))
        if (entry.size() >= 2) entries.push_back(std::move(entry));
    return entries;
}

std::vector<PanelRow> propertyRows(const SubRec& r, bool globalSlot) {
    std::vector<PanelRow> rows;
    rows.push_back(boldRow("Problems"));
    static constexpr std::pair<int, std::string_view> kProblemTexts[] = {
        {kProblemOldStyle, "Old style type declaration."},
        {kProblemUnusedVariable, "Variables declared but not used."},
        {kProblemUntypedVariable, "Variables with no type declaration."},
        {kProblemNoReturnType, "Function with no return type."},
        {kProblemCalledByDeadOnly, "Called by dead only."},
    };
    std::size_t before = rows.size();
    for (const auto& [flag, text] : kProblemTexts)
        if (r.problems & flag) rows.push_back(plainRow(std::string(text)));
    if (r.lineCount == 0) rows.push_back(plainRow("Empty routine."));
    if (r.kind < kKindPropertyGet && r.timesCalled == 0 && !isNonPrivateClassRoutine(r))
        rows.push_back(plainRow("Never called."));
    if (rows.size() == before) rows.push_back(plainRow("None"));

    rows.push_back(boldRow("Routine Properties"));
    rows.push_back(plainRow("Type: " + std::string(scopeWord(r.scope, globalSlot)) + std::string(kindWord(r.kind))));
    rows.push_back(plainRow("Return: " + r.returnType));
    rows.push_back(plainRow("Lines of Code: " + std::to_string(r.lineCount)));
    rows.push_back(plainRow("Times Called: " + std::to_string(r.timesCalled)));
    return rows;
}

std::vector<PanelRow> dependencyRows(const SubRec& r) {
    std::vector<PanelRow> rows;
    rows.push_back(boldRow("Called By", {"File", "Line"}, "func", "calledby"));
    for (const std::string& entry : entriesOf(r.calledBy)) {
        std::vector<std::string> parts = split(entry, " - ");
        std::string file = parts.size() > 1 ? trim(parts[1]) : std::string();
        std::string line = parts.size() > 2 ? trim(parts[2]) : std::string();
        rows.push_back(plainRow(trim(parts[0]), {file, line}, "sub"));
    }
    rows.push_back(boldRow("It Calls", {"File"}, "func", "itcalls"));
    for (const std::string& entry : entriesOf(r.calls.text())) {
        std::vector<std::string> parts = split(entry, " - ");
        std::string file = parts.size() > 1 ? trim(parts[1]) : std::string();
        rows.push_back(plainRow(trim(parts[0]), {file}, "sub"));
    }
    return rows;
}

}  // namespace

RoutineLookup findListedRoutine(const ProjectModel& model, int fileRow, std::string_view entryText) {
    std::string name(entryText);
    int propertyKind = -1;
    if (!name.empty() && isTypeCharacter(name.back())) name.pop_back();
    if (!name.empty() && name.back() == ']') {
        propertyKind = contains(name, "[Get]") ? kKindPropertyGet : contains(name, "[Let]") ? kKindPropertyLet
                                                                                          : kKindPropertySet;
        std::size_t marker = name.rfind(" [");
        if (marker != std::string::npos) name.erase(marker);
    }
    std::string fileName = fileRow > 0 && fileRow < model.fileCount() ? fileNameOf(model.files[fileRow].path) : "";
    auto search = [&](int slot, bool checkFile) -> RoutineLookup {
        if (slot < 0 || slot >= static_cast<int>(model.subs.size())) return {};
        const std::vector<SubRec>& routines = model.subs[slot];
        for (int p = 0; p < static_cast<int>(routines.size()); ++p) {
            const SubRec& r = routines[p];
            if (r.name == name && (propertyKind < 0 || r.kind == propertyKind) && (!checkFile || r.file == fileName))
                return RoutineLookup{true, slot, p};
        }
        return {};
    };
    RoutineLookup found = fileRow > 0 ? search(fileRow, false) : RoutineLookup{};
    return found.found ? found : search(0, true);
}

RoutinePanels routinePanels(const ProjectModel& model, int slot, int position) {
    RoutinePanels panels;
    if (slot < 0 || slot >= static_cast<int>(model.subs.size()) || position < 0 ||
        position >= static_cast<int>(model.subs[slot].size()))
        return panels;
    const SubRec& r = model.subs[slot][position];
    panels.properties = propertyRows(r, slot == 0);
    panels.dependencies = dependencyRows(r);
    panels.parameters = parameterRows(r.params);
    return panels;
}

std::vector<PanelRow> parameterRows(std::string_view params) {
    // Commas inside a default value's literal ("Widget, Mark") do not start another parameter.
    std::vector<PanelRow> rows;
    for (std::string_view part : splitOutsideLiterals(params, ',')) {
        if (part.empty()) continue;
        std::string text(part);
        std::size_t as = toLower(text).find(" as ");
        if (as != std::string::npos)
            rows.push_back(plainRow(trim(text.substr(0, as)), {trim(text.substr(as + 4))}, "var"));
        else
            rows.push_back(plainRow(trim(text), {""}, "var1"));
    }
    return rows;
}

std::string formatPanelDate(double oleDate) {
    DateTimeParts p = oleToParts(oleDate);
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d %02d:%02d:%02d", p.year, p.month, p.day, p.hour, p.minute,
                  p.second);
    return buffer;
}

std::vector<PanelRow> fileProperties(const ProjectModel& model, int fileRow, const NumberLocale& locale) {
    std::vector<PanelRow> rows;
    if (fileRow <= 0 || fileRow >= model.fileCount()) return rows;
    const FileRec& file = model.files[fileRow];
    const FileCheck check = checkReadableFile(file.path);
    bool present = check.ok() || check.refusal == FileRefusal::TooLarge;
    // Something that is there but is no source says what it is instead of "not found".
    const std::string gone = check.refusal == FileRefusal::Missing ? "(file not found)" : "(" + refusalPhrase(check) + ")";
    rows.push_back(boldRow("File Properties"));
    rows.push_back(plainRow("Path: " + file.path));
    rows.push_back(plainRow("Scanned: " + formatPanelDate(file.scanned)));
    rows.push_back(plainRow("Current: " + (present ? formatPanelDate(fileModifiedOle(file.path)) : gone)));
    rows.push_back(plainRow("Scanned Size: " + formatSizeKb(file.size, locale)));
    rows.push_back(plainRow("Current Size: " + (present ? formatSizeKb(fileLength(file.path), locale) : gone)));
    return rows;
}

}  // namespace tally
