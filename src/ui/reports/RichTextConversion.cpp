#include "ui/reports/RichTextConversion.h"

#include <QFont>
#include <QGuiApplication>
#include <QScreen>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>
#include <QTextOption>
#include <cmath>

#include "core/reports/TextWidth.h"

namespace tally {

namespace {

constexpr double kTwipsPerPoint = 20.0;
constexpr double kPointsPerInch = 72.0;

double screenDpi() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->logicalDotsPerInchY() : 96.0;
}

// How wide the viewer's font draws on `device` (the screen when null) against Arial's own widths,
// which the reports pad their columns with. Font engines may draw at a rounded pixel size (10
// points are 13 pixels, not 13 1/3, on many screens); the tab stops follow the text, or padded
// cells would fall on either side of a stop.
double drawnScale(const QFont& font, const QPaintDevice* device) {
    static const char kSample[] = "Routine Name ResetFormats modMain.bas PropertyPage_SelectionChanged 0123456789";
    QTextLayout layout(QString::fromLatin1(kSample), font, const_cast<QPaintDevice*>(device));
    QTextOption option;
    option.setUseDesignMetrics(true);
    layout.setTextOption(option);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    layout.endLayout();
    if (!line.isValid()) return 1.0;
    double dpi = device ? device->logicalDpiX() : screenDpi();
    double expected = TextWidth(font.pointSizeF()).twips(kSample) / kTwipsPerPoint * dpi / kPointsPerInch;
    double drawn = line.naturalTextWidth();
    return expected > 0 && drawn > 0 ? drawn / expected : 1.0;
}

// Tab positions are given in the pixels of the screen's logical resolution; the text layout
// scales them to the device it lays out for (a printer, a PDF writer) by the two resolutions.
double pixelsOfTwips(double twips, double scale) {
    return twips / kTwipsPerPoint * screenDpi() / kPointsPerInch * scale;
}

QList<QTextOption::Tab> reportTabs(double scale) {
    QList<QTextOption::Tab> tabs;
    for (double twips = kReportTabStep; twips <= kReportLastTabStop; twips += kReportTabStep)
        tabs.append(QTextOption::Tab(pixelsOfTwips(twips, scale), QTextOption::LeftTab));
    return tabs;
}

QTextBlockFormat blockFormatFor(RichAlignment alignment, const QList<QTextOption::Tab>& tabs) {
    QTextBlockFormat format;
    switch (alignment) {
        case RichAlignment::Center: format.setAlignment(Qt::AlignHCenter); break;
        case RichAlignment::Right: format.setAlignment(Qt::AlignRight); break;
        case RichAlignment::Justify: format.setAlignment(Qt::AlignJustify); break;
        case RichAlignment::Left: format.setAlignment(Qt::AlignLeft); break;
    }
    format.setTabPositions(tabs);
    return format;
}

RichAlignment alignmentOf(const QTextBlockFormat& format) {
    Qt::Alignment horizontal = format.alignment() & Qt::AlignHorizontal_Mask;
    if (horizontal & Qt::AlignJustify) return RichAlignment::Justify;
    if (horizontal & Qt::AlignHCenter) return RichAlignment::Center;
    if (horizontal & Qt::AlignRight) return RichAlignment::Right;
    return RichAlignment::Left;
}

QTextCharFormat charFormatFor(const RichFormat& format) {
    QTextCharFormat out;
    if (!format.font.empty()) out.setFontFamilies({QString::fromStdString(format.font)});
    out.setFontPointSize(format.halfPoints / 2.0);
    out.setFontWeight(format.bold ? QFont::Bold : QFont::Normal);
    out.setFontItalic(format.italic);
    out.setFontUnderline(format.underline);
    if (format.colour) out.setForeground(QColor(format.colour->red, format.colour->green, format.colour->blue));
    return out;
}

// What a fragment shows: a size or font it does not set is the document's default.
RichFormat richFormatOf(const QTextCharFormat& format, const QFont& documentFont) {
    RichFormat out;
    QStringList families = format.fontFamilies().toStringList();
    QString family = families.isEmpty() ? documentFont.family() : families.first();
    out.font = family.toStdString();
    double points = format.hasProperty(QTextFormat::FontPointSize) ? format.fontPointSize() : documentFont.pointSizeF();
    out.halfPoints = std::max(1, static_cast<int>(std::lround(points * 2.0)));
    out.bold = format.fontWeight() >= QFont::DemiBold;
    out.italic = format.fontItalic();
    out.underline = format.fontUnderline();
    if (format.hasProperty(QTextFormat::ForegroundBrush) && format.foreground().style() != Qt::NoBrush) {
        QColor colour = format.foreground().color();
        out.colour = RichColour{static_cast<std::uint8_t>(colour.red()), static_cast<std::uint8_t>(colour.green()),
                                static_cast<std::uint8_t>(colour.blue())};
    }
    return out;
}

// A run's text as the document holds it: a line break inside the paragraph is the line separator.
QString shownText(const std::string& text) {
    QString shown = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    shown.replace(QLatin1Char('\n'), QChar(QChar::LineSeparator));
    return shown;
}

// A fragment's text for the core: line separators back to '\n', and nothing of the characters that
// stand for frames and embedded objects.
std::string coreText(const QString& text) {
    QString kept;
    kept.reserve(text.size());
    for (QChar c : text) {
        if (c == QChar::LineSeparator) kept += QLatin1Char('\n');
        else if (c == QChar::ObjectReplacementCharacter || c == QChar(0xFDD0) || c == QChar(0xFDD1) ||
                 c == QChar::ParagraphSeparator)
            continue;
        else kept += c;
    }
    return kept.toStdString();
}

}  // namespace

