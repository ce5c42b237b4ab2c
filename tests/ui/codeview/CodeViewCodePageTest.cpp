// Projects in other code pages than Windows-1252 in the window: the texts of the lists and the code
// view in the project's own characters, an edit saved in the file's code page with every other byte
// unchanged, a character the code page lacks refused by name, a UTF-8 file in a Japanese project
// read by itself, and the code page chosen from the Project menu kept for the project.

#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QLabel>
#include <QMenu>
#include <QTreeView>

#include "CodeViewTestSupport.h"
#include "core/settings/ProjectCodePages.h"
#include "core/text/CharacterLayout.h"
#include "platform/text/TextCodecs.h"
#include "ui/codeview/CodeTextCodec.h"
#include "ui/codeview/FileHeaderStrip.h"
#include "ui/common/AnsiText.h"
#include "ui/common/ProjectText.h"
#include "ui/review/SpellPanel.h"

using namespace tally;
using namespace tally::test;

namespace {

const QString kFixtures = QStringLiteral("tests/data/codepages/");

// The Project menu's item for a code page; null when there is none.
QAction* codePageItem(MainWindow& window, int page) {
    auto* menu = window.findChild<QMenu*>(QStringLiteral("mnuProjCodePage"));
    for (QAction* item : menu ? menu->actions() : QList<QAction*>())
        if (item->data().toInt() == page) return item;
    return nullptr;
}

QString statusCodePage(MainWindow& window) {
    auto* label = window.findChild<QLabel*>(QStringLiteral("sbrCodePage"));
    return label ? label->text() : QStringLiteral("(no label)");
}

// Every text of the Spell list, as shown.
QStringList spellTexts(MainWindow& window) {
    QStringList texts;
    QAbstractItemModel* model = window.spellPanel()->listView()->model();
    for (int row = 0; row < model->rowCount(); ++row)
        for (int column = 0; column < model->columnCount(); ++column)
            texts << model->index(row, column).data().toString().trimmed();
    return texts;
}

std::string bytesOf(const char* utf8, int codePage) {
    return makeTextCodec(codePage)->fromUtf8(utf8).value_or(std::string());
}

}  // namespace

class CodeViewCodePageTest : public QObject {
    Q_OBJECT

private slots:
    // Broken pairs, lone lead bytes and bytes of no character come back as they were; positions
    // map to character starts both ways.
    void everyByteOfADoubleBytePageComesBackUnchanged() {
        for (int page : {932, 936, 949, 950, 1251, 65001}) {
            std::unique_ptr<TextCodec> codec = makeTextCodec(page);
            QVERIFY(codec);
            std::string text = "' " + bytesOf("表示｜ポート 許功", page) + "\r\n";
            for (int byte = 0x80; byte < 256; ++byte) text += static_cast<char>(byte);
            text += "\r\n\x81\r\n\x83\x5C\x83\r\nx\ry\nEnd";
            const CodeTextCodec view(codec.get());
            QCOMPARE(view.coreTextOf(view.editorTextOf(text)), text);

            CodeEditor editor;
            EditorRichTextView pane(&editor);
            pane.setCodecForNextText(codec.get());
            pane.setText(text);
            QCOMPARE(pane.text(), text);
            QCOMPARE(pane.textLength(), text.size());
            // The first line's characters: one document position each, their bytes in the core.
            const std::string first = text.substr(0, text.find("\r\n"));
            int document = 0;
            for (std::size_t at = 0; at < first.size(); at += characterLength(first, at, page)) {
                QCOMPARE(pane.toDocument(at), document);
                QCOMPARE(pane.toCore(document), at);
                ++document;  // characters of the BMP: one unit each
            }
            pane.setSelStart(0);
            pane.setSelText("Rem ");
            QCOMPARE(pane.text(), "Rem " + text);
        }
    }

    // A UTF-8 file may hold characters the editor would take for line ends (U+2029, U+FDD0, U+FDD1)
    // or for the pictures of a lone CR or LF, and a byte order mark at the start of any line: their
    // bytes come back as they were, and the lines and positions stay those of the file.
    void aUtf8FileKeepsItsByteOrderMarksAndTheCharactersTheEditorTakesForOthers() {
        std::unique_ptr<TextCodec> codec = makeTextCodec(kCodePageUtf8);
        QVERIFY(codec);
        const std::string text =
            "\xEF\xBB\xBF"
            "Dim a\r\n"
            "\xEF\xBB\xBF"
            "' \xE2\x80\xA9 \xE2\x90\x8D \xE2\x90\x8A \xEF\xB7\x90 \xEF\xB7\x91 \xF0\x9F\x98\x80 x\r\n"
            "End";
        const CodeTextCodec view(codec.get());
        QCOMPARE(view.coreTextOf(view.editorTextOf(text)), text);
        CodeEditor editor;
        EditorRichTextView pane(&editor);
        pane.setCodecForNextText(codec.get());
        pane.setText(text);
        QCOMPARE(editor.blockCount(), 3);
        QCOMPARE(pane.text(), text);
        QCOMPARE(pane.textLength(), text.size());
        const std::size_t x = text.find(" x\r\n") + 1;
        pane.setSelStart(x);
        QCOMPARE(pane.selStart(), x);
        pane.setSelText("y");
        QCOMPARE(pane.text(), std::string(text).insert(x, "y"));
    }

