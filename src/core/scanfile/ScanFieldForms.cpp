#include "core/scanfile/ScanFieldForms.h"

#include <charconv>
#include <cmath>
#include <cstdio>

#include "core/model/OleDate.h"
#include "core/text/TextOps.h"

namespace tally {

namespace {

constexpr char kQuote = '"';
constexpr char kEscapedQuote = '\x02';
constexpr char kEscapedComma = '\x03';

std::string twoDigits(int value) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%02d", value);
    return buffer;
}

std::string fourDigits(int value) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%04d", value);
    return buffer;
}

// Splits "a<sep>b<sep>c" into three unsigned numbers.
bool threeNumbers(std::string_view text, char sep, int (&out)[3]) {
    for (int i = 0; i < 3; ++i) {
        std::size_t end = i < 2 ? text.find(sep) : text.size();
        if (end == std::string_view::npos || end == 0 || end > 4) return false;
        std::string_view part = text.substr(0, end);
        auto [ptr, ec] = std::from_chars(part.data(), part.data() + part.size(), out[i]);
        if (ec != std::errc() || ptr != part.data() + part.size()) return false;
        text.remove_prefix(i < 2 ? end + 1 : end);
    }
    return true;
}

bool isLeapYear(int y) {
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

int daysInMonth(int y, int m) {
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && isLeapYear(y) ? 29 : days[m - 1];
}

// OLE dates run from the year 100 to 9999.
bool validDate(int y, int m, int d) {
    return y >= 100 && y <= 9999 && m >= 1 && m <= 12 && d >= 1 && d <= daysInMonth(y, m);
}

bool validTime(int h, int m, int s) {
    return h >= 0 && h <= 23 && m >= 0 && m <= 59 && s >= 0 && s <= 59;
}

}  // namespace

std::string quoteScanText(std::string_view text) {
    std::string line;
    line.reserve(text.size() + 2);
    appendQuotedScanText(line, text);
    return line;
}

void appendQuotedScanText(std::string& out, std::string_view text) {
    out += kQuote;
    out += text;
    out += kQuote;
}

std::optional<std::string_view> unquoteScanText(std::string_view line) {
    std::size_t first = line.find(kQuote);
    std::size_t last = line.rfind(kQuote);
    if (first == std::string_view::npos || first == last) return std::nullopt;
    // Only blanks may stand outside the quotes.
    if (!trimView(line.substr(0, first)).empty() || !trimView(line.substr(last + 1)).empty())
        return std::nullopt;
    return line.substr(first + 1, last - first - 1);
}

std::string escapeScanText(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        if (c == kQuote)
            c = kEscapedQuote;
        else if (c == ',')
            c = kEscapedComma;
    }
    return out;
}

std::string unescapeScanText(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        if (c == kEscapedQuote)
            c = kQuote;
        else if (c == kEscapedComma)
            c = ',';
    }
    return out;
}

std::string formatScanBoolean(bool value) {
    return value ? "#TRUE#" : "#FALSE#";
}

std::optional<bool> parseScanBoolean(std::string_view line) {
    std::string_view t = trimView(line);
    if (t == "#TRUE#") return true;
    if (t == "#FALSE#") return false;
    return std::nullopt;
}

IntegerCheck parseScanInteger(std::string_view line, std::int32_t& value) {
    std::string_view t = trimView(line);
    std::string_view digits = !t.empty() && t.front() == '-' ? t.substr(1) : t;
    if (digits.empty()) return IntegerCheck::NotANumber;
    for (char c : digits)
        if (c < '0' || c > '9') return IntegerCheck::NotANumber;
    auto [ptr, ec] = std::from_chars(t.data(), t.data() + t.size(), value);
    if (ec == std::errc::result_out_of_range) return IntegerCheck::Overflow;
    if (ec != std::errc() || ptr != t.data() + t.size()) return IntegerCheck::NotANumber;
    return IntegerCheck::Ok;
}

std::string formatScanDate(double oleDate) {
    DateTimeParts p = oleToParts(oleDate);
    const bool zeroDate = p.year == 1899 && p.month == 12 && p.day == 30;
    const bool zeroTime = p.hour == 0 && p.minute == 0 && p.second == 0;
    std::string date = fourDigits(p.year) + "-" + twoDigits(p.month) + "-" + twoDigits(p.day);
    std::string time = twoDigits(p.hour) + ":" + twoDigits(p.minute) + ":" + twoDigits(p.second);
    // Midnight of the zero date (the date of a missing file) is written as a date: a bare
    // "#00:00:00#" would read as a time of day.
    if (zeroTime) return "#" + date + "#";
    if (zeroDate) return "#" + time + "#";
    return "#" + date + " " + time + "#";
}

std::optional<double> parseScanDate(std::string_view line) {
    std::string_view t = trimView(line);
    if (t.size() < 3 || t.front() != '#' || t.back() != '#') return std::nullopt;
    t = trimView(t.substr(1, t.size() - 2));
    std::string_view datePart, timePart;
    std::size_t blank = t.find(' ');
    if (blank != std::string_view::npos) {
        datePart = t.substr(0, blank);
        timePart = trimView(t.substr(blank + 1));
        if (datePart.find('-') == std::string_view::npos || timePart.find(':') == std::string_view::npos)
            return std::nullopt;
    } else if (t.find(':') != std::string_view::npos) {
        timePart = t;
    } else {
        datePart = t;
    }
    DateTimeParts parts;
    if (!datePart.empty()) {
        int d[3];
        if (!threeNumbers(datePart, '-', d) || !validDate(d[0], d[1], d[2])) return std::nullopt;
        parts.year = d[0];
        parts.month = d[1];
        parts.day = d[2];
    }
    if (!timePart.empty()) {
        int h[3];
        if (!threeNumbers(timePart, ':', h) || !validTime(h[0], h[1], h[2])) return std::nullopt;
        parts.hour = h[0];
        parts.minute = h[1];
        parts.second = h[2];
    }
    return partsToOle(parts);
}

std::string formatPrintedNumber(double value) {
    if (value == 0.0) value = 0.0;  // no "-0"
    char buffer[64];
    auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
    std::string text = ec == std::errc() ? std::string(buffer, end) : std::string("0");
    for (char& c : text)
        if (c == 'e') c = 'E';
    if (text.rfind("0.", 0) == 0)
        text.erase(0, 1);
    else if (text.rfind("-0.", 0) == 0)
        text.erase(1, 1);
    if (!std::signbit(value)) text.insert(text.begin(), ' ');
    return text;
}

std::optional<double> parsePrintedNumber(std::string_view text) {
    std::string_view t = trimView(text);
    if (t.empty()) return std::nullopt;
    // from_chars also takes "inf" and "nan", which a printed number never is.
    for (char c : t)
        if (!((c >= '0' && c <= '9') || c == '.' || c == '-' || c == '+' || c == 'E' || c == 'e'))
            return std::nullopt;
    if (t.front() == '+') return std::nullopt;
    double value = 0.0;
    auto [ptr, ec] = std::from_chars(t.data(), t.data() + t.size(), value, std::chars_format::general);
    if (ec != std::errc() || ptr != t.data() + t.size() || !std::isfinite(value)) return std::nullopt;
    return value;
}

}  // namespace tally
