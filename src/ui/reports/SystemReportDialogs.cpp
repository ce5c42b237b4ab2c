#include <QFontDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

#include "ui/reports/ReportPrinting.h"
#include "ui/reports/ReportViewerDialogs.h"

namespace tally {

// Qt's font dialog has no colour choice of its own; the selection keeps the colour it had.
std::optional<FontChoice> SystemReportDialogs::chooseFont(const FontChoice& initial, QWidget* parent) {
    bool chosen = false;
    QFont font = QFontDialog::getFont(&chosen, initial.font, parent, QString(), QFontDialog::ScalableFonts);
    if (!chosen) return std::nullopt;
    return FontChoice{font, initial.colour};
}

void SystemReportDialogs::print(const QTextDocument& document, QWidget* parent) {
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, parent);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    if (dialog.exec() != QDialog::Accepted) return;
    printReport(document, printer);
}

void SystemReportDialogs::preview(const QTextDocument& document, QWidget* parent) {
    QPrinter printer(QPrinter::HighResolution);
    QPrintPreviewDialog dialog(&printer, parent);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                     [&document](QPrinter* target) { printReport(document, *target); });
    dialog.resize(900, 700);
    dialog.exec();
}

}  // namespace tally
