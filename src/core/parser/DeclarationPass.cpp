#include "core/parser/DeclarationPass.h"

#include <algorithm>
#include <optional>
#include <string>
#include <unordered_map>

#include "core/parser/DeclarationSection.h"
#include "core/parser/DeclarationState.h"
#include "core/parser/LineCursor.h"
#include "core/parser/LogicalLines.h"
#include "core/parser/RoutineBlocks.h"
#include "core/parser/RoutineChecks.h"
#include "core/parser/StatisticsNodes.h"
#include "core/os/TableGrowth.h"
#include "core/os/FileFacts.h"
#include "core/text/NumberFormat.h"
#include "core/text/TextOps.h"

namespace tally {

namespace {

void setUp(DeclarationState& state) {
    ProjectModel& model = state.model;
    model.spell.clear();
    // Each file is looked at once in this pass: whether it exists and its length serve both the
    // progress total here and the choice of the files to read below.
    state.fileStatus.reserve(model.files.size());
    for (const FileRec& file : model.files) {
        state.fileStatus.push_back(pathStatus(file.path));
        state.totalSize += state.fileStatus.back().length;
    }
    std::string text = "Total Size  - " + formatSizeKb(state.totalSize, state.ctx.locale);
    if (!model.tree.setText("totsize", text)) model.tree.add("properties", "totsize", text, "drive");
    state.ctx.progress.setRange(0, state.totalSize);
    if (state.ctx.sources) state.ctx.sources->fitTo(state.totalSize);
    state.runningTotal = 0;
}

// The first Files row of each path, as fileRowOf finds it, for all rows in one go.
std::unordered_map<std::string_view, int> firstRowsByPath(const ProjectModel& model) {
    std::unordered_map<std::string_view, int> rows;
    rows.reserve(model.files.size());
    for (int row = 1; row < model.fileCount(); ++row) rows.try_emplace(model.files[row].path, row);
    return rows;
}

// Reads one file through. Returns false when the pass was cancelled.
bool readFile(DeclarationState& state, std::string_view text) {
    LogicalLineJoiner joiner;
    ParseProgress& progress = state.ctx.progress;
    // The lines are walked, not listed: a list of a large module's lines is a fresh block (and fresh
    // pages) for every file.
    LineCursor lines(text);
    state.routineText.setFile(text);
    // A routine still open when the file ends goes on into the next file: its text is kept.
    struct DetachAtEnd {
        RoutineText& text;
        ~DetachAtEnd() {
            text.detach();
            text.setFile({});
        }
    } detachAtEnd{state.routineText};
    for (std::string_view raw; lines.next(raw);) {
        if (state.ctx.cancelled()) return false;
        state.runningTotal += static_cast<long long>(raw.size());
        progress.setValue(state.runningTotal);

        std::string_view logical;
        if (!joiner.feed(raw, logical)) continue;
        std::string_view statement = trimView(logical);
        if (countTrimmedLine(statement, state.inRoutineBody(), state.current.lines)) ++state.routineLines;
        if (state.inRoutine) state.routineText.append(logical, statement);
        if (applyDeclarationTests(state, statement)) applyRoutineTests(state, statement);
    }
    return true;
}

// The text of a member read whole before the pass, when it still fits what the look at the start of
// the pass found (a regular file of that length); nothing otherwise, and the file is read.
std::optional<std::string> takeReadAhead(ParseContext& ctx, std::string_view path, const PathStatus& look) {
    if (!ctx.readAhead) return std::nullopt;
    std::optional<std::string> bytes = ctx.readAhead->take(path);
    if (bytes && look.regularFile && static_cast<std::int64_t>(bytes->size()) == look.length) return bytes;
    return std::nullopt;
}

// The tables that take many rows grow by projection rather than by doubling (see TableGrowth.h).
void reserveProjected(DeclarationState& state) {
    ProjectModel& model = state.model;
    reserveProjectedRows(model.spell, state.runningTotal, state.totalSize);
    reserveProjectedRows(model.decVar, state.runningTotal, state.totalSize);
    reserveProjectedRows(model.unVar, state.runningTotal, state.totalSize);
    reserveProjectedRows(model.pubVar, state.runningTotal, state.totalSize);
    if (!model.subs.empty()) reserveProjectedRows(model.subs[0], state.runningTotal, state.totalSize);
}

}  // namespace

bool runDeclarationPass(ParseContext& ctx) {
    DeclarationState state(ctx);
    setUp(state);
    ProjectModel& model = ctx.model;
    RoutineChecks checks(model, state.types, ctx.threads);
    state.checks = &checks;
    // Whatever ends the pass, the rows found so far join the model, as they would have one by one.
    auto finish = [&](bool complete) {
        // What was read ahead and not taken (a member the pass passed over) is of no further use.
        if (ctx.readAhead) ctx.readAhead->clear();
        checks.addGathered(state.rows);
        checks.deliver(true);
        return complete;
    };
    const std::unordered_map<std::string_view, int> firstRows = firstRowsByPath(model);
    for (int row = 0; row < model.fileCount(); ++row) {
        if (ctx.cancelled()) return finish(false);
        if (!state.fileStatus[row].regularFile) continue;
        std::string path = model.files[row].path;
        auto first = firstRows.find(path);
        state.startFile(first == firstRows.end() ? 0 : first->second, path);
        ctx.progress.setFileLabel("Part 1of 3. Parsing " + state.fileName);
        // A file that vanished or cannot be read since the existence test is passed over.
        std::optional<std::string> bytes = takeReadAhead(ctx, path, state.fileStatus[row]);
        if (!bytes) bytes = readFileBytes(path, state.fileStatus[row]);
        if (!bytes) continue;
        if (!readFile(state, *bytes)) return finish(false);
        state.current.length = static_cast<std::int64_t>(bytes->size());
        state.current.controls = std::max<std::int32_t>(0, state.beginLines - 1);
        state.statistics.push_back(std::move(state.current));
        checks.addGathered(state.rows);
        checks.deliver(false);
        reserveProjected(state);
        if (ctx.sources) ctx.sources->keep(path, std::move(*bytes));
    }
    finish(true);
    ctx.progress.setValue(0);
    addStatisticsNodes(state);
    return true;
}

}  // namespace tally