    // The tidy pass rewrites and colours every word of a long module: each rewrite and each run is
    // mapped on from the one before it, not from the start of the text or of its line, and a rewrite
    // of the same bytes leaves the lines where they were.
    void rewritingAndColouringEveryWordOfALongModuleTakesTimeInProportion() {
        std::unique_ptr<TextCodec> japanese = makeTextCodec(932);
        QVERIFY(japanese);
        const std::string kana = bytesOf("ア", 932);
        constexpr int kWords = 12000;
        std::string lines, expectedLines, line, expectedLine;
        std::vector<TextPatch> linePatches, wordPatches;
        std::vector<ColourRun> runs;
        for (int i = 0; i < kWords; ++i) {
            linePatches.push_back(TextPatch{lines.size(), "Dim"});
            lines += "dim " + kana + "\r\n";
            expectedLines += "Dim " + kana + "\r\n";
            wordPatches.push_back(TextPatch{line.size(), "Dim"});
            runs.push_back(ColourRun{line.size(), 3, kKeywordColour});
            line += "dim " + kana + " ";
            expectedLine += "Dim " + kana + " ";
        }
        const std::vector<const TextCodec*> codecs = {nullptr, japanese.get()};
        for (const TextCodec* codec : codecs) {
            CodeEditor editor;
            EditorRichTextView pane(&editor);
            pane.setCodecForNextText(codec);
            QElapsedTimer clock;
            clock.start();
            pane.setText(lines);
            pane.applyPatches(linePatches);
            QCOMPARE(pane.text(), expectedLines);
            pane.setText(line);
            pane.applyPatches(wordPatches);
            pane.applyColours(runs);
            QCOMPARE(pane.text(), expectedLine);
            const qint64 elapsed = clock.elapsed();
            QCOMPARE(pane.colourAt(runs.back().start), kKeywordColour);
            QCOMPARE(pane.colourAt(runs.back().start + 3), kPlainColour);
            QVERIFY2(elapsed < 3000, qPrintable(QStringLiteral("%1 ms in code page %2")
                                                    .arg(elapsed)
                                                    .arg(codec ? codec->codePage() : 1252)));
        }
    }

