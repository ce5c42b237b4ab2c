#include "core/parser/StatisticsNodes.h"

#include <map>

#include "core/parser/StatisticsTexts.h"
#include "core/text/TextOps.h"

namespace tally {

namespace {

// Project counter nodes may already exist (a tree built with its counters): their text is updated.
void setNode(ProjectTree& tree, std::string_view parent, std::string_view key, const std::string& text,
             std::string_view image) {
    if (!tree.setText(key, text)) tree.add(parent, key, text, image);
}

void addDllNodes(DeclarationState& state, const FileStatistics& file) {
    ProjectTree& tree = state.model.tree;
    std::string folderKey = "dlls" + file.path;
    tree.add(file.path, folderKey, "DLLs", "open", "close");
    // One child per Declare, in file order, a library declared three times three times; the
    // project's "alldlls" keeps one node per library (its key is unique). Each version is read once.
    std::map<std::string, std::string> textOf;
    for (const std::string& entry : split(file.dllNames, "\x01")) {
        if (entry.empty()) continue;
        std::string name = contains(entry, ".") ? entry : entry + ".dll";
        auto known = textOf.find(name);
        if (known == textOf.end())
            known = textOf.emplace(name, name + " - " + state.ctx.versions.fileVersion(name)).first;
        tree.add(folderKey, "", known->second);
        tree.add("alldlls", "dll" + name, known->second);
    }
}

void addFileNodes(DeclarationState& state, const FileStatistics& file) {
    ProjectTree& tree = state.model.tree;
    const NumberLocale& locale = state.ctx.locale;
    const std::string& path = file.path;
    const LineCounts& lines = file.lines;
    tree.add(path, "filesize" + path, fileSizeText(file.length, locale), "drive");
    tree.add(path, "linecnt" + path, fileCodeLinesText(lines.code, locale), "code");
    if (lines.code != 0) {
        tree.add(path, "cmntcnt" + path, fileCommentLinesText(lines.comment, lines.code, locale), "comment");
        tree.add(path, "whitect" + path, fileBlankLinesText(lines.blank, lines.code, locale), "blank");
    }
    tree.add(path, "controls" + path, "Controls  - " + toDecimal(file.controls), "control");
    tree.add(path, "subct" + path, "Subs  - " + toDecimal(file.subs), "sub");
    tree.add(path, "func" + path, "Functions - " + toDecimal(file.functions), "func");
    tree.add(path, "prop" + path, "Properties - " + toDecimal(file.properties), "prop");
    if (!file.dllNames.empty()) addDllNodes(state, file);
}

}  // namespace

void addStatisticsNodes(DeclarationState& state) {
    FileStatistics total;
    // Up to eight nodes per file, and the project counters.
    state.model.tree.reserveForMore(8 * state.statistics.size() + 8);
    for (const FileStatistics& file : state.statistics) {
        addFileNodes(state, file);
        total.lines.code += file.lines.code;
        total.lines.comment += file.lines.comment;
        total.lines.blank += file.lines.blank;
        total.controls += file.controls;
        total.subs += file.subs;
        total.functions += file.functions;
        total.properties += file.properties;
    }

    ProjectTree& tree = state.model.tree;
    const NumberLocale& locale = state.ctx.locale;
    const LineCounts& lines = total.lines;
    setNode(tree, "properties", "linecnt", "Code Lines  - " + formatGrouped(lines.code, locale), "code");
    if (lines.code != 0) {
        setNode(tree, "properties", "cmntcnt",
                "Comments - " + countAndPercent(lines.comment, lines.code, locale, true), "comment");
        setNode(tree, "properties", "whitect",
                "Blank Lines  - " + countAndPercent(lines.blank, lines.code, locale, true), "blank");
    }
    setNode(tree, "properties", "controlsct", "Control Count  - " + formatGrouped(total.controls, locale),
            "control");
    setNode(tree, "properties", "subcnt", "Sub Count  - " + formatGrouped(total.subs, locale), "sub");
    setNode(tree, "properties", "funcnt", "Function Count  - " + formatGrouped(total.functions, locale),
            "func");
    setNode(tree, "properties", "propcnt", "Property Count  - " + formatGrouped(total.properties, locale),
            "prop");
    setNode(tree, "properties", "dllcnt",
            "DLL Declarations - " + formatGrouped(state.dllDeclarations, locale), "dll");
}

}  // namespace tally
