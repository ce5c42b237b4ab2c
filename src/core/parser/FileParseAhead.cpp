#include "core/parser/FileParseAhead.h"

#include <algorithm>

#include "core/parser/DeclarationLines.h"

namespace tally {

namespace {

// Members read ahead of the one the pass takes next, per thread: enough that no thread waits for
// another's file, few enough that what they hold stays small beside the sources.
constexpr std::size_t kWindowPerThread = 4;

}  // namespace

FileReadAhead::FileReadAhead(const ParseContext& pass)
    : context{model, quiet, pass.cancel, pass.versions, pass.locale},
      state(context),
      checks(model, state.types, 1, &found) {
    context.codePage = pass.codePage;
    state.checks = &checks;
    state.deferredLibraries = &libraries;
    state.controls.logLookups(&lookups);
}

FileParseAhead::FileParseAhead(const ParseContext& pass, std::vector<AheadMember> members, int threads)
    : m_pass(pass),
      m_members(std::move(members)),
      m_ahead(
          m_members.size(), kWindowPerThread * static_cast<std::size_t>(std::max(1, threads)), threads,
          [this](std::size_t k) {
              auto read = std::make_unique<FileReadAhead>(m_pass);
              // The texts read whole before the pass are kept in a table of their own, which only
              // the lock guards while the members are read ahead.
              read->bytes = takeReadAhead(m_pass.readAhead, m_members[k].path, m_members[k].look);
              return read;
          },
          [this](std::size_t k, FileReadAhead& r) { read(k, r); }) {}

void FileParseAhead::read(std::size_t k, FileReadAhead& r) {
    const AheadMember& member = m_members[k];
    try {
        if (!r.bytes) r.bytes = readFileBytes(member.path, member.look);
        if (!r.bytes) {
            r.complete = true;
            return;
        }
        // The file's own routines go to a stand-in slot of the model read into, slot 1 (or 0, where
        // a file's routines go when its path has no Files row), rather than a model of every slot.
        r.state.startFile(member.fileRow == 0 ? 0 : 1, member.path);
        LineReading how;
        how.lineLengths = &r.lineLengths;
        if (!readDeclarationLines(r.state, *r.bytes, how)) return;
        r.checks.addGathered(r.state.rows);
        r.checks.deliver(true);
        r.complete = true;
    } catch (...) {
        // Read again in its turn, where whatever it was shows as it does on one thread.
        r.failed = true;
    }
}

bool FileParseAhead::beganAsAssumed(const DeclarationState& state, const FileReadAhead& read) {
    // Whether the file before ended in a designer block does not matter while no routine is open:
    // the tests that read it are met only once this file opened a routine or a control, which sets
    // it (a form without code leaves it set).
    if (state.inRoutine || !state.routineText.empty()) return false;
    for (const ControlNames::Lookup& lookup : read.lookups) {
        const std::optional<int> kind = state.controls.firstKindOf(lookup.name);
        if (kind && *kind != lookup.kind) return false;
    }
    return true;
}

}  // namespace tally
