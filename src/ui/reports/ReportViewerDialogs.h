#pragma once
// The dialogs of the report viewer beyond the message boxes and file dialogs of UserPrompts: the
// font dialog, the print dialog and the print preview. The program shows the system's; tests
// answer from a script.

#include <QColor>
#include <QFont>
#include <optional>

class QTextDocument;
class QWidget;

namespace tally {

// A font as the font dialog shows and returns it.
struct FontChoice {
    QFont font;  // family, point size, bold, italic, underline
    QColor colour;
};

class ReportViewerDialogs {
public:
    virtual ~ReportViewerDialogs() = default;
    // The font dialog opened on `initial`; nothing when the user cancels.
    virtual std::optional<FontChoice> chooseFont(const FontChoice& initial, QWidget* parent) = 0;
    // Prints `document` on a printer the user confirms (the default one first).
    virtual void print(const QTextDocument& document, QWidget* parent) = 0;
    // Shows the pages `document` would print as, with a button that prints them.
    virtual void preview(const QTextDocument& document, QWidget* parent) = 0;
};

// The system's font dialog, print dialog and print preview.
class SystemReportDialogs final : public ReportViewerDialogs {
public:
    std::optional<FontChoice> chooseFont(const FontChoice& initial, QWidget* parent) override;
    void print(const QTextDocument& document, QWidget* parent) override;
    void preview(const QTextDocument& document, QWidget* parent) override;
};

}  // namespace tally
