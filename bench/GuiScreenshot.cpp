// tallyscan6-screenshot: opens a project in the main window, selects a file and a tab, and saves a
// picture of the window. Run it under xvfb-run (scripts/screenshot.sh) for the documentation.

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QPainter>
#include <QPixmap>
#include <QMenuBar>
#include <QTabWidget>
#include <QKeyEvent>
#include <QTextCursor>
#include <cstdio>

#include "QuietPrompts.h"
#include "core/project/FileVersion.h"
#include "core/review/ReviewList.h"
#include "platform/SystemLocale.h"
#include "ui/app/AppStyle.h"
#include "ui/app/MainWindow.h"
#include "ui/registry/RegistryPage.h"
#include "ui/codeview/CodeEditor.h"
#include "ui/codeview/CodeViewPanel.h"
#include "ui/common/IconLibrary.h"
#include "ui/project/ProjectTreePanel.h"
#include "ui/spell/SpellCheckDialog.h"
#include "platform/HunspellSpeller.h"
#include "platform/SpellDictionaries.h"
#include <QPushButton>

namespace {

void settle(int milliseconds) {
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < milliseconds) QApplication::processEvents(QEventLoop::AllEvents, 20);
}

// Every image key at 16 and 32 pixels, base and variants side by side.
bool saveIconSheet(const QString& out) {
    const char* keys[] = {"proj",    "form",        "module",      "class",   "userctl", "propsht",
                          "code",    "comment",     "blank",       "control", "sub",     "func",
                          "prop",    "dll",         "drive",       "object",  "open",    "close",
                          "event",   "decs",        "var",         "const",   "type",    "report",
                          "tb-open", "tb-openscan", "tb-savescan", "tb-vb",   "app"};
    const int cell = 44;
    QImage sheet(cell * 6, cell * static_cast<int>(std::size(keys)), QImage::Format_ARGB32);
    sheet.fill(Qt::white);
    QPainter painter(&sheet);
    int row = 0;
    for (const char* key : keys) {
        QString base = QString::fromLatin1(key);
        QString variants[] = {base, base + QLatin1Char('1'), base + QLatin1Char('0')};
        for (int v = 0; v < 3; ++v) {
            QIcon icon = tally::IconLibrary::icon(variants[v]);
            painter.drawPixmap(v * cell * 2 + 4, row * cell + 14, icon.pixmap(QSize(16, 16), 1.0));
            painter.drawPixmap(v * cell * 2 + 28, row * cell + 6, icon.pixmap(QSize(32, 32), 1.0));
        }
        ++row;
    }
    return sheet.save(out);
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QString out, project, select, routine, typed, menuTitle;
    int tab = 0, list = 0, width = 1180, height = 740;
    QString registryNode;  // a node of the Registry tab to choose ("OBJECTS", a settings key)
    bool spellDialog = false;
    QStringList args = QApplication::arguments();
    for (qsizetype i = 1; i + 1 < args.size(); i += 2) {
        const QString& name = args[i];
        const QString& value = args[i + 1];
        if (name == QLatin1String("--out"))
            out = value;
        else if (name == QLatin1String("--project"))
            project = value;
        else if (name == QLatin1String("--select"))
            select = value;
        else if (name == QLatin1String("--routine"))
            routine = value;
        else if (name == QLatin1String("--type"))
            typed = value;
        else if (name == QLatin1String("--menu"))
            menuTitle = value;
        else if (name == QLatin1String("--tab"))
            tab = value.toInt();
        else if (name == QLatin1String("--registry"))
            registryNode = value;
        else if (name == QLatin1String("--list"))
            list = value.toInt();
        else if (name == QLatin1String("--spell-dialog"))
            spellDialog = value == QLatin1String("1");
        else if (name == QLatin1String("--size")) {
            width = value.section(QLatin1Char('x'), 0, 0).toInt();
            height = value.section(QLatin1Char('x'), 1, 1).toInt();
        }
    }
    if (args.size() == 3 && args[1] == QLatin1String("--icon-sheet")) return saveIconSheet(args[2]) ? 0 : 1;
    if (out.isEmpty()) {
        std::fputs(
            "usage: tallyscan6-screenshot --out FILE.png [--project X.vbp] [--select FILE-NAME]\n"
            "       [--tab 0-4] [--registry NODE-KEY] [--list 1-7] [--routine NAME] [--type TEXT, | for Enter] [--menu TITLE] [--size WxH]\n"
            "       [--spell-dialog 1: the Spell Check dialog at its first word instead of the window]\n"
            "       tallyscan6-screenshot --icon-sheet FILE.png\n",
            stderr);
        return 2;
    }
    tally::applyAppStyle(app);
    tally::bench::QuietPrompts prompts;
    tally::bench::NoShell shell;
    tally::NoFileVersions versions;
    tally::MainWindow window(
        tally::MainWindowServices{prompts, shell, versions, tally::systemNumberLocale()});
    window.startUp();
    window.resize(width, height);
    window.show();
    settle(200);
    if (!project.isEmpty()) window.openProjectFile(project);
    if (!select.isEmpty()) {
        for (const tally::TreeNode* node : window.model().tree.additionOrder()) {
            if (QString::fromStdString(node->key.str()).endsWith(QLatin1Char('/') + select)) {
                window.projectTree()->selectKey(node->key.str());
                break;
            }
        }
    }
    window.tabs()->setCurrentIndex(tab);
    if (!registryNode.isEmpty()) {
        window.tabs()->setCurrentWidget(window.registryPage());
        window.registryPage()->chooseNode(registryNode);
    }
    if (!routine.isEmpty()) {
        // The routine is chosen in the code view's combo, as the user would.
        if (auto* code = dynamic_cast<tally::CodeViewPanel*>(window.codeView())) {
            int index = code->routineCombo()->findText(routine);
            if (index >= 0) {
                code->routineCombo()->setCurrentIndex(index);
                code->chooseItem(index);
            }
        }
    }
    if (!typed.isEmpty()) {
        // Typed at the start of the routine's third line (below a comment and the header), as the
        // user would, so the view shows an unsaved change.
        if (auto* code = dynamic_cast<tally::CodeViewPanel*>(window.codeView())) {
            QTextCursor cursor = code->editor()->textCursor();
            cursor.movePosition(QTextCursor::Start);
            cursor.movePosition(QTextCursor::Down, QTextCursor::MoveAnchor, 2);
            code->editor()->setTextCursor(cursor);
            code->editor()->setFocus();
            for (QChar c : typed) {
                bool lineBreak = c == QLatin1Char('|');  // "|" stands for Enter
                QKeyEvent press(QEvent::KeyPress, lineBreak ? Qt::Key_Return : 0, Qt::NoModifier,
                                lineBreak ? QStringLiteral("\r") : QString(c));
                QApplication::sendEvent(code->editor(), &press);
            }
        }
    }
    if (list > 0) window.showReviewList(tally::kAllReviewLists[list - 1]);
    if (spellDialog) {
        auto files = tally::findDictionary(tally::dictionaryFolders(), tally::kDefaultDictionary);
        if (!files) return 1;
        tally::HunspellSpeller speller(files->affixPath, files->dictionaryPath);
        tally::SpellCheckDialog dialog(window.model().spell, speller, prompts, {}, [](const std::string&) {}, &window);
        dialog.show();
        settle(200);
        dialog.startButton()->click();
        settle(300);
        return dialog.grab().save(out) ? 0 : 1;
    }
    settle(400);
    QPixmap shot = window.grab();
    if (!menuTitle.isEmpty()) {
        // A menu of the menu bar, opened and painted over the window where it pops up.
        for (QAction* action : window.menuBar()->actions()) {
            if (!action->menu() || action->text().remove(QLatin1Char('&')) != menuTitle) continue;
            QRect place = window.menuBar()->actionGeometry(action);
            action->menu()->popup(window.menuBar()->mapToGlobal(place.bottomLeft()));
            settle(300);
            QPainter painter(&shot);
            QPoint at = action->menu()->pos() - window.mapToGlobal(QPoint(0, 0));
            painter.drawPixmap(at, action->menu()->grab());
            action->menu()->close();
            break;
        }
    }
    if (!shot.save(out)) {
        std::fprintf(stderr, "tallyscan6-screenshot: cannot write %s\n", out.toLocal8Bit().constData());
        return 1;
    }
    return 0;
}
