#pragma once
// Laying a report out on paper: the viewer's document formatted for the page of a printer or a PDF
// writer, inside margins of half an inch (720 twips) on every side, and drawn page by page. The
// print command, the print preview and saving as .pdf all go through here, so a saved PDF is what
// the printer would have put on paper.

#include <QByteArray>

class QPagedPaintDevice;
class QTextDocument;

namespace tally {

// The margin around a printed report, in inches.
inline constexpr double kReportPrintMarginInches = 0.5;

// Gives `device` the report's margins (never less than what the device can print), then formats a
// copy of `document` for the area inside them and paints it page after page. The number of pages
// painted; 0 when the device could not be painted on.
int printReport(const QTextDocument& document, QPagedPaintDevice& device);

// The document printed into a PDF file held in memory (A4 or Letter as the locale has it); empty
// when the PDF could not be made.
QByteArray reportPdf(const QTextDocument& document, const QString& title);

}  // namespace tally
