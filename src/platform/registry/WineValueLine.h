#pragma once
// One value of a key section in a Wine registry file, read and written: `@=` or `"Name"=`, then a
// quoted string (REG_SZ), `str(N):"..."`, `dword:XXXXXXXX`, `hex:` or `hex(N):` bytes. Hex bytes may
// run over several lines, each but the last ending in a backslash.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "core/registry/RegistryStore.h"

namespace tally::winereg {

struct ValueLineRead {
    std::optional<RegValue> value;  // nothing when the line is not a value this reader understands
    std::size_t end = 0;            // just past the line end of the value's last line
    // The name holds characters Windows-1252 lacks: value->name has '?' for them, and nameUnits is
    // the name as the file has it.
    bool nameLossy = false;
    std::u16string nameUnits;
};

// Reads the value whose line starts at `start` in `text`. A value that cannot be read still gives
// the end of its first line, so that the caller can keep the line as it is and go on.
ValueLineRead readValueLine(std::string_view text, std::size_t start);

// The lines Wine would write for `value`, each ending in `newline`. String data are ANSI and are
// written as UTF-16 text; data that do not end in a NUL go out as hex of their UTF-16 bytes, since
// only a terminated string has a quoted form.
std::string writeValueLine(const RegValue& value, std::string_view newline);
// The same with the name written as `nameToken` (`@` or the quoted name as some line had it), so
// that a line written again keeps its name as it was spelled, whatever the ANSI name lost.
std::string writeValueLine(const RegValue& value, std::string_view newline, std::string_view nameToken);

// The name of the value line `line` as it is written there (`@`, or the name with its quotes);
// empty when the line starts with neither.
std::string_view valueNameToken(std::string_view line);

}  // namespace tally::winereg
