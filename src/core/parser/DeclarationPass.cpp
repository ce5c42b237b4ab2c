#include "core/parser/DeclarationPass.h"

#include <algorithm>
#include <iterator>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "core/os/FileFacts.h"
#include "core/os/TableGrowth.h"
#include "core/parser/DeclarationLines.h"
#include "core/parser/DeclarationSection.h"
#include "core/parser/DeclarationState.h"
#include "core/parser/FileParseAhead.h"
#include "core/parser/RoutineChecks.h"
#include "core/parser/StatisticsNodes.h"
#include "core/text/NumberFormat.h"

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

// The tables that take many rows grow by projection rather than by doubling (see TableGrowth.h).
void reserveProjected(DeclarationState& state) {
    ProjectModel& model = state.model;
    reserveProjectedRows(model.spell, state.runningTotal, state.totalSize);
    reserveProjectedRows(model.decVar, state.runningTotal, state.totalSize);
    reserveProjectedRows(model.unVar, state.runningTotal, state.totalSize);
    reserveProjectedRows(model.pubVar, state.runningTotal, state.totalSize);
    if (!model.subs.empty()) reserveProjectedRows(model.subs[0], state.runningTotal, state.totalSize);
}

// What ends each member read to its end: its statistics row, its rows joining the model, its text
// kept for pass 2.
void finishFile(DeclarationState& state, RoutineChecks& checks, std::string& bytes) {
    state.current.length = static_cast<std::int64_t>(bytes.size());
    state.current.controls = std::max<std::int32_t>(0, state.beginLines - 1);
    state.statistics.push_back(std::move(state.current));
    checks.addGathered(state.rows);
    checks.deliver(false);
    reserveProjected(state);
    if (state.ctx.sources) state.ctx.sources->keep(state.path, std::move(bytes));
}

// The members one thread reads, in order: false when the pass was cancelled.
bool readInTurn(DeclarationState& state, RoutineChecks& checks,
                const std::unordered_map<std::string_view, int>& firstRows) {
    ParseContext& ctx = state.ctx;
    ProjectModel& model = ctx.model;
    for (int row = 0; row < model.fileCount(); ++row) {
        if (ctx.cancelled()) return false;
        if (!state.fileStatus[row].regularFile) continue;
        std::string path = model.files[row].path;
        auto first = firstRows.find(path);
        state.startFile(first == firstRows.end() ? 0 : first->second, path);
        ctx.progress.setFileLabel("Part 1of 3. Parsing " + state.fileName);
        // A file that vanished or cannot be read since the existence test is passed over.
        std::optional<std::string> bytes = takeReadAhead(ctx.readAhead, path, state.fileStatus[row]);
        if (!bytes) bytes = readFileBytes(path, state.fileStatus[row]);
        if (!bytes) continue;
        LineReading how;
        how.progress = &ctx.progress;
        if (!readDeclarationLines(state, *bytes, how)) return false;
        finishFile(state, checks, *bytes);
    }
    return true;
}

// finishFile for a member read ahead. The text kept for pass 2 is copied on this thread: a worker's
// buffer freed in pass 2 would stay with that worker's heap, and pass 2 would take fresh memory
// beside it.
void finishOnThisThread(DeclarationState& state, RoutineChecks& checks, FileReadAhead& read) {
    if (!state.ctx.sources) {
        finishFile(state, checks, *read.bytes);
        return;
    }
    std::string kept = *read.bytes;
    read.bytes.reset();
    finishFile(state, checks, kept);
}

// Takes a member read ahead into the pass: its rows after those of the members before it, and what
// it leaves open for the next one.
void adopt(DeclarationState& state, RoutineChecks& checks, FileReadAhead& read) {
    ProjectModel& model = state.model;
    // Slot 1 of the model read into stands for the file's own (see FileParseAhead::read).
    for (std::size_t slot = 0; slot < read.model.subs.size(); ++slot)
        for (SubRec& routine : read.model.subs[slot])
            model.addRoutine(slot == 0 ? 0 : state.fileRow, std::move(routine));
    model.spell.insert(model.spell.end(), std::make_move_iterator(read.model.spell.begin()),
                       std::make_move_iterator(read.model.spell.end()));
    for (const ControlRec& control : read.model.controls)
        state.controls.add(control.name, control.controlKind);
    for (const std::string& library : read.libraries)
        addObjectLibraryNode(model.tree, state.ctx.versions, state.path, library);
    state.dllDeclarations += read.state.dllDeclarations;
    checks.addGathered(read.found);

    DeclarationState& ahead = read.state;
    state.current = std::move(ahead.current);
    state.beginLines = ahead.beginLines;
    state.inRoutine = ahead.inRoutine;
    // Only a routine header or a "Begin " line sets it; a file with neither leaves it as it was.
    if (ahead.routinesStarted || ahead.beginLines > 0) state.inDesignerBlock = ahead.inDesignerBlock;
    state.routineKind = ahead.routineKind;
    state.routineName = std::move(ahead.routineName);
    state.routineText = std::move(ahead.routineText);
    state.routineLines = ahead.routineLines;
}

