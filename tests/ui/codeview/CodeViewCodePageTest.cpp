// Projects in other code pages than Windows-1252 in the window: the texts of the lists and the code
// view in the project's own characters, an edit saved in the file's code page with every other byte
// unchanged, a character the code page lacks refused by name, a UTF-8 file in a Japanese project
// read by itself, and the code page chosen from the Project menu kept for the project.

#include <QApplication>
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

void typeText(QWidget* editor, const QString& text) {
    for (QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(editor, &press);
    }
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
        auto* menu = c.window().findChild<QMenu*>(QStringLiteral("mnuProjCodePage"));
        QVERIFY(menu);
        QAction* western = nullptr;
        for (QAction* item : menu->actions())
            if (item->data().toInt() == 1252) western = item;
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
