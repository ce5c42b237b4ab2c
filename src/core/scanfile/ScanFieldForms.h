#pragma once
// The line forms of the fields of a Project Scan File: quoted texts, integers, booleans, dates and
// the printed-number form of the parse times. Every form is written and read without regard to the
// user's locale, so a scan saved on one machine opens on any other.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tally {

// A text field: the text enclosed in double quotes, unchanged.
std::string quoteScanText(std::string_view text);
// The same appended to `out`.
void appendQuotedScanText(std::string& out, std::string_view text);
// The text of a quoted field line: what lies between the first and the last double quote (so a
// text may itself hold quotes, commas and code-1 separators); nothing when the line is not quoted.
std::optional<std::string_view> unquoteScanText(std::string_view line);

// Hides the double quotes (as code 2) and commas (as code 3) of parameter lists and spell texts.
std::string escapeScanText(std::string_view text);
// Gives back the double quotes and commas that escapeScanText hid.
std::string unescapeScanText(std::string_view text);

// "#TRUE#" or "#FALSE#".
std::string formatScanBoolean(bool value);
std::optional<bool> parseScanBoolean(std::string_view line);

// What became of an integer field.
enum class IntegerCheck { Ok, NotANumber, Overflow };
// Decimal digits with an optional "-" in front; blanks around them are allowed. Values must fit in
// 32 bits.
IntegerCheck parseScanInteger(std::string_view line, std::int32_t& value);

// An OLE date as "#yyyy-mm-dd hh:mm:ss#", "#yyyy-mm-dd#" when the time is midnight, "#hh:mm:ss#"
// when the date part is zero; the zero date itself is "#1899-12-30#".
std::string formatScanDate(double oleDate);
// Any of the three date forms back to an OLE date; nothing for anything else or impossible dates.
std::optional<double> parseScanDate(std::string_view line);

// A number as a printed number: 15 significant digits without trailing zeros, exponent form
// ("E-05", "E+20") below 1E-4 and from 1E+15 on, no zero before the decimal point, and a blank in
// place of the sign of a non-negative value (0.5 gives " .5", -0.25 gives "-.25").
std::string formatPrintedNumber(double value);
// Any decimal number with or without the leading blank or zero, with or without an exponent.
std::optional<double> parsePrintedNumber(std::string_view text);

}  // namespace tally
