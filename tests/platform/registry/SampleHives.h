#pragma once
// Registry files as Wine writes them, and small helpers, for the hive and store tests.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/registry/RegistryStore.h"

namespace tally::samples {

// A user.reg with the usual kinds of keys and values: a continued hex line, a key with a class, a
// link key, escapes outside ASCII.
inline constexpr std::string_view kUserReg = R"reg(WINE REGISTRY Version 2
;; All keys relative to \\User\\S-1-5-21-0-0-0-1000

#arch=win32

[Control Panel\\Desktop] 1700000000
#time=1da1747c67fd687
"DragFullWindows"="0"
"FontSmoothing"="2"
"UserPreferencesMask"=hex:10,00,02,80

[Environment] 1700000001
#time=1da1747c6896d27
"TEMP"=str(2):"%USERPROFILE%\\Temp"
"PATH"=str(2):"C:\\windows\\system32;C:\\windows"

[Software\\Vendor\\Tool] 1700000002
#time=1da1747c692f3c7
@="Tool \"default\""
"Count"=dword:0000000a
"Blob"=hex:00,01,02,03,04,05,06,07,08,09,0a,0b,0c,0d,0e,0f,10,11,12,13,14,15,\
  16,17,18,19
"Lines"=str(7):"one\0two\0"
"Big"=hex(b):01,00,00,00,00,00,00,00
"Caf\xe9"="na\xefve \x20ac"

[Software\\Vendor\\Tool\\Sub] 1700000003
#time=1da1747c69c7a67
#class="ToolClass"
"Level"=dword:00000003

[Software\\Wine\\Link] 1700000004
#time=1da1747c6a60107
#link
"SymbolicLinkValue"=hex(6):5c,00,52,00
)reg";

// The same with Windows line ends.
inline std::string withCrLf(std::string_view text) {
    std::string out;
    for (char c : text) {
        if (c == '\n') out.push_back('\r');
        out.push_back(c);
    }
    return out;
}

// A FILETIME a second past 1700000000 (2023-11-14 22:13:20 UTC) and a bit, for new sections.
inline constexpr std::uint64_t kFixedTicks = 133444736000000000ull + 1234567ull;
inline constexpr std::string_view kFixedStamp = "] 1700000000\n#time=1da1747c67fd687\n";

// An open key without values.
inline bool noValues(const std::optional<std::vector<RegValue>>& values) {
    return values && values->empty();
}

}  // namespace tally::samples