// The members read ahead on several threads and taken in order: false when the pass was cancelled.
bool readAhead(DeclarationState& state, RoutineChecks& checks,
               const std::unordered_map<std::string_view, int>& firstRows) {
    ParseContext& ctx = state.ctx;
    ProjectModel& model = ctx.model;
    std::vector<AheadMember> members;
    for (int row = 0; row < model.fileCount(); ++row) {
        if (!state.fileStatus[row].regularFile) continue;
        const std::string& path = model.files[row].path;
        auto first = firstRows.find(path);
        members.push_back(
            AheadMember{path, first == firstRows.end() ? 0 : first->second, state.fileStatus[row]});
    }
    FileParseAhead ahead(ctx, std::move(members), ctx.threads);
    for (std::size_t k = 0; k < ahead.size(); ++k) {
        if (ctx.cancelled()) return false;
        const AheadMember& member = ahead.member(k);
        state.startFile(member.fileRow, member.path);
        ctx.progress.setFileLabel("Part 1of 3. Parsing " + state.fileName);
        FileReadAhead& read = ahead.take(k);
        if (read.failed) {
            // Read again as on one thread, where what was thrown is thrown again.
            if (!read.bytes) read.bytes = readFileBytes(member.path, member.look);
            if (!read.bytes) continue;
            LineReading how;
            how.progress = &ctx.progress;
            if (!readDeclarationLines(state, *read.bytes, how)) return false;
            finishOnThisThread(state, checks, read);
            continue;
        }
        if (!read.bytes) continue;
        if (!read.complete) return false;  // a cancel stopped it, and the flag stays set
        // The progress of its lines, as reading them here would give it, with a cancel taking
        // effect before the same line.
        std::size_t lines = 0;
        long long value = state.runningTotal;
        for (std::size_t length : read.lineLengths) {
            if (ctx.cancelled()) break;
            value += static_cast<long long>(length);
            ctx.progress.setValue(value);
            ++lines;
        }
        if (lines == read.lineLengths.size() && FileParseAhead::beganAsAssumed(state, read)) {
            adopt(state, checks, read);
            state.runningTotal = value;
        } else {
            LineReading how;
            how.stopOnCancel = false;
            how.lineLimit = lines;
            readDeclarationLines(state, *read.bytes, how);
            if (lines < read.lineLengths.size()) return false;
        }
        finishOnThisThread(state, checks, read);
    }
    return true;
}

}  // namespace

bool runDeclarationPass(ParseContext& ctx) {
    DeclarationState state(ctx);
    setUp(state);
    ProjectModel& model = ctx.model;
    // Members read ahead keep both cores busy on their own; the routines' checks then stay with
    // whichever thread reads the routine.
    const bool ahead = ctx.threads > 1 && model.fileCount() > 2;
    RoutineChecks checks(model, state.types, ahead ? 1 : ctx.threads);
    state.checks = &checks;
    const std::unordered_map<std::string_view, int> firstRows = firstRowsByPath(model);
    const bool complete = ahead ? readAhead(state, checks, firstRows) : readInTurn(state, checks, firstRows);
    // Whatever ends the pass, the rows found so far join the model, as they would have one by one.
    // What was read ahead and not taken (a member the pass passed over) is of no further use.
    if (ctx.readAhead) ctx.readAhead->clear();
    checks.addGathered(state.rows);
    checks.deliver(true);
    if (!complete) return false;
    ctx.progress.setValue(0);
    addStatisticsNodes(state);
    return true;
}

}  // namespace tally
