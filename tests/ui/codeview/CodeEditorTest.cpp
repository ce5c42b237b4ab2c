// The code view's text pane as the core sees it: exact text round trips through the editor, the
// position mapping between CR LF and paragraph breaks, colours that behave like the memory view's,
// and colouring kept out of the undo history.

#include <QtTest>

#include "core/codeview/CodeScanner.h"
#include "core/codeview/MemoryRichTextView.h"
#include "ui/codeview/CodeEditor.h"
#include "ui/codeview/CodeTextCodec.h"
#include "ui/codeview/EditorRichTextView.h"

using namespace tally;

namespace {

// Every byte of the code page, CR LF line ends, and a lone CR and a lone LF.
std::string everyByte() {
    std::string text = "Dim a\r\n";
    for (int byte = 0; byte < 256; ++byte)
        if (byte != '\r' && byte != '\n') text += static_cast<char>(byte);
    text += "\r\nx\ry\nz\r\n\r\nEnd Sub";
    return text;
}

// The colour of each character that is not part of a line end, one letter each:
// '.' plain, 'k' keyword, 'c' comment, 'r' red.
QString paint(const RichTextView& view, std::function<Colour(std::size_t)> colourAt) {
    std::string text = view.text();
    QString out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') continue;
        Colour c = colourAt(i);
        out += c == kPlainColour     ? '.'
               : c == kKeywordColour ? 'k'
               : c == kCommentColour ? 'c'
               : c == 255            ? 'r'
                                     : '?';
    }
    return out;
}

}  // namespace

class CodeEditorTest : public QObject {
    Q_OBJECT

private slots:
    // The widget reports the caret and the selection of an edit before the document's own change
    // signal: positions asked for then (the code view asks for the selection's length) are already
    // those of the new text.
    void positionsAskedWhileTheWidgetReportsAnEditAreThoseOfTheNewText() {
        CodeEditor editor;
        EditorRichTextView view(&editor);
        view.setText("abc\r\ndef");
        view.setSelStart(0);
        view.setSelLength(3);
        QCOMPARE(view.textLength(), std::size_t(8));
        std::vector<std::pair<std::size_t, std::size_t>> asked;  // length and caret
        auto ask = [&] { asked.emplace_back(view.textLength(), view.selStart()); };
        QObject::connect(&editor, &QPlainTextEdit::selectionChanged, &editor, ask);
        QObject::connect(&editor, &QPlainTextEdit::cursorPositionChanged, &editor, ask);
        view.setSelText("x\r\nyy");
        QCOMPARE(view.text(), std::string("x\r\nyy\r\ndef"));
        QVERIFY(!asked.empty());
        for (const auto& [length, caret] : asked) {
            QCOMPARE(length, std::size_t(10));
            QCOMPARE(caret, std::size_t(5));
        }
    }

    void everyByteAndLineEndComesBackUnchanged() {
        std::string text = everyByte();
        const CodeTextCodec western;
        QCOMPARE(western.coreTextOf(western.editorTextOf(text)), text);
        CodeEditor editor;
        EditorRichTextView view(&editor);
        view.setText(text);
        QCOMPARE(view.text(), text);
        // The lone CR and LF are one visible character each.
        QVERIFY(editor.toPlainText().contains(QStringLiteral("x\u240Dy\u240Az")));
        // The undefined bytes and the ones that differ from Latin-1 survive a typed edit elsewhere.
        view.setSelStart(0);
        view.setSelText("' ");
        QCOMPARE(view.text(), "' " + text);
    }

    void positionsCountALineEndAsTwoCharacters() {
        CodeEditor editor;
        EditorRichTextView view(&editor);
        view.setText("ab\r\ncd\r\n\r\nef");
        QCOMPARE(view.textLength(), std::size_t{12});
        for (std::size_t p : {0u, 1u, 2u, 4u, 5u, 6u, 8u, 10u, 11u, 12u})
            QCOMPARE(view.toCore(view.toDocument(p)), p);
        // Between CR and LF is the line's end.
        QCOMPARE(view.toDocument(3), 2);
        view.setSelStart(4);
        view.setSelLength(6);
        QCOMPARE(view.selText(), std::string("cd\r\n\r\n"));
        view.setSelText("X\r\nY");
        QCOMPARE(view.text(), std::string("ab\r\nX\r\nYef"));
        QCOMPARE(view.selStart(), std::size_t{8});
        QCOMPARE(view.selLength(), std::size_t{0});
        // Past the end means the end.
        view.setSelStart(99);
        QCOMPARE(view.selStart(), view.textLength());
    }

