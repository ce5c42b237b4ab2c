#pragma once
// The system clipboard for the code view's Cut, Copy and Paste. Text goes out with the desktop's
// own line breaks and comes back in with CR LF, whatever line breaks the other program used.

#include "core/codeview/ClipboardAccess.h"
#include "core/text/TextCodec.h"

#include <QString>

namespace tally {

class SystemClipboard final : public ClipboardAccess {
public:
    // The code page of the text that goes out and comes in; null for Windows-1252. Text coming in
    // is checked by the caller first: a character the code page lacks would become '?'.
    void setCodec(const TextCodec* codec) { m_codec = codec; }

    void clear() override;
    void setText(std::string_view text) override;
    std::string text() const override;
    bool hasText() const override;
    // The clipboard's text as the desktop holds it.
    static QString desktopText();

private:
    const TextCodec* m_codec = nullptr;
};

}  // namespace tally
