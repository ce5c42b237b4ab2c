#pragma once
// Reading one file's lines for the calls on them, the same on every thread. What the reading finds
// goes to a sink: on one thread straight into the pass's CalledBy log and progress; on several into
// a record of the file (FileCallRecord), which the pass's thread plays back in file order.
//
// A sink has:
//   bool line(std::size_t length)   a physical line begins; false stops the reading (a cancel)
//   void label()                    the line completes a logical line: its "Line <n>" is shown
//   void startCaller(std::string_view entry)          a header: "<routine> - <file> - "
//   void add(std::size_t slot, std::uint32_t row, int line)   the caller calls the slot's row
//   void addForName(int nameId, int line)             ... every project-wide routine of a name

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/parser/CallMatcher.h"
#include "core/parser/LineCursor.h"
#include "core/parser/RowsByName.h"
#include "core/text/TextOps.h"

namespace tally {

// The length of the keywords that make `line` a routine header, or 0 when it is none. Headers are
// "Function ", "Sub " and "Property Set/Let/Get ", each alone or after "Private ", "Public " or
// "Friend ". `Static` headers are not among them: the routine before such a header simply continues.
std::size_t headerKeywordLength(std::string_view line);

// The routine a header line starts: the text between the keywords and the first "(", trimmed and
// without a type-declaration character. Empty when the header has no "(".
std::string routineNameOf(std::string_view line, std::size_t keywordLength);

// The text the module-variable scan reads for a file: the file itself when every line ends in
// CR LF, or when every one ends in a lone LF (which the scan reads as CR LF); otherwise its lines
// joined with CR LF into `joined`.
std::string_view variableScanText(std::string_view text, bool crlfThroughout, std::string& joined);

class CallLineReader {
public:
    // `matcher` holds every routine name and the project-wide ones; the reader keeps it (each reader
    // a copy of its own). The names of slot s are matcher.names().idsOfGivenNames()[slotStart[s],
    // slotStart[s + 1]).
    CallLineReader(CallMatcher matcher, const std::vector<std::size_t>& slotStart);

    const CallMatcher& matcher() const { return m_matcher; }

    // Reads `text`, the file `fileName` whose routines are in slot `ownSlot` (-1 when its path has
    // no Files row). False when the sink stopped it.
    template <class Sink>
    bool read(std::string_view text, std::string_view fileName, int ownSlot, Sink& sink);
    // Lets go of the matcher and the grouping (the name tries above all); the reader reads no more.
    void release() {
        m_matcher = CallMatcher({});
        m_fileRows = RowsByName(0);
    }
    // Whether every line of the text last read ended in CR LF.
    bool crlfThroughout() const { return m_crlfThroughout; }

private:
    struct Caller {
        std::string name;
        std::string entry;  // "<routine> - <file> - "
    };
    void useFileNames(int ownSlot);
    template <class Sink>
    void recordCalls(std::string_view line, std::string_view around, int ownSlot, const Caller& caller,
                     int lineInRoutine, Sink& sink);

    CallMatcher m_matcher;
    const std::vector<std::size_t>& m_slotStart;
    RowsByName m_fileRows;
    std::vector<int> m_globalHits, m_fileHits;
    bool m_crlfThroughout = true;
};

template <class Sink>
bool CallLineReader::read(std::string_view text, std::string_view fileName, int ownSlot, Sink& sink) {
    useFileNames(ownSlot);
    m_crlfThroughout = true;

    Caller caller;  // name empty between routines and in the declarations section
    std::string continuation;
    bool continuing = false;
    std::string continued;  // a logical line made of several physical ones
    int lineInRoutine = 0;

    LineCursor lines(text);
    std::string_view raw;
    while (lines.next(raw)) {
        if (!sink.line(raw.size())) return false;
        m_crlfThroughout = m_crlfThroughout && lines.endsInCrLf();

        // Trimmed first, then a final "_" continues the statement on the next physical line.
        std::string_view trimmed = trimView(raw);
        if (!trimmed.empty() && trimmed.back() == '_') {
            continuation += ' ';
            continuation += trimView(trimmed.substr(0, trimmed.size() - 1));
            continuing = true;
            continue;
        }
        std::string_view line = trimmed;
        std::string_view around = text;  // what holds the line
        if (continuing) {
            around = {};
            continued.assign(continuation).append(" ").append(trimmed);
            continuation.clear();
            continuing = false;
            line = trimView(continued);
        }
        ++lineInRoutine;
        sink.label();

        if (line.empty() || line.front() == '\'') continue;

        // Every header begins with F, P or S; only those lines need the full comparison.
        const char first = line.front();
        if (first == 'F' || first == 'P' || first == 'S') {
            if (const std::size_t keywords = headerKeywordLength(line)) {
                lineInRoutine = 0;
                caller.name = routineNameOf(line, keywords);
                caller.entry.assign(caller.name).append(" - ").append(fileName).append(" - ");
                sink.startCaller(caller.entry);
                continue;  // the header line itself never counts as a call
            }
        } else if (first == 'E' && (startsWith(line, "End Sub") || startsWith(line, "End Function"))) {
            caller.name.clear();
        }
        // Calls are sought only inside routines.
        if (caller.name.empty()) continue;
        recordCalls(line, around, ownSlot, caller, lineInRoutine, sink);
    }
    return true;
}

template <class Sink>
void CallLineReader::recordCalls(std::string_view line, std::string_view around, int ownSlot,
                                 const Caller& caller, int lineInRoutine, Sink& sink) {
    m_matcher.match(line, m_globalHits, m_fileHits, around);
    if (m_globalHits.empty() && m_fileHits.empty()) return;
    // The caller's own name on its lines is recursion or the function setting its result. A routine
    // without a name (a header without "(") is never called: its empty name is in every line.
    auto calls = [&](int id) {
        std::string_view name = m_matcher.names().name(id);
        return !name.empty() && name != caller.name;
    };
    if (ownSlot >= 0) {
        const auto slot = static_cast<std::size_t>(ownSlot);
        for (int id : m_fileHits)
            if (calls(id))
                m_fileRows.forEachRow(id, [&](std::uint32_t row) { sink.add(slot, row, lineInRoutine); });
    }
    // Every project-wide routine of a name is called by the line: the entry is logged once for all.
    for (int id : m_globalHits)
        if (calls(id)) sink.addForName(id, lineInRoutine);
}

}  // namespace tally
