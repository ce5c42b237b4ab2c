#pragma once
// Reads the lines of a Project Scan File one field at a time, in order, and knows where it stands
// (line, section, record) so that a field that cannot be read is reported with its place.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/scanfile/ScanFileFormat.h"

namespace tally {

// Why a read ended: a classic error number and a description naming the line.
struct ScanReadError {
    int number = 0;
    std::string description;
};

// Field reader over the lines of a scan file; every failure throws ScanReadError.
class ScanLineCursor {
public:
    explicit ScanLineCursor(std::string_view text);

    // The 1-based number of the line read last (0 before the first).
    int lineNumber() const { return static_cast<int>(m_next); }
    bool atEnd() const { return m_next >= m_lines.size(); }

    // Names the place for messages: a section, its count and the record being read.
    void enterHeader(std::string_view what);
    void enterSection(ScanSection section, long long count);
    void startRecord(long long record) { m_record = record; }

    // The next line as it stands; past the last line the read fails with "Input past end of file".
    std::string_view plainLine();
    // The next line without blank lines before it (blank lines may separate sections).
    std::string_view nextNonBlankLine();
    // True when the next line, trimmed, is `text`; reads nothing. False at the end.
    bool nextLineIs(std::string_view text) const;

    std::string text();
    std::int32_t integer();
    bool boolean();
    double date();
    // A quoted text, or an empty line for no key.
    std::string iconKey();

    // Ends the read: the description becomes `what`, ": line ", the line number, a blank, `detail`
    // and the place (" in section Files", " (ParseStart)").
    [[noreturn]] void fail(int number, std::string_view what, int line, std::string_view detail) const;
    // The same for the line read last.
    [[noreturn]] void fail(int number, std::string_view what, std::string_view detail) const;

private:
    std::string_view fieldLine();
    std::string where() const;

    std::vector<std::string_view> m_lines;
    std::size_t m_next = 0;
    std::string m_place;
    bool m_inSection = false;
    ScanSection m_section = ScanSection::Types;
    long long m_count = 0;
    long long m_record = 0;
};

// True when the line opens or closes one of the nine sections.
bool isScanSectionLine(std::string_view line);

}  // namespace tally
