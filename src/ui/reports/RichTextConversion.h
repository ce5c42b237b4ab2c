#pragma once
// The report viewer's text document and the core's RichDocument, both ways: what a report or an
// RTF file holds is shown with its fonts, sizes, colours, styles and alignment, and what the user
// made of it (typing, formatting) goes back to the core's RTF, HTML and plain-text writers.

#include <QFont>
#include <QString>

#include "core/reports/RichDocument.h"

class QPaintDevice;
class QTextDocument;

namespace tally {

// The viewer's font where a document names none (txtBody's font), at the reports' 10 points.
inline constexpr const char* kReportViewFont = "Arial";

// That font at 10 points, as the pane and its document use it.
QFont reportViewFont();

// Gives `target` the viewer's layout: its default font, text laid out in the font's design widths
// (as on paper), a narrow margin, and the default tab stops every 720 twips.
void applyReportLayout(QTextDocument& target);

// Puts the reports' tab stops (every 240 twips up to 4560, then every 720 twips) on every paragraph
// of `target`, where the viewer's font reaches them as drawn on `device` (the screen when null):
// report columns are padded with blanks measured in Arial's widths, so the stops must sit where
// that text ends on the device, or the cells of one column would land on different stops. Printing
// lays a copy out again for the printer with this.
void fitReportTabStops(QTextDocument& target, const QPaintDevice* device = nullptr);

// Replaces the contents of `target` with `document`: one block per paragraph with its alignment
// and the report tab stops for the screen, one fragment per run with its format. A run's font, size and colour are set only as far as the
// run has them, so what the document leaves to the reader stays open here too. The undo history
// starts afresh.
void setRichDocument(QTextDocument& target, const RichDocument& document);

// The document shown in `source` as a RichDocument: each block a paragraph, each fragment a run
// (neighbours of the same format joined), a line break within a block as '\n'. A document holding
// nothing but one empty block is an empty RichDocument; embedded objects are left out.
RichDocument richDocumentOf(const QTextDocument& source);

// Plain text as a RichDocument with one paragraph per line, all in the viewer's font at 10 points;
// a CR LF, a lone CR or a lone LF ends a line, and the line end after the last line starts no
// empty one (so plainText of the result gives the text back with its line ends).
RichDocument plainRichDocument(const QString& text);

}  // namespace tally
