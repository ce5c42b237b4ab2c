#pragma once
// Code points in and out of UTF-8, for the converters that hold text as UTF-8 (rich documents, HTML).

#include <cstddef>
#include <string>
#include <string_view>

namespace tally {

// Appends the UTF-8 form of `cp`; a surrogate or a value past U+10FFFF becomes U+FFFD.
void appendUtf8(std::string& out, char32_t cp);

// The code point that starts at `at`, moving `at` past it; a byte that starts no well-formed
// sequence gives U+FFFD and moves one byte on.
char32_t nextUtf8CodePoint(std::string_view text, std::size_t& at);

}  // namespace tally
