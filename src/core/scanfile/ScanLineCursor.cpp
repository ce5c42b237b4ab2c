#include "core/scanfile/ScanLineCursor.h"

#include "core/scanfile/ScanFieldForms.h"
#include "core/support/ErrorNumbers.h"
#include "core/text/TextOps.h"

namespace tally {

bool isScanSectionLine(std::string_view line) {
    std::string_view t = trimView(line);
    for (std::string_view name : kScanSectionNames) {
        if (t.size() == 4 + name.size() && startsWith(t, "End ") && t.substr(4) == name) return true;
        if (startsWith(t, "Begin ") && startsWith(t.substr(6), name) &&
            (t.size() == 6 + name.size() || t[6 + name.size()] == ' '))
            return true;
    }
    return false;
}

bool ScanLineCursor::lookAhead() {
    if (m_ahead) return true;
    m_ahead = m_feed.next();
    if (!m_ahead && m_feed.failed()) throw ScanReadError{error::kPathFileAccessError, m_feed.failureText()};
    return m_ahead.has_value();
}

bool ScanLineCursor::atEnd() {
    return !lookAhead();
}

void ScanLineCursor::enterHeader(std::string_view what) {
    m_inSection = false;
    m_place = std::string(what);
}

void ScanLineCursor::enterSection(ScanSection section, long long count) {
    m_inSection = true;
    m_section = section;
    m_count = count;
    m_record = 0;
}

std::string ScanLineCursor::where() const {
    if (m_inSection) return " in section " + std::string(scanSectionName(m_section));
    if (!m_place.empty()) return " (" + m_place + ")";
    return {};
}

void ScanLineCursor::fail(int number, std::string_view what, int line, std::string_view detail) const {
    throw ScanReadError{
        number, std::string(what) + ": line " + toDecimal(line) + " " + std::string(detail) + where()};
}

void ScanLineCursor::fail(int number, std::string_view what, std::string_view detail) const {
    fail(number, what, lineNumber(), detail);
}

std::string_view ScanLineCursor::plainLine() {
    if (atEnd()) fail(error::kInputPastEndOfFile, "Input past end of file", lineNumber() + 1, "is missing");
    ++m_next;
    const std::string_view line = *m_ahead;
    m_ahead.reset();
    return line;
}

std::string_view ScanLineCursor::nextNonBlankLine() {
    std::string_view line = plainLine();
    while (trimView(line).empty()) line = plainLine();
    return line;
}

bool ScanLineCursor::nextLineIs(std::string_view text) {
    return !atEnd() && trimView(*m_ahead) == text;
}

// A field line that opens or closes a section means the records ran out before the count did.
std::string_view ScanLineCursor::fieldLine() {
    std::string_view line = plainLine();
    if (isScanSectionLine(line)) {
        fail(error::kInvalidFileFormat, "Invalid file format",
             "(\"" + trim(line) + "\") stands inside record " + toDecimal(m_record + 1) + " of " +
                 toDecimal(m_count) + ", so the count or a record is wrong");
    }
    return line;
}

std::string ScanLineCursor::text() {
    return std::string(textView());
}

std::string_view ScanLineCursor::textView() {
    std::string_view line = fieldLine();
    std::optional<std::string_view> value = unquoteScanText(line);
    if (!value) fail(error::kTypeMismatch, "Type mismatch", "should be a quoted text");
    return *value;
}

std::int32_t ScanLineCursor::integer() {
    std::string_view line = fieldLine();
    std::int32_t value = 0;
    switch (parseScanInteger(line, value)) {
        case IntegerCheck::Ok:
            break;
        case IntegerCheck::NotANumber:
            fail(error::kTypeMismatch, "Type mismatch", "should be a number");
        case IntegerCheck::Overflow:
            fail(error::kOverflow, "Overflow", "holds a number too large for 32 bits");
    }
    return value;
}

bool ScanLineCursor::boolean() {
    std::string_view line = fieldLine();
    std::optional<bool> value = parseScanBoolean(line);
    if (!value) fail(error::kTypeMismatch, "Type mismatch", "should be #TRUE# or #FALSE#");
    return *value;
}

double ScanLineCursor::date() {
    std::string_view line = fieldLine();
    std::optional<double> value = parseScanDate(line);
    if (!value) fail(error::kTypeMismatch, "Type mismatch", "should be a date");
    return *value;
}

std::string ScanLineCursor::iconKey() {
    std::string_view line = fieldLine();
    if (trimView(line).empty()) return {};
    std::optional<std::string_view> value = unquoteScanText(line);
    if (!value) fail(error::kTypeMismatch, "Type mismatch", "should be a quoted text or an empty line");
    return std::string(*value);
}

}  // namespace tally
