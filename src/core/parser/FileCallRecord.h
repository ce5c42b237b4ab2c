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
        m_lastLine = m_lines.size();
        auto value = static_cast<std::uint64_t>(length) << 1;
        for (; value >= 0x80; value >>= 7) m_lines.push_back(static_cast<char>((value & 0x7F) | 0x80));
        m_lines.push_back(static_cast<char>(value));
        ++m_lineCount;
        return true;
    }
    // The label bit is the lowest of the line's first byte.
    void label() { m_lines[m_lastLine] = static_cast<char>(m_lines[m_lastLine] | 1); }
    void startCaller(std::string_view entry) {
        m_events.push_back({currentLine(), kStart, static_cast<std::uint32_t>(m_callerEnds.size()), 0});
        m_callers.append(entry);
        m_callerEnds.push_back(m_callers.size());
    }
    void add(std::size_t, std::uint32_t row, int lineInRoutine) {
        m_events.push_back({currentLine(), kAdd, row, lineInRoutine});
    }
    void addForName(int nameId, int lineInRoutine) {
        m_events.push_back({currentLine(), kAddForName, static_cast<std::uint32_t>(nameId), lineInRoutine});
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
    std::uint32_t currentLine() const { return m_lineCount - 1; }

    const ParseContext& m_pass;
    // Per physical line its length << 1, | 1 when labelled, seven bits a byte from the lowest (the
    // high bit set on all but the last): a line of code takes a byte or two, and a file of empty
    // lines half its size rather than twice.
    std::string m_lines;
    std::size_t m_lastLine = 0;  // where the last line's bytes begin
    std::uint32_t m_lineCount = 0;
    static_assert(kLargestReadableFile < (std::int64_t{1} << 31));  // lines and events count in 32 bits
    std::vector<Event> m_events;
    std::string m_callers;  // the callers' entries one after another
    std::vector<std::size_t> m_callerEnds;
};

template <class Sink>
bool FileCallRecord::playBack(Sink& sink, std::size_t ownSlot) const {
    std::size_t next = 0;
    std::size_t at = 0;
    for (std::uint32_t k = 0; k < m_lineCount; ++k) {
        std::uint64_t value = 0;
        for (int shift = 0;; shift += 7) {
            const auto byte = static_cast<unsigned char>(m_lines[at++]);
            value |= static_cast<std::uint64_t>(byte & 0x7F) << shift;
            if (!(byte & 0x80)) break;
        }
        if (!sink.line(static_cast<std::size_t>(value >> 1))) return false;
        if (value & 1) sink.label();
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