    // A character past the BMP comes in one key press; the widget types it although QChar does not
    // call its first unit printable, so it is judged like any other.
    void aCharacterBeyondTheBmpTypedIsRefusedWhereThePageLacksIt() {
        CodeHarness c(kFixtures + QStringLiteral("cp932"), QStringLiteral("App.vbp"));
        QVERIFY(c.ok);
        QVERIFY(c.selectFile("modText.bas"));
        QVERIFY(c.choose(QStringLiteral("(Declarations)")));
        QVERIFY(c.select(bytesOf("ポート番号", 932), 0));
        c.showCodeTab();
        const std::string before = c.view().text();
        const int prompts = static_cast<int>(c.prompts().shown.size());
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QStringLiteral("\U0001F600"));
        QApplication::sendEvent(c.editor(), &press);
        QCOMPARE(static_cast<int>(c.prompts().shown.size()), prompts + 1);
        QVERIFY(c.prompts().texts().last().contains(QStringLiteral("(U+1F600)")));
        QCOMPARE(c.view().text(), before);
    }

    // A paste is judged as it comes in: a line separator (U+2028, from a word processor) becomes a
    // line break there, so it is no character the code page lacks.
    void aPastedLineSeparatorIsALineBreakNotARefusedCharacter() {
        CodeHarness c;
        QVERIFY(c.showRoutine("modFormat.bas", QStringLiteral("ParseHours")));
        QVERIFY(c.select("    Dim vParts", 0));
        const int prompts = static_cast<int>(c.prompts().shown.size());
        QApplication::clipboard()->setText(QStringLiteral("' one\u2028' two\n"));
        c.panel->runCommand(CodeViewCommand::Paste);
        QCOMPARE(static_cast<int>(c.prompts().shown.size()), prompts);
        QVERIFY(c.view().text().find("' one\r\n' two\r\n    Dim vParts") != std::string::npos);
    }

    // Choosing another page lets go of the codecs the shown file was read with: the emptied view
    // must not keep one of them for what is typed into it next.
    void theViewKeepsNoCodecOfAPageLetGo() {
        CodeHarness c(kFixtures + QStringLiteral("cp932"), QStringLiteral("App.vbp"));
        QVERIFY(c.ok);
        QVERIFY(c.selectFile("modText.bas"));
        QVERIFY(c.choose(QStringLiteral("(Declarations)")));
        QCOMPARE(c.view().codec().codePage(), 932);
        QAction* chinese = codePageItem(c.window(), 936);
        QVERIFY(chinese);
        chinese->trigger();
        QCOMPARE(sourceCodecs().codePage(), 936);
        const TextCodec* held = c.view().codec().codec();
        bool current = !held || held == &sourceCodecs().project();
        for (const auto& own : sourceCodecs().ownCodecs()) current = current || held == own.second.get();
        QVERIFY(current);
        c.showCodeTab();
        typeText(c.editor(), QStringLiteral("新"));
    }

    void aShiftJisProjectShowsItsTextsAndSavesAnEditInShiftJis() {
        CodeHarness c(kFixtures + QStringLiteral("cp932"), QStringLiteral("App.vbp"));
        QVERIFY(c.ok);
        QCOMPARE(statusCodePage(c.window()), QStringLiteral("shift_jis"));
        const QStringList texts = spellTexts(c.window());
        QVERIFY2(texts.contains(QStringLiteral("請求書を表示")), qPrintable(texts.join(QLatin1Char('|'))));
        QVERIFY(texts.contains(QStringLiteral("表示できません｜ポート")));

        const QByteArray original = c.bytes(QStringLiteral("modText.bas"));
        QVERIFY(c.selectFile("modText.bas"));
        QVERIFY(c.choose(QStringLiteral("(Declarations)")));
        QVERIFY(c.editor()->toPlainText().contains(QStringLiteral("' ポート番号を予約する")));
        // The caret goes before the comment's first character (found by its bytes, two per kana).
        QVERIFY(c.select(bytesOf("ポート番号", 932), 0));
        c.showCodeTab();
        typeText(c.editor(), QStringLiteral("新"));
        // The euro sign has no bytes in Shift-JIS: refused by name, nothing typed.
        const int before = static_cast<int>(c.prompts().shown.size());
        typeText(c.editor(), QStringLiteral("€"));
        QCOMPARE(static_cast<int>(c.prompts().shown.size()), before + 1);
        QVERIFY(c.prompts().texts().last().startsWith(
            QStringLiteral("The character \u201C€\u201D (U+20AC) cannot be written in code page 932 (shift_jis).")));
        QVERIFY(!c.editor()->toPlainText().contains(QStringLiteral("€")));

        c.prompts().saveItAnswers = {SaveItChoice::Save};
        c.panel->runCommand(CodeViewCommand::SaveOrZip);
        QByteArray expected = original;
        expected.insert(expected.indexOf(QByteArray::fromStdString(bytesOf("ポート番号", 932))),
                        QByteArray::fromStdString(bytesOf("新", 932)));
        QCOMPARE(c.bytes(QStringLiteral("modText.bas")), expected);
    }

    void aUtf8ModuleOfAJapaneseProjectIsReadBySelfAndTheViewSaysSo() {
        CodeHarness c(kFixtures + QStringLiteral("cp932-utf8-module"), QStringLiteral("App.vbp"));
        QVERIFY(c.ok);
        QCOMPARE(statusCodePage(c.window()), QStringLiteral("shift_jis"));
        QVERIFY(c.selectFile("modNew.bas"));
        QVERIFY(c.choose(QStringLiteral("ShowProblem")));
        QVERIFY(c.editor()->toPlainText().contains(QStringLiteral("新しいモジュール")));
        auto* note = c.panel->findChild<QLabel*>(QStringLiteral("headerNote"));
        QVERIFY(note);
        QCOMPARE(note->text(), QStringLiteral("Read as utf-8; the project is shift_jis."));
        // The Japanese module beside it has no note.
        QVERIFY(c.selectFile("modText.bas"));
        QVERIFY(note->isHidden());
    }

    void theCodePageChosenFromTheMenuIsKeptForTheProject() {
        CodeHarness c(kFixtures + QStringLiteral("cp932"), QStringLiteral("App.vbp"));
        QVERIFY(c.ok);
        QAction* western = codePageItem(c.window(), 1252);
        QVERIFY(western);
        western->trigger();
        QCOMPARE(statusCodePage(c.window()), QStringLiteral("windows-1252"));
        QVERIFY(!spellTexts(c.window()).contains(QStringLiteral("請求書を表示")));
        const std::string project = toLocalPath(c.path(QStringLiteral("App.vbp")));
        QCOMPARE(readProjectCodePage(c.h.registry, project), 1252);
        // Opened again, the project keeps the page chosen.
        c.window().openProjectFile(c.path(QStringLiteral("App.vbp")));
        QCOMPARE(statusCodePage(c.window()), QStringLiteral("windows-1252"));
    }
};

QTEST_MAIN(CodeViewCodePageTest)
#include "CodeViewCodePageTest.moc"
