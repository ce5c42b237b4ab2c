#pragma once
// The system clipboard for the code view's Cut, Copy and Paste. Text goes out with the desktop's
// own line breaks and comes back in with CR LF, whatever line breaks the other program used.

#include "core/codeview/ClipboardAccess.h"

namespace tally {

class SystemClipboard final : public ClipboardAccess {
public:
    void clear() override;
    void setText(std::string_view text) override;
    std::string text() const override;
    bool hasText() const override;
};

}  // namespace tally
