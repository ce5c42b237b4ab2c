// The viewer's text document and the core's rich documents: what goes in comes out with its text,
// fonts, sizes, colours, styles and alignment; plain text stays plain; the report tab stops line
// columns up; the toolbar's reading of a selection; and the printed pages.

#include <QBuffer>
#include <QPdfWriter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>
#include <QtTest>
#include <memory>

#include "core/reports/RtfReader.h"
#include "core/reports/RtfWriter.h"
#include "ReportTestSupport.h"
#include "ui/reports/ReportPrinting.h"
#include "ui/reports/ReportSelectionState.h"
#include "ui/reports/RichTextConversion.h"

using namespace tally;

namespace {

RichFormat format(std::string font, int halfPoints, bool bold = false, bool italic = false, bool underline = false,
                  std::optional<RichColour> colour = std::nullopt) {
    return RichFormat{std::move(font), halfPoints, bold, italic, underline, colour};
}

// A document with something of every kind the viewer keeps.
RichDocument sampleDocument() {
    RichDocument document;
    document.paragraphs.push_back({RichAlignment::Center, {{"Project Code Report", format("Arial", 26, true, false, false, RichColour{0, 0, 127})}}});
    document.paragraphs.push_back({RichAlignment::Left,
                                   {{"Name\t", format("Arial", 20)},
                                    {"italic ", format("Times New Roman", 24, false, true)},
                                    {"under", format("Courier New", 18, false, false, true, RichColour{0, 127, 0})},
                                    {"line\nbreak \xC3\xA9\xE2\x82\xAC\xE4\xB8\xAD", format("Arial", 20, true, true, true)}}});
    document.paragraphs.push_back({RichAlignment::Left, {}});
    document.paragraphs.push_back({RichAlignment::Right, {{"right {braces} \\ back", format("Arial", 20)}}});
    document.paragraphs.push_back({RichAlignment::Justify, {{"justified", format("Arial", 40)}}});
    return document;
}

QString texts(const RichDocument& document) {
    return QString::fromStdString(plainText(document, "|"));
}

// Where the character at `position` of a block starts on its line, once laid out.
qreal xOf(QTextDocument& document, int blockNumber, int position) {
    document.adjustSize();
    QTextBlock block = document.findBlockByNumber(blockNumber);
    return block.layout()->lineForTextPosition(position).cursorToX(position);
}

QTextCursor selection(QTextDocument& document, int from, int to) {
    QTextCursor cursor(&document);
    cursor.setPosition(from);
    cursor.setPosition(to, QTextCursor::KeepAnchor);
    return cursor;
}

}  // namespace

class RichTextConversionTest : public QObject {
    Q_OBJECT

private slots:
    void aDocumentComesBackAsItWentIn() {
        QTextDocument shown;
        applyReportLayout(shown);
        setRichDocument(shown, sampleDocument());
        QCOMPARE(shown.blockCount(), 5);
        RichDocument back = richDocumentOf(shown);
        QCOMPARE(texts(back), texts(sampleDocument()));
        QVERIFY(back == sampleDocument());
        // and through the RTF the viewer saves
        QVERIFY(readRtf(writeRtf(back)) == sampleDocument());
    }

