#pragma once
// Checking closed routines for unused locals, the largest share of the declaration pass, on a few
// worker threads while the reading thread goes on. What each check finds, and the rows the reading
// thread gathers between routines, join the model strictly in the order they were handed in, so
// the tables are the same however many threads did the work.

#include <condition_variable>
#include <deque>
#include <exception>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "core/model/ProjectModel.h"
#include "core/parser/DeclaredNames.h"
#include "core/parser/GatheredRows.h"
#include "core/parser/TypeNotes.h"
#include "core/parser/UnusedLocals.h"

namespace tally {

// One closed routine to check.
struct RoutineCheck {
    std::string text;  // its logical lines, header first, each followed by CR LF
    std::vector<LineSpan> declarationLines;  // those of its lines that may declare locals
    std::string fileName;
    std::string name;
    int kind = 0;
    std::vector<std::string> paramNames;
};

class RoutineChecks {
public:
    // A routine with less text than this is checked on the reading thread: packing it up for a worker
    // (its text, names and rows), waking the worker and taking its rows back cost more than checking
    // it. (With 2 KB here, pass 1 on two threads took 5-17% longer than on one on the generated
    // profiles (on `controls` one routine in 25 is that long); with 8 KB it takes as long.)
    static constexpr std::size_t kWorkerTextBytes = 8192;

    // `threads` counts the reading thread too: with 1 (or fewer) every routine is checked at once
    // on the reading thread. With `collect`, what would join the model is appended there instead,
    // in the same order, for a file read apart from the others to join later.
    RoutineChecks(ProjectModel& model, TypeNotes& types, int threads, GatheredRows* collect = nullptr);
    // Stops the workers; checks not delivered by then are dropped.
    ~RoutineChecks();
    RoutineChecks(const RoutineChecks&) = delete;
    RoutineChecks& operator=(const RoutineChecks&) = delete;

    // Hands over what the reading thread gathered since its last hand-over (leaving `rows` empty);
    // it joins the model before anything handed over later.
    void addGathered(GatheredRows& rows);

    // Checks a routine whose text is `text`: at once on this thread when there is no worker or the
    // routine is short (handing a property procedure of three lines to a worker costs more than
    // checking it); otherwise queued for a worker with a copy of its text.
    // The reading thread helps when many are waiting, which bounds the memory.
    void check(std::string_view text, const std::vector<LineSpan>& declarationLines,
               std::string_view fileName, std::string_view name, int kind,
               const std::vector<std::string>& paramNames);
    // Moves into the model, in order, what is finished at the front of the queue; with `all`, first
    // helps with and waits for every check still queued. Throws what a failed check threw.
    void deliver(bool all);

private:
    // Rows the reading thread gathered, then the routine check that followed them (if any) and what
    // it found: they join the model in this order. A part without a check gathers on in its rows
    // what comes after (rows and what the reading thread's own checks find) until the next check.
    struct Part {
        GatheredRows rows;
        std::optional<RoutineCheck> check;
        GatheredRows found;
    };
    // A run of parts handed to a worker at once: most routines of a real project are a few lines
    // (property procedures), and a hand-over per routine cost more in locking and waking than the
    // check itself.
    struct Stretch {
        std::vector<Part> parts;
        std::size_t checks = 0;     // parts with a check, and their text: counted while the
        std::size_t textBytes = 0;  // reading thread fills the stretch
        std::size_t routines = 0;   // checks made or queued in it
        bool done = false;          // guarded by m_mutex once workers exist
        std::exception_ptr failure;
        std::size_t failedPart = 0;  // the parts before it are whole when a check failed
    };

    // Tells the workers to stop.
    void stop();
    // Queues a routine for the workers.
    void addCheck(RoutineCheck check);
    // Moves rows into the model, or into the collected rows.
    void join(GatheredRows& rows) {
        if (m_collect)
            m_collect->append(rows);
        else
            rows.moveInto(m_model, m_types);
    }
    // Checks a routine on this thread. With nothing waiting ahead of it (always so on one thread)
    // what it finds joins the model at once, with no queue and no block per routine; otherwise it
    // waits in the open stretch behind what came before.
    void checkNow(std::string_view text, const std::vector<LineSpan>& declarationLines, const NameOwner& owner,
                  const std::vector<std::string>& paramNames);
    // The stretch the reading thread is filling, made when there is none.
    Stretch& open();
    // The part of the open stretch that gathers rows: its last, unless that holds a check.
    Part& gatheringPart();
    // Hands the open stretch to the workers (or marks it done when it holds no check).
    void close();
    static void run(Stretch& stretch);
    void work();
    // Takes the oldest queued check and runs it with m_mutex released; `lock` holds it before and after.
    void runOldest(std::unique_lock<std::mutex>& lock);
    // Runs the oldest queued check on this thread; false when none is queued. Locks m_mutex.
    bool helpOnce();

    ProjectModel& m_model;
    TypeNotes& m_types;
    GatheredRows* m_collect;
    // Touched by the reading thread alone; the stretches stay where they are while workers hold them.
    std::deque<std::unique_ptr<Stretch>> m_order;
    Stretch* m_open = nullptr;  // the last of m_order while the reading thread fills it
    std::mutex m_mutex;
    // A plain condition and a flag rather than a wait on a stop token: the stop token's wait hangs
    // now and then in the MinGW runtime (seen under Wine), and this needs nothing more.
    std::condition_variable m_changed;
    GatheredRows m_found;  // what checkNow finds, kept for its storage
    UnusedLocalScratch m_scratch;  // the lists of checkNow's checks
    std::deque<Stretch*> m_queued;  // checks no thread has taken yet; guarded by m_mutex
    bool m_stopping = false;        // guarded by m_mutex
    // Declared last, so the workers are joined before the stretches they work on go away.
    std::vector<std::jthread> m_workers;
};

}  // namespace tally
