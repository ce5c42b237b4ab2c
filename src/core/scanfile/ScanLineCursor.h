#pragma once
// Reads the lines of a Project Scan File one field at a time, in order, and knows where it stands
// (line, section, record) so that a field that cannot be read is reported with its place.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/scanfile/ScanFileFormat.h"
#include "core/scanfile/ScanLineFeed.h"

namespace tally {

// Why a read ended: a classic error number and a description naming the line.
struct ScanReadError {
    int number = 0;
    std::string description;
};

// Field reader over the lines of a scan file; every failure throws ScanReadError. A line or field
// read as a view stays valid until the next line is read or looked at.
class ScanLineCursor {
public:
    explicit ScanLineCursor(ScanLineFeed& feed) : m_feed(feed) {}

    // The 1-based number of the line read last (0 before the first).
    int lineNumber() const { return static_cast<int>(m_next); }
    bool atEnd();

    // Names the place for messages: a section, its count and the record being read.
    void enterHeader(std::string_view what);
    void enterSection(ScanSection section, long long count);
    void startRecord(long long record) { m_record = record; }

    // The next line as it stands; past the last line the read fails with "Input past end of file".
    std::string_view plainLine();
    // The next line without blank lines before it (blank lines may separate sections).
    std::string_view nextNonBlankLine();
    // True when the next line, trimmed, is `text`; reads nothing. False at the end.
    bool nextLineIs(std::string_view text);

    std::string text();
    // The same text as a view of the file's bytes, valid while they are, for a field that is often
    // read again unchanged (a CalledBy list) and need not be copied to be looked up.
    std::string_view textView();
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
    // Reads the next line into m_ahead when it is not there yet; false after the last line.
    bool lookAhead();

    ScanLineFeed& m_feed;
    std::optional<std::string_view> m_ahead;  // the next line, read but not yet taken
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