    void theDocumentShowsTheFormatsItWasGiven() {
        QTextDocument shown;
        applyReportLayout(shown);
        setRichDocument(shown, sampleDocument());
        QTextBlock title = shown.begin();
        QCOMPARE(title.blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
        QTextCharFormat titleFormat = title.begin().fragment().charFormat();
        QCOMPARE(titleFormat.fontWeight(), int(QFont::Bold));
        QCOMPARE(titleFormat.fontPointSize(), 13.0);
        QCOMPARE(titleFormat.foreground().color(), QColor(0, 0, 127));
        QCOMPARE(titleFormat.fontFamilies().toStringList(), QStringList{QStringLiteral("Arial")});
        // a line break inside the paragraph stays inside it
        QVERIFY(title.next().text().contains(QChar(QChar::LineSeparator)));
        QVERIFY(!shown.isUndoAvailable());
        QVERIFY(!shown.isModified());
    }

    void textTypedWithoutAFontTakesTheViewersFont() {
        QTextDocument shown;
        applyReportLayout(shown);
        QTextCursor cursor(&shown);
        cursor.insertText(QStringLiteral("typed"));
        RichDocument back = richDocumentOf(shown);
        QCOMPARE(back.paragraphs.size(), std::size_t(1));
        QCOMPARE(back.paragraphs[0].runs.size(), std::size_t(1));
        QCOMPARE(back.paragraphs[0].runs[0].format.font, std::string("Arial"));
        QCOMPARE(back.paragraphs[0].runs[0].format.halfPoints, 20);
        QVERIFY(!back.paragraphs[0].runs[0].format.colour);
    }

    void anEmptyDocumentStaysEmpty() {
        QTextDocument shown;
        applyReportLayout(shown);
        setRichDocument(shown, RichDocument{});
        QCOMPARE(shown.blockCount(), 1);
        QVERIFY(richDocumentOf(shown).paragraphs.empty());
    }

    void neighbouringFragmentsOfOneFormatMakeOneRun() {
        QTextDocument shown;
        applyReportLayout(shown);
        QTextCursor cursor(&shown);
        QTextCharFormat plain;
        cursor.insertText(QStringLiteral("one "), plain);
        QTextCharFormat anchor;  // differs only in what the core does not keep
        anchor.setAnchor(true);
        cursor.insertText(QStringLiteral("two"), anchor);
        RichDocument back = richDocumentOf(shown);
        QCOMPARE(back.paragraphs[0].runs.size(), std::size_t(1));
        QCOMPARE(back.paragraphs[0].runs[0].text, std::string("one two"));
    }

    void plainTextIsTakenLineByLineWithoutReadingControlWords() {
        RichDocument document = plainRichDocument(QStringLiteral("{\\rtf1 \\b bold}\r\nsecond\rthird\n\nfifth\n"));
        QCOMPARE(texts(document), QStringLiteral("{\\rtf1 \\b bold}|second|third||fifth|"));
        QCOMPARE(document.paragraphs[0].runs[0].format.bold, false);
        QCOMPARE(document.paragraphs[0].runs[0].format.font, std::string("Arial"));
        QCOMPARE(plainText(document, "\r\n"), std::string("{\\rtf1 \\b bold}\r\nsecond\r\nthird\r\n\r\nfifth\r\n"));
        // the last line without a line end is a line all the same
        QCOMPARE(texts(plainRichDocument(QStringLiteral("a\nb"))), QStringLiteral("a|b|"));
    }

    void aTabTakesTheTextOnToTheNextReportTabStop() {
        RichDocument document;
        document.paragraphs.push_back({RichAlignment::Left, {{"Main\tmodMain.bas", format("Arial", 20)}}});
        document.paragraphs.push_back({RichAlignment::Left, {{"ArchiveOld\tmodMain.bas", format("Arial", 20)}}});
        QTextDocument shown;
        applyReportLayout(shown);
        setRichDocument(shown, document);
        // the stops are a sixth of an inch (240 twips) apart, 19 of them up to 4560 twips
        QList<QTextOption::Tab> tabs = shown.begin().blockFormat().tabPositions();
        QCOMPARE(tabs.size(), 19);
        QVERIFY(qAbs(tabs[1].position - 2 * tabs[0].position) < 0.01);
        QVERIFY(qAbs(tabs.last().position - 19 * tabs[0].position) < 0.01);
        const qreal step = tabs[0].position;
        // each second column starts on the first stop after the end of its first column
        for (auto [block, tab] : {std::pair{0, 4}, std::pair{1, 10}}) {
            qreal end = xOf(shown, block, tab);
            qreal next = xOf(shown, block, tab + 1);
            qreal stops = next / step;
            QVERIFY2(qAbs(stops - qRound(stops)) < 0.01, qPrintable(QString::number(next)));
            QVERIFY(next > end);
            QVERIFY(next - end <= step + 0.01);
        }
        // past the last report stop, the default stops every 720 twips take over
        QCOMPARE(shown.defaultTextOption().tabStopDistance(), 3 * step);
    }

    void stylesAreDownOnlyWhenTheWholeSelectionHasThem() {
        RichDocument document;
        document.paragraphs.push_back({RichAlignment::Left,
                                       {{"bold", format("Arial", 20, true)}, {"plain", format("Arial", 20)}}});
        document.paragraphs.push_back({RichAlignment::Center, {{"centred", format("Arial", 20, false, true)}}});
        QTextDocument shown;
        applyReportLayout(shown);
        setRichDocument(shown, document);

        ReportSelectionState boldOnly = selectionStateOf(selection(shown, 0, 4));
        QVERIFY(boldOnly.bold);
        QCOMPARE(boldOnly.alignment, SelectionAlignment::Left);
        ReportSelectionState mixed = selectionStateOf(selection(shown, 2, 7));
        QVERIFY(!mixed.bold);
        QVERIFY(!selectionStateOf(selection(shown, 4, 9)).bold);
        // the line end between the paragraphs does not make the selection mixed
        ReportSelectionState centred = selectionStateOf(selection(shown, 10, 17));
        QVERIFY(centred.italic);
        QCOMPARE(centred.alignment, SelectionAlignment::Center);
        QCOMPARE(selectionStateOf(selection(shown, 3, 12)).alignment, SelectionAlignment::Mixed);
        // without a selection, the caret's typing format: after "bol" it is bold
        ReportSelectionState caret = selectionStateOf(selection(shown, 3, 3));
        QVERIFY(caret.bold);
        QVERIFY(!selectionStateOf(selection(shown, 7, 7)).bold);
    }

    void aLongReportIsPrintedOnSeveralPagesInsideHalfInchMargins() {
        RichDocument document;
        for (int line = 0; line < 150; ++line)
            document.paragraphs.push_back({RichAlignment::Left, {{"Line " + std::to_string(line), format("Arial", 20)}}});
        QTextDocument shown;
        applyReportLayout(shown);
        setRichDocument(shown, document);

        QByteArray bytes;
        QBuffer buffer(&bytes);
        QVERIFY(buffer.open(QIODevice::WriteOnly));
        QPdfWriter writer(&buffer);
        writer.setPageSize(QPageSize(QPageSize::Letter));
        int pages = printReport(shown, writer);
        QVERIFY2(pages >= 3, qPrintable(QString::number(pages)));
        QMarginsF margins = writer.pageLayout().margins(QPageLayout::Inch);
        QCOMPARE(margins, QMarginsF(0.5, 0.5, 0.5, 0.5));
        // the viewer's own document is left as it was
        QCOMPARE(shown.documentMargin(), 4.0);
    }

    void theColumnsOfAReportLineUpOnThePrintedPage() {
        const std::string report = test::sampleCodeReport(test::sampleModel());
        QTextDocument shown;
        applyReportLayout(shown);
        setRichDocument(shown, readRtf(report));
        QBuffer buffer;
        QVERIFY(buffer.open(QIODevice::WriteOnly));
        QPdfWriter writer(&buffer);
        writer.setResolution(1200);
        std::unique_ptr<QTextDocument> copy(shown.clone());
        copy->documentLayout()->setPaintDevice(&writer);
        copy->setPageSize(QSizeF(9000, 12000));
        fitReportTabStops(*copy, &writer);
        QList<qreal> starts = test::secondColumnStarts(*copy, QStringLiteral("Routine Name"), QStringLiteral("PropertyPage_Sel"));
        QCOMPARE(starts.size(), 12);
        for (qreal start : starts) QCOMPARE(start, starts.first());
        // about 3600 twips (2.5 inches) in
        QVERIFY2(qAbs(starts.first() - 2.5 * 1200) < 1200 * 0.1, qPrintable(QString::number(starts.first())));
    }
};

QTEST_MAIN(RichTextConversionTest)
#include "RichTextConversionTest.moc"
