#pragma once
// What reading one file's lines for calls found, kept so that the file can be read on any thread and
// its findings played back, on the pass's thread and in file order, to a sink as if it were read
// there (see CallLines.h): line by line, with the same progress and the same place to stop at a
// cancel.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/os/RegularFile.h"
#include "core/parser/ParseContext.h"

namespace tally {

class FileCallRecord {
public:
    explicit FileCallRecord(const ParseContext& pass) : m_pass(pass) {}

    // The sink of the reading. It stops at a cancel, as the reading on the pass's thread would.
    bool line(std::size_t length) {
        if (m_pass.cancelled()) return false;
        m_lines.push_back(static_cast<std::uint32_t>(length) << 1);
        return true;
    }
    void label() { m_lines.back() |= 1; }
    void startCaller(std::string_view entry) {
        m_events.push_back({line(), kStart, static_cast<std::uint32_t>(m_callerEnds.size()), 0});
        m_callers.append(entry);
        m_callerEnds.push_back(m_callers.size());
    }
    void add(std::size_t, std::uint32_t row, int lineInRoutine) {
        m_events.push_back({line(), kAdd, row, lineInRoutine});
    }
    void addForName(int nameId, int lineInRoutine) {
        m_events.push_back({line(), kAddForName, static_cast<std::uint32_t>(nameId), lineInRoutine});
    }

    // Plays the lines and findings back to `sink`, `ownSlot` being the slot of add(). False when the
    // sink stopped it.
    template <class Sink>
    bool playBack(Sink& sink, std::size_t ownSlot) const;

private:
    enum Kind : std::uint32_t { kStart, kAdd, kAddForName };
    struct Event {
        std::uint32_t line;  // the physical line, counted from 0
        Kind kind;
        std::uint32_t value;  // the caller's number, the row or the name id
        int lineInRoutine;
    };
    std::uint32_t line() const { return static_cast<std::uint32_t>(m_lines.size() - 1); }

    const ParseContext& m_pass;
    // Per physical line: its length << 1, | 1 when labelled. A line is no longer than its file.
    std::vector<std::uint32_t> m_lines;
    static_assert(kLargestReadableFile < (std::int64_t{1} << 31));
    std::vector<Event> m_events;
    std::string m_callers;  // the callers' entries one after another
    std::vector<std::size_t> m_callerEnds;
};

template <class Sink>
bool FileCallRecord::playBack(Sink& sink, std::size_t ownSlot) const {
    std::size_t next = 0;
    for (std::size_t k = 0; k < m_lines.size(); ++k) {
        if (!sink.line(m_lines[k] >> 1)) return false;
        if (m_lines[k] & 1) sink.label();
        for (; next < m_events.size() && m_events[next].line == k; ++next) {
            const Event& e = m_events[next];
            switch (e.kind) {
                case kStart: {
                    const std::size_t begin = e.value == 0 ? 0 : m_callerEnds[e.value - 1];
                    sink.startCaller(
                        std::string_view(m_callers).substr(begin, m_callerEnds[e.value] - begin));
                    break;
                }
                case kAdd:
                    sink.add(ownSlot, e.value, e.lineInRoutine);
                    break;
                case kAddForName:
                    sink.addForName(static_cast<int>(e.value), e.lineInRoutine);
                    break;
            }
        }
    }
    return true;
}

}  // namespace tally
