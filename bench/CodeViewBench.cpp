// tallyscan6-codeviewbench: times the code view in its real text pane on a synthetic routine of
// 5,000 lines (about 200 KB): setting the text alone, showing the routine as the combo does (set
// the text, whiten it, the full colouring pass) and the tidy pass of the refresh button, each up
// to the pane painted on screen. Runs offscreen when there is no display.

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QVBoxLayout>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

#include "SyntheticRoutine.h"
#include "core/codeview/CodeScanner.h"
#include "core/codeview/CodeView.h"
#include "core/text/TextOps.h"
#include "ui/codeview/CodeEditor.h"
#include "ui/codeview/EditorRichTextView.h"
#include "ui/project/ProgressStrip.h"

namespace {

// Answers nothing: the bench never leaves a changed file.
class SilentPrompt final : public tally::SaveItPrompt {
public:
    tally::SaveItChoice choose(std::string_view, std::span<const tally::SaveItButton>) override {
        return tally::SaveItChoice::ContinueWithoutSaving;
    }
    std::optional<std::string> chooseSaveAsPath(std::string_view, std::string_view) override { return {}; }
    bool askYesNo(std::string_view) override { return false; }
    void showMessage(std::string_view, tally::MessageIcon) override {}
};

struct Timing {
    double best = 1e9;
    double median = 0;
};

// Runs `work` (after an untimed `prepare`) a number of times, each until the pane has painted.
Timing measure(int runs, QWidget* pane, const std::function<void()>& prepare,
               const std::function<void()>& work) {
    std::vector<double> times;
    for (int r = 0; r < runs; ++r) {
        prepare();
        QApplication::processEvents();
        QElapsedTimer timer;
        timer.start();
        work();
        pane->repaint();
        times.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    return Timing{times.front(), times[times.size() / 2]};
}

}  // namespace

int main(int argc, char** argv) {
    if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY") && !std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    int lines = argc > 1 ? std::atoi(argv[1]) : 5000;
    int runs = argc > 2 ? std::atoi(argv[2]) : 7;

    std::string routine = tally::bench::syntheticRoutine(lines);
    std::string lowered = tally::toLower(routine);
    QTemporaryDir folder;
    QString path = folder.filePath(QStringLiteral("Bench.bas"));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly)) return 1;
        file.write("Attribute VB_Name = \"Bench\"\r\nOption Explicit\r\n\r\n");
        file.write(routine.data(), static_cast<qint64>(routine.size()));
    }

    QWidget window;
    auto* editor = new tally::CodeEditor(&window);
    auto* strip = new tally::ProgressStrip(&window);
    auto* layout = new QVBoxLayout(&window);
    layout->addWidget(editor);
    window.resize(1000, 700);
    window.show();
    QApplication::processEvents();

    tally::ProjectModel model;
    model.marks = tally::bench::syntheticMarks();
    tally::EditorRichTextView view(editor);
    SilentPrompt prompt;
    tally::CodeView code(model, view, prompt, *strip);
    std::string filePath = QFile::encodeName(path).toStdString();
    const std::string header = "Private Sub RunTheLongRoutine(";
    if (!code.showRoutine(filePath, header).ok) return 1;

    auto nothing = [] {};
    auto empty = [&] { view.setText(""); };
    Timing setText = measure(runs, editor->viewport(), empty, [&] { view.setText(routine); });
    Timing show = measure(runs, editor->viewport(), empty, [&] { code.showRoutine(filePath, header); });
    Timing tidyLower = measure(
        runs, editor->viewport(), [&] { view.setText(lowered); },
        [&] { tally::tidyCode(view, model.marks, *strip); });
    Timing tidyClean = measure(
        runs, editor->viewport(), [&] { code.showRoutine(filePath, header); },
        [&] { tally::tidyCode(view, model.marks, *strip); });
    Timing scrollEnd = measure(runs, editor->viewport(), nothing, [&] {
        view.setSelStart(view.textLength());
        editor->ensureCursorVisible();
    });

    tally::NullColouringProgress quiet;
    tally::CodeScan counts = tally::scanCode(lowered, tally::ScanPass::Tidy, true, model.marks, quiet);
    std::printf(
        "routine: %d lines, %zu bytes; a tidy of it in lower case makes %zu colour runs and %zu rewrites\n",
        lines, routine.size(), counts.runs.size(), counts.patches.size());
    std::printf("%d runs, milliseconds up to the pane painted:        best   median\n", runs);
    std::printf("  set the text only                               %8.1f %8.1f\n", setText.best,
                setText.median);
    std::printf("  show the routine (set, whiten, full colouring)  %8.1f %8.1f\n", show.best, show.median);
    std::printf("  tidy pass, text all in lower case               %8.1f %8.1f\n", tidyLower.best,
                tidyLower.median);
    std::printf("  tidy pass, text already tidy                    %8.1f %8.1f\n", tidyClean.best,
                tidyClean.median);
    std::printf("  jump to the last line                           %8.1f %8.1f\n", scrollEnd.best,
                scrollEnd.median);
    return 0;
}
