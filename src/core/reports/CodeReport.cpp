#include "core/reports/CodeReport.h"

#include <algorithm>
#include <vector>

#include "core/reports/ColumnCells.h"
#include "core/reports/ReportHead.h"
#include "core/reports/RtfAscii.h"
#include "core/reports/RtfBuilders.h"
#include "core/review/RoutineFacts.h"
#include "core/text/TextOps.h"

namespace tally {

namespace {

struct SectionRow {
    std::vector<std::string> values;
    bool commented = false;
};

struct Section {
    std::string_view heading;
    std::vector<std::string_view> columns;
    std::vector<SectionRow> rows;
};

template <typename Visit>
void forEachRoutine(const ProjectModel& model, Visit visit) {
    int slots = std::min(model.fileCount(), static_cast<int>(model.subs.size()));
    for (int slot = 0; slot < slots; ++slot)
        for (const SubRec& routine : model.subs[slot]) visit(routine);
}

// The longest routine or file name, by character count; the first met wins a tie.
std::string longestRoutineText(const ProjectModel& model) {
    std::string longest;
    forEachRoutine(model, [&](const SubRec& r) {
        if (r.name.size() > longest.size()) longest = r.name;
        if (r.file.size() > longest.size()) longest = r.file;
    });
    return longest;
}

bool isCallable(int kind) {
    return kind == kKindFunction || kind == kKindSub || kind == kKindDllSub || kind == kKindDllFunction;
}

bool isProperty(int kind) {
    return kind == kKindPropertyGet || kind == kKindPropertyLet || kind == kKindPropertySet;
}

template <typename Include>
Section routineSection(const ProjectModel& model, std::string_view heading, std::string_view nameColumn,
                       Include include) {
    Section section{heading, {nameColumn, "File"}, {}};
    forEachRoutine(model, [&](const SubRec& r) {
        if (include(r)) section.rows.push_back({{r.name, r.file}});
    });
    return section;
}

Section variableSection(const std::vector<VarRec>& table, std::string_view heading, bool markCommented) {
    Section section{heading, {"Variable Name", "Routine", "File"}, {}};
    for (const VarRec& var : table)
        if (!trimView(var.name).empty())
            section.rows.push_back({{var.name, var.scope, var.file}, markCommented && var.commented});
    return section;
}

Section unusedTypeSection(const ProjectModel& model) {
    static constexpr std::string_view kKindWords[] = {"Unknown", "Variable", "Object", "Type", "Enum"};
    Section section{"Unused Types and Enums", {"Type Name", "Type"}, {}};
    for (const TypeRec& type : model.types) {
        if (type.uses != 0 || type.name.empty()) continue;
        int kind = type.typeKind >= 0 && type.typeKind <= 4 ? type.typeKind : 0;
        section.rows.push_back({{type.name, std::string(kKindWords[kind])}});
    }
    return section;
}

std::string writeSection(const Section& section, const ColumnCells& cells) {
    std::string out = rtfParagraph(section.heading, kRtfDarkBlue, false, true) + rtfLineEnd();
    std::string headings;
    for (std::size_t i = 0; i + 1 < section.columns.size(); ++i) headings += cells.cell(section.columns[i]);
    out += rtfRun(headings, kRtfDarkGreen, false, false);
    out += section.columns.back();
    out += rtfLineEnd() + rtfRun("", kRtfBlack, false, false);
    for (const SectionRow& row : section.rows) {
        if (row.commented) out += "[Commented]" + rtfLineEnd();
        for (std::size_t i = 0; i + 1 < row.values.size(); ++i) out += cells.cell(row.values[i]);
        out += rtfEscape(row.values.back()) + rtfLineEnd();
    }
    return out;
}

}  // namespace

ReportDocument buildCodeReport(const ProjectModel& model, const ReportSettings& settings) {
    EventHandlerTest handlers(model);
    std::string longest = longestRoutineText(model);
    ColumnCells cells(settings.width, longest);

    std::vector<Section> sections;
    if (!longest.empty()) {
        sections.push_back(routineSection(model, "Unused Routines And DLL Calls", "Routine Name", [&](const SubRec& r) {
            return r.timesCalled == 0 && !handlers.isHandler(r.name) && !isNonPrivateClassRoutine(r) &&
                   isCallable(r.kind);
        }));
        sections.push_back(routineSection(model, "Empty Routines", "Routine Name", [&](const SubRec& r) {
            return r.lineCount == 0 && !handlers.isHandler(r.name) && (isCallable(r.kind) || isProperty(r.kind));
        }));
    }
    // The later sections are written only when they have rows.
    std::vector<Section> optional;
    optional.push_back(routineSection(model, "Functions With No Return Value", "Function Name", [](const SubRec& r) {
        return r.kind == kKindFunction && r.returnType == "None";
    }));
    optional.push_back(variableSection(model.decVar, "Variables With No Type Declaration", false));
    optional.push_back(variableSection(model.unVar, "Variables Declared But Not Used", true));
    optional.push_back(unusedTypeSection(model));
    for (Section& section : optional)
        if (!section.rows.empty()) sections.push_back(std::move(section));
    if (sections.empty()) return std::nullopt;

    std::string document = reportHead("Project Code Report", model, settings);
    for (std::size_t i = 0; i < sections.size(); ++i) {
        if (i > 0) document += rtfLineEnd() + rtfLineEnd();
        document += writeSection(sections[i], cells);
    }
    return rtfAsciiDocument(document + rtfClose());
}

}  // namespace tally
