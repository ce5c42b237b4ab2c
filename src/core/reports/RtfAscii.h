#pragma once
// Report documents are Windows-1252 (\ansi) and pure ASCII on disk: every character beyond ASCII
// in an assembled document is written as an escape, so any reader shows it right whatever code
// page it assumes for raw bytes.

#include <string>
#include <string_view>

namespace tally {

// The document with each character beyond ASCII escaped: \'hh with its Windows-1252 byte, or
// \uN\'3f ("?" for readers without Unicode) when the code page has none. The builders decode the
// project's texts to UTF-8 with its codecs; text they did not decode keeps the mixed reading: a
// well-formed UTF-8 sequence is one character, every other byte a Windows-1252 character. Control
// words are ASCII, so only text is touched.
std::string rtfAsciiDocument(std::string_view document);

// Appends \'hh for the byte.
void appendRtfByteEscape(std::string& out, int byte);
// Appends \uN (two, as surrogates, past the BMP), each followed by `fallback`, what a reader
// without Unicode shows instead.
void appendRtfUnicodeEscape(std::string& out, char32_t cp, std::string_view fallback);

}  // namespace tally
