#include "core/reports/CodeReport.h"

#include <algorithm>
#include <vector>

#include "core/reports/ColumnCells.h"
#include "core/reports/ReportHead.h"
#include "core/reports/RtfAscii.h"
#include "core/reports/RtfBuilders.h"
#include "core/reports/TextWidth.h"
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

// A routine's name and file as shown: the name in its file's codec, the file name (from the
// project file) in the project's.
std::string routineName(const SubRec& r, const SourceCodecs& codecs) {
    return codecs.namedFileToUtf8(r.file, r.name);
}
std::string fileName(std::string_view file, const SourceCodecs& codecs) { return codecs.toUtf8(file); }

// The longest routine or file name as shown, in text columns; the first met wins a tie.
std::string longestRoutineText(const ProjectModel& model, const SourceCodecs& codecs) {
    std::string longest;
    std::size_t length = 0;
    auto consider = [&](std::string text) {
        std::size_t count = textColumns(text);
        if (count <= length) return;
        length = count;
        longest = std::move(text);
    };
    forEachRoutine(model, [&](const SubRec& r) {
        consider(routineName(r, codecs));
        consider(fileName(r.file, codecs));
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
Section routineSection(const ProjectModel& model, const SourceCodecs& codecs, std::string_view heading,
                       std::string_view nameColumn, Include include) {
    Section section{heading, {nameColumn, "File"}, {}};
    forEachRoutine(model, [&](const SubRec& r) {
        if (include(r)) section.rows.push_back({{routineName(r, codecs), fileName(r.file, codecs)}});
    });
    return section;
}

Section variableSection(const std::vector<VarRec>& table, const SourceCodecs& codecs, std::string_view heading,
                        bool markCommented) {
    Section section{heading, {"Variable Name", "Routine", "File"}, {}};
    for (const VarRec& var : table) {
        if (trimView(var.name).empty()) continue;
        std::vector<std::string> values{codecs.namedFileToUtf8(var.file, var.name),
                                        codecs.namedFileToUtf8(var.file, var.scope), fileName(var.file, codecs)};
        section.rows.push_back({std::move(values), markCommented && var.commented});
    }
    return section;
}

Section unusedTypeSection(const ProjectModel& model, const SourceCodecs& codecs) {
    static constexpr std::string_view kKindWords[] = {"Unknown", "Variable", "Object", "Type", "Enum"};
    Section section{"Unused Types and Enums", {"Type Name", "Type"}, {}};
    for (const TypeRec& type : model.types) {
        if (type.uses != 0 || type.name.empty()) continue;
        int kind = type.typeKind >= 0 && type.typeKind <= 4 ? type.typeKind : 0;
        section.rows.push_back({{codecs.toUtf8(type.name), std::string(kKindWords[kind])}});
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
    const SourceCodecs& codecs = settings.codecs;
    std::string longest = longestRoutineText(model, codecs);
    ColumnCells cells(settings.width, longest);

    std::vector<Section> sections;
    if (!longest.empty()) {
        sections.push_back(routineSection(
            model, codecs, "Unused Routines And DLL Calls", "Routine Name", [&](const SubRec& r) {
                return r.timesCalled == 0 && !handlers.isHandler(r.name) && !isNonPrivateClassRoutine(r) &&
                       isCallable(r.kind);
            }));
        sections.push_back(routineSection(model, codecs, "Empty Routines", "Routine Name", [&](const SubRec& r) {
            return r.lineCount == 0 && !handlers.isHandler(r.name) &&
                   (isCallable(r.kind) || isProperty(r.kind));
        }));
    }
    // The later sections are written only when they have rows.
    std::vector<Section> optional;
    optional.push_back(
        routineSection(model, codecs, "Functions With No Return Value", "Function Name",
                       [](const SubRec& r) { return r.kind == kKindFunction && r.returnType == "None"; }));
    optional.push_back(variableSection(model.decVar, codecs, "Variables With No Type Declaration", false));
    optional.push_back(variableSection(model.unVar, codecs, "Variables Declared But Not Used", true));
    optional.push_back(unusedTypeSection(model, codecs));
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
