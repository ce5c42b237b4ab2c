#include "core/reports/StatisticsReport.h"

#include <algorithm>
#include <array>

#include "core/project/TreeSkeleton.h"
#include "core/reports/ColumnCells.h"
#include "core/reports/FolderList.h"
#include "core/reports/ReportHead.h"
#include "core/reports/RtfAscii.h"
#include "core/reports/RoutineStats.h"
#include "core/reports/RtfBuilders.h"
#include "core/reports/TextWidth.h"
#include "core/reports/VersionLines.h"
#include "core/text/TextOps.h"

namespace tally {

namespace {

// The styles of the document's runs.
std::string heading(std::string_view text) { return rtfRun(text, kRtfDarkGreen, true, true); }
std::string label(std::string_view text) { return rtfRun(text, kRtfBlack, true, false); }
std::string value(std::string_view text) { return rtfRun(text, kRtfBlack, false, false); }
std::string tab() { return rtfTabs(1); }
std::string end() { return rtfLineEnd(); }

std::string scanTime(const ProjectModel& model, const ReportSettings& settings) {
    std::string out = heading("Scan Time") + end();
    out += tab() +
           value("The project was scanned on " + formatLongDate(model.parseStart, settings.dates) + " at " +
                 formatShortTime(model.parseStart, settings.dates)) +
           end();
    out += tab() + value("The project took " + formatClockTime(model.parseTime) + " to scan.") + end() + end();
    return out;
}

std::string filesAndFolders(const ProjectModel& model, const ReportSettings& settings) {
    const SourceCodecs& codecs = settings.codecs;
    std::vector<std::string> folders = projectFolders(model, settings.files);
    int files = std::max(0, model.fileCount() - 1);
    std::string out = heading("Source Code Files and Folders") + end();
    out += tab() + value(std::to_string(files) + " Files In " + std::to_string(folders.size()) + " Folders") + end() +
           end();

    out += tab() + label("Folders") + end();
    for (const std::string& folder : folders)
        if (!folder.empty()) out += tab() + value(rtfEscape(codecs.toUtf8(folder))) + end();
    out += end();

    out += tab() + label("Files") + end();
    for (int row = 1; row < model.fileCount(); ++row) {
        const FileRec& file = model.files[row];
        if (trimView(file.path).empty()) continue;
        std::string path = rtfEscape(codecs.toUtf8(file.path));
        if (settings.files.exists(file.path))
            out += tab() + rtfRun(path, kRtfDarkBlue, false, false);
        else
            out += tab() + rtfRun("[Missing] " + path, kRtfDarkGreen, true, false);
        out += end();
        out += rtfTabs(2) +
               value(formatSizeKb(file.size, settings.numbers) + " - " + formatGeneralDate(file.scanned, settings.dates)) +
               end();
        if (file.hasFrx) out += rtfTabs(2) + value("Has FRX File") + end();
    }
    return out;
}

std::string projectItems(const ProjectModel& model, const ReportSettings& settings) {
    struct Category {
        std::string_view name;
        std::string_view key;
        bool libraries;  // objects and DLLs: files with a path and version lines
    };
    static constexpr std::array<Category, 4> kCategories = {{{"References", kReferencesKey, false},
                                                             {"Objects", kObjectsKey, true},
                                                             {"DLLs", kDllsKey, true},
                                                             {"Project Properties", kPropertiesKey, false}}};
    const SourceCodecs& codecs = settings.codecs;
    LibraryFolders folders{model.projectDir, settings.windowsDir, settings.systemDir};
    std::vector<const TreeNode*> nodes = model.tree.displayOrder();
    std::string out;
    for (const Category& category : kCategories) {
        out += end() + heading(category.name) + end();
        for (std::size_t i = 1; i < nodes.size(); ++i) {
            const TreeNode& node = *nodes[i];
            if (node.parentKey != category.key) continue;
            if (node.text == "DLLs" || node.text == "References" || node.text == "Objects") continue;
            std::size_t dash = node.text.view().find(" - ");
            // The name is looked for on the disk as the project spells it, and shown decoded.
            if (category.libraries && dash != std::string::npos) {
                std::string name(node.text.view().substr(0, dash));
                out += tab() + label(rtfEscape(codecs.toUtf8(name))) + end();
                out += value(pathLines(name, folders, settings.files, settings.versions, codecs)) + end();
            } else {
                out += tab() + value(rtfEscape(codecs.toUtf8(node.text))) + end();
            }
        }
    }
    return out;
}

std::string typeTable(const ProjectModel& model, const ReportSettings& settings) {
    static constexpr std::string_view kKindWords[] = {"Unknown", "Variable", "Object", "Type", "Enum"};
    // Every padded cell is as wide as the longest type name (or caption), in text columns, and two
    // tabs.
    std::vector<std::string> names;
    names.reserve(model.types.size());
    std::string reference = "Type Name";
    for (const TypeRec& type : model.types) {
        names.push_back(settings.codecs.toUtf8(type.name));
        if (textColumns(names.back()) > textColumns(reference)) reference = names.back();
    }
    ColumnCells cells(settings.width, reference);

    std::string out = end() + end() + heading("Variables, Types, Enums, and Objects") + end();
    out += label(cells.cell("Type Name") + cells.cell("Declared") + "Type") + end();
    for (int kind = kTypeUnknown; kind <= kTypeEnum; ++kind) {
        for (std::size_t i = 0; i < model.types.size(); ++i) {
            const TypeRec& type = model.types[i];
            int shown = type.typeKind >= kTypeUnknown && type.typeKind <= kTypeEnum ? type.typeKind : kTypeUnknown;
            if (shown != kind) continue;
            out += value(cells.cell(names[i]) + cells.cell(std::to_string(type.uses)) + std::string(kKindWords[kind])) +
                   end();
        }
    }
    return out;
}

}  // namespace

std::string buildStatisticsReport(const ProjectModel& model, const ReportSettings& settings) {
    std::string out = reportHead("Project Statistics Report", model, settings);
    out += label("All information is current as of the scan time.") + end() + end();
    out += scanTime(model, settings);
    out += filesAndFolders(model, settings);
    out += projectItems(model, settings);
    for (const std::string& line : routineStatistics(model, settings.codecs))
        out += tab() + value(rtfEscape(line)) + end();
    out += typeTable(model, settings);
    return rtfAsciiDocument(out + end() + end() + end() + rtfClose());
}

}  // namespace tally
