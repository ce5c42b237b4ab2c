#include "ui/reports/ReportPrinting.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QLocale>
#include <QPageLayout>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QTextDocument>
#include <algorithm>
#include <memory>

#include "ui/reports/RichTextConversion.h"

namespace tally {

namespace {

// Letter where the locale measures in inches, A4 elsewhere.
QPageSize localPageSize() {
    QLocale::MeasurementSystem system = QLocale::system().measurementSystem();
    return QPageSize(system == QLocale::ImperialUSSystem ? QPageSize::Letter : QPageSize::A4);
}

}  // namespace

int printReport(const QTextDocument& document, QPagedPaintDevice& device) {
    const double margin = kReportPrintMarginInches;
    QMarginsF wanted(margin, margin, margin, margin);
    // The printer's unprintable edge counts towards the margin: a wider edge wins.
    QPageLayout layout = device.pageLayout();
    QMarginsF least = layout.minimumMargins();
    QMarginsF inches = layout.units() == QPageLayout::Inch
                           ? least
                           : QPageLayout(layout.pageSize(), layout.orientation(), least, layout.units())
                                 .marginsPoints() / 72.0;
    wanted.setLeft(std::max(wanted.left(), inches.left()));
    wanted.setTop(std::max(wanted.top(), inches.top()));
    wanted.setRight(std::max(wanted.right(), inches.right()));
    wanted.setBottom(std::max(wanted.bottom(), inches.bottom()));
    device.setPageMargins(wanted, QPageLayout::Inch);

    QPainter painter;
    if (!painter.begin(&device)) return 0;
    // Formatted for the device itself (its resolution, its fonts), in the area inside the margins.
    std::unique_ptr<QTextDocument> copy(document.clone());
    copy->documentLayout()->setPaintDevice(&device);
    copy->setDocumentMargin(0);
    QRectF page = device.pageLayout().paintRectPixels(device.logicalDpiX());
    copy->setPageSize(page.size());
    fitReportTabStops(*copy, &device);
    QTextOption option = copy->defaultTextOption();
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    copy->setDefaultTextOption(option);

    const int pages = std::max(1, copy->pageCount());
    for (int number = 0; number < pages; ++number) {
        if (number > 0) device.newPage();
        painter.save();
        QRectF shown(0, number * page.height(), page.width(), page.height());
        painter.translate(0, -shown.top());
        painter.setClipRect(shown);
        QAbstractTextDocumentLayout::PaintContext context;
        context.clip = shown;
        copy->documentLayout()->draw(&painter, context);
        painter.restore();
    }
    painter.end();
    return pages;
}

QByteArray reportPdf(const QTextDocument& document, const QString& title) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::WriteOnly)) return {};
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(1200);
        writer.setTitle(title);
        writer.setCreator(QStringLiteral("Tallyscan 6"));
        writer.setPageSize(localPageSize());
        if (printReport(document, writer) == 0) return {};
    }
    buffer.close();
    return bytes;
}

}  // namespace tally
