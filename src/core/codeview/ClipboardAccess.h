#pragma once
// The system clipboard as the code view's Cut, Copy and Paste use it. The front end implements it.

#include <string>
#include <string_view>

namespace tally {

class ClipboardAccess {
public:
    virtual ~ClipboardAccess() = default;
    virtual void clear() = 0;
    // Puts text (Windows-1252, lines in CR LF) on the clipboard.
    virtual void setText(std::string_view text) = 0;
    // The clipboard's text, empty when it holds none.
    virtual std::string text() const = 0;
    virtual bool hasText() const = 0;
};

}  // namespace tally
