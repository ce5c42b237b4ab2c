#pragma once
// Text a terminal can show without obeying it: control characters (C0, DEL and C1, also as raw bytes
// that are not UTF-8) become visible escapes such as \x1b, so a name in a project cannot move the
// cursor, retitle the window or ring the bell.

#include <string>
#include <string_view>

namespace tally {

// `utf8` with each control character and each byte outside a valid UTF-8 sequence written as \xNN
// (the code point for C1 characters, the byte otherwise); everything else unchanged.
std::string terminalText(std::string_view utf8);

// A message of one or more lines (ended by CR LF, LF or CR) in Windows-1252, decoded and made safe
// line by line; the lines are joined by LF.
std::string terminalMessageFromAnsi(std::string_view ansi);

// Model text (Windows-1252, with paths in the file system's UTF-8) decoded by displayUtf8 and made
// safe as above.
std::string terminalTextFromAnsi(std::string_view ansi);

}  // namespace tally
