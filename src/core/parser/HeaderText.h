#pragma once
// Parts of a routine header or Declare statement: the parameter list and the declared return type.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace tally {

// Where the parameter list of a header lies: `open` at its first "(", `close` at the ")" that closes
// it. Parentheses inside (array parameters, defaults) are counted and string literals skipped, so a
// function returning an array keeps "As Long()" out of its parameters. When the list is never closed
// the last ")" after `open` is taken.
struct ParamSpan {
    std::size_t open = std::string_view::npos;
    std::size_t close = std::string_view::npos;

    bool found() const { return open != std::string_view::npos && close != std::string_view::npos; }
    // The text between the parentheses, trimmed; empty when there is no list.
    std::string_view inside(std::string_view header) const;
};

ParamSpan paramSpanOf(std::string_view header);

// The type after ") As " (any case) where that ")" closes the parameter list: the text up to the
// header's last space, or to its end when that space comes before the type; trimmed. Without a
// parameter list the last ") As " of the header counts. Nothing when there is no such type.
std::optional<std::string> returnTypeOf(std::string_view header, const ParamSpan& span);

// The text before the first apostrophe (the whole text when there is none).
std::string_view beforeApostrophe(std::string_view text);

}  // namespace tally