    // The same steps on the memory view and on the editor end in the same text and colours.
    void coloursFollowTheRulesOfTheMemoryView() {
        CodeEditor editor;
        EditorRichTextView widget(&editor);
        MemoryRichTextView memory;
        auto both = [&](const std::function<void(RichTextView&)>& step) {
            step(widget);
            step(memory);
        };
        both([](RichTextView& v) { v.setText("Dim a As Long\r\n' note\r\nRem old\r\nx = 1\r\n"); });
        NullColouringProgress progress;
        std::vector<MarkRec> marks{{"x", 255}};
        both([&](RichTextView& v) { colourCode(v, marks, false, progress); });
        auto widgetColours = [&] { return paint(widget, [&](std::size_t i) { return widget.colourAt(i); }); };
        auto memoryColours = [&] {
            return paint(memory, [&](std::size_t i) { return memory.colours()[i]; });
        };
        QCOMPARE(widgetColours(), QStringLiteral("kkk...kk.kkkkcccccccccccccr...."));
        QCOMPARE(widgetColours(), memoryColours());

        // Text typed into a keyword takes its colour; text replacing a selection takes the colour of
        // what it replaces; a colour chosen for the caret wins.
        both([](RichTextView& v) {
            v.setSelStart(1);
            v.setSelText("zz");
            v.setSelStart(8);
            v.setSelLength(3);
            v.setSelText("Q");
            v.setSelStart(0);
            v.setSelColor(kCommentColour);
            v.setSelText("#");
        });
        QCOMPARE(widget.text(), memory.text());
        QCOMPARE(widgetColours(), memoryColours());

        // Overlapping runs: the later one wins; a run over a line end colours both lines.
        both([](RichTextView& v) {
            std::vector<ColourRun> runs{{0, 12, kKeywordColour}, {3, 2, 255}, {10, 9, kPlainColour}};
            v.applyColours(runs);
        });
        QCOMPARE(widgetColours(), memoryColours());

        // Same-length rewrites keep the colours and the selection.
        both([](RichTextView& v) {
            v.setSelStart(2);
            v.setSelLength(3);
            std::vector<TextPatch> patches{{0, "AB"}, {18, "NOTE"}};
            v.applyPatches(patches);
        });
        QCOMPARE(widget.text(), memory.text());
        QCOMPARE(widgetColours(), memoryColours());
        QCOMPARE(widget.selStart(), std::size_t{2});
        QCOMPARE(widget.selLength(), std::size_t{3});
    }

    void colouringIsOneBatchOutsideTheUndoHistory() {
        CodeEditor editor;
        EditorRichTextView view(&editor);
        view.setText("Dim a\r\nDim b\r\n");
        int changes = 0;
        connect(editor.document(), &QTextDocument::contentsChanged, this, [&changes] { ++changes; });
        NullColouringProgress progress;
        colourCode(view, {}, false, progress);
        QCOMPARE(changes, 0);
        QVERIFY(!editor.document()->isUndoAvailable());
        QCOMPARE(view.colourAt(0), kKeywordColour);

        // An edit is undone by itself; the colours stay.
        view.setSelStart(7);
        view.setSelText("x");
        QCOMPARE(view.text(), std::string("Dim a\r\nxDim b\r\n"));
        view.undo();
        QCOMPARE(view.text(), std::string("Dim a\r\nDim b\r\n"));
        QCOMPARE(view.colourAt(7), kKeywordColour);
        QVERIFY(!editor.document()->isUndoAvailable());

        // The tidy pass is one step of the history.
        view.setText("dim a\r\nend sub\r\n");
        tidyCode(view, {}, progress);
        QCOMPARE(view.text(), std::string("Dim a\r\nEnd Sub\r\n"));
        editor.undo();
        QCOMPARE(view.text(), std::string("dim a\r\nend sub\r\n"));
    }
};

QTEST_MAIN(CodeEditorTest)
#include "CodeEditorTest.moc"
