#pragma once
// The declaration pass on several threads. The members are read each on its own, ahead of their
// turn, by whichever thread is free (the pass's own thread too), each into a model and a state of its
// own as if it were the first file: outside any routine, with no control names known, its rows
// gathered in the order they would join the model. In file order the pass then takes each one in,
// once it has checked that the file began as was assumed: the file before left no routine open,
// and each control name the file looked up answers as the whole table answers. A file that fails
// the check is read again in its turn, as on one thread, so the tables are the same for any number
// of threads.

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "core/model/ProjectModel.h"
#include "core/os/FileFacts.h"
#include "core/parser/ControlNames.h"
#include "core/parser/DeclarationState.h"
#include "core/parser/GatheredRows.h"
#include "core/parser/ParseContext.h"
#include "core/parser/RoutineChecks.h"
#include "core/support/OrderedAhead.h"
#include "core/support/ParseProgress.h"

namespace tally {

// One member as it was read ahead.
struct FileReadAhead {
    explicit FileReadAhead(const ParseContext& pass);

    std::optional<std::string> bytes;  // nothing when it could not be read
    ProjectModel model;                // the routines, Spell and Controls rows it added
    NullParseProgress quiet;
    ParseContext context;
    DeclarationState state;
    GatheredRows found;  // its variable rows and type texts, in order
    RoutineChecks checks;
    std::vector<ControlNames::Lookup> lookups;  // the control names its routines looked up
    std::vector<std::string> libraries;         // its "Object = " libraries
    std::vector<std::size_t> lineLengths;       // of its physical lines, for the progress
    bool complete = false;                      // read to its end: no cancel, nothing thrown
    bool failed = false;                        // something was thrown while it was read
};

// One member the pass reads: where it is and what the look at the start of the pass found.
struct AheadMember {
    std::string path;
    int fileRow = 0;  // the Files row its routines belong to
    PathStatus look;
};

class FileParseAhead {
public:
    // Reads `members` ahead on threads - 1 workers and on the calling thread. `pass` must outlive this.
    FileParseAhead(const ParseContext& pass, std::vector<AheadMember> members, int threads);

    std::size_t size() const { return m_members.size(); }
    const AheadMember& member(std::size_t k) const { return m_members[k]; }

    // Member k as read ahead, taken in order (k counts up from 0): waits for it, reading the later
    // members meanwhile or reading it here when no thread has begun it. It stays the caller's until
    // the next take.
    FileReadAhead& take(std::size_t k) { return m_ahead.take(k); }

    // Whether a member read ahead can join the pass as it is: `state` is the pass's state after the
    // members before it.
    static bool beganAsAssumed(const DeclarationState& state, const FileReadAhead& read);

private:
    // Reads member k into `r`.
    void read(std::size_t k, FileReadAhead& r);

    const ParseContext& m_pass;
    std::vector<AheadMember> m_members;
    // Declared last: its workers stop before what they work on goes.
    OrderedAhead<FileReadAhead> m_ahead;
};

}  // namespace tally
