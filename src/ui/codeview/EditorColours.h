#pragma once
// The colours of the code view's characters. The editor's document holds plain text only; the
// colours live beside it, one per character, and are drawn through each line's layout formats (the
// way a syntax highlighter draws). They are not part of the text: colouring never enters the undo
// history, never reports a text change, and a whole pass is handed to the layouts in one go.

#include <QColor>
#include <QHash>
#include <QObject>
#include <QTextCharFormat>
#include <span>
#include <vector>

#include "core/codeview/CodeColours.h"

class QTextDocument;

namespace tally {

// `length` characters from the document position `start` get `colour`.
struct EditorColourRun {
    int start = 0;
    int length = 0;
    Colour colour = kPlainColour;
};

class EditorColours : public QObject {
    Q_OBJECT
public:
    explicit EditorColours(QTextDocument* document, QObject* parent = nullptr);

    // Colours characters of the document (positions count a paragraph break as one character).
    void paint(int start, int length, Colour colour);
    // Colours many ranges in order (a later run wins) and redraws the lines once.
    void paintMany(std::span<const EditorColourRun> runs);
    // The colour of the character at `position`; plain past the end.
    Colour colourAt(int position) const;
    // The colour of text typed next at `position` (a rich-text box's colour for an empty selection).
    void setTypingColour(int position, Colour colour);

private:
    void contentsChanged(int position, int removed, int added);
    int documentLength() const;
    void redraw(int from, int to);
    const QTextCharFormat& formatOf(Colour colour);

    QTextDocument* m_document;
    std::vector<Colour> m_colours;  // one per character of the document
    int m_typingPosition = -1;
    Colour m_typingColour = kPlainColour;
    QHash<Colour, QTextCharFormat> m_formats;
};

}  // namespace tally