QFont reportViewFont() {
    QFont font(QString::fromLatin1(kReportViewFont));
    font.setPointSizeF(kReportPointSize);
    return font;
}

void applyReportLayout(QTextDocument& target) {
    target.setDefaultFont(reportViewFont());
    // The reports pad their columns with blanks measured in Arial's own advance widths; laid out
    // with the screen's rounded (hinted) widths, the padding would fall short or run over a stop.
    target.setUseDesignMetrics(true);
    target.setDocumentMargin(4);
    QTextOption option = target.defaultTextOption();
    option.setTabStopDistance(pixelsOfTwips(kReportDefaultTab, drawnScale(target.defaultFont(), nullptr)));
    target.setDefaultTextOption(option);
}

void fitReportTabStops(QTextDocument& target, const QPaintDevice* device) {
    const double scale = drawnScale(target.defaultFont(), device);
    QTextBlockFormat format;
    format.setTabPositions(reportTabs(scale));
    QTextCursor cursor(&target);
    cursor.select(QTextCursor::Document);
    cursor.mergeBlockFormat(format);
    QTextOption option = target.defaultTextOption();
    option.setTabStopDistance(pixelsOfTwips(kReportDefaultTab, scale));
    target.setDefaultTextOption(option);
}

void setRichDocument(QTextDocument& target, const RichDocument& document) {
    target.setUndoRedoEnabled(false);
    target.clear();
    QTextCursor cursor(&target);
    const QList<QTextOption::Tab> tabs = reportTabs(drawnScale(target.defaultFont(), nullptr));
    bool first = true;
    for (const RichParagraph& paragraph : document.paragraphs) {
        QTextBlockFormat block = blockFormatFor(paragraph.alignment, tabs);
        if (first) cursor.setBlockFormat(block);
        else cursor.insertBlock(block, cursor.charFormat());
        first = false;
        for (const RichRun& run : paragraph.runs) cursor.insertText(shownText(run.text), charFormatFor(run.format));
    }
    if (first) cursor.setBlockFormat(blockFormatFor(RichAlignment::Left, tabs));
    target.setUndoRedoEnabled(true);
    target.setModified(false);
}

RichDocument richDocumentOf(const QTextDocument& source) {
    RichDocument out;
    const QFont documentFont = source.defaultFont();
    for (QTextBlock block = source.begin(); block.isValid(); block = block.next()) {
        out.paragraphs.emplace_back();
        out.paragraphs.back().alignment = alignmentOf(block.blockFormat());
        for (QTextBlock::iterator it = block.begin(); !it.atEnd(); ++it) {
            QTextFragment fragment = it.fragment();
            if (!fragment.isValid()) continue;
            appendRichText(out, coreText(fragment.text()), richFormatOf(fragment.charFormat(), documentFont));
        }
    }
    if (out.paragraphs.size() == 1 && out.paragraphs.front().runs.empty()) out.paragraphs.clear();
    return out;
}

RichDocument plainRichDocument(const QString& text) {
    RichFormat format;
    format.font = kReportViewFont;
    format.halfPoints = static_cast<int>(kReportPointSize * 2);
    RichDocument out;
    QString normal = text;
    normal.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    normal.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    QStringList lines = normal.split(QLatin1Char('\n'));
    // The line end after the last line ends that line; it starts no empty one.
    if (!lines.isEmpty() && lines.back().isEmpty()) lines.removeLast();
    for (const QString& line : lines) {
        out.paragraphs.emplace_back();
        appendRichText(out, line.toStdString(), format);
    }
    return out;
}

}  // namespace tally
