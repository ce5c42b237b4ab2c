// tallyscan6-guibench: opens a project in the main window and measures how responsive the GUI
// thread stays while the parse dialog runs the passes: a 5 ms timer ticks throughout, and the
// largest gap between two ticks is the longest time the window could not repaint or take a click.

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QProgressBar>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "QuietPrompts.h"
#include "core/project/FileVersion.h"
#include "platform/SystemLocale.h"
#include "ui/app/AppStyle.h"
#include "ui/app/MainWindow.h"
#include "ui/project/ParseDialog.h"

namespace {

// Counts the paint events of the widgets it watches.
class PaintCounter : public QObject {
public:
    int paints = 0;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) ++paints;
        return QObject::eventFilter(watched, event);
    }
};

// The largest difference between neighbouring ticks that lie within [from, to].
double largestGap(const std::vector<qint64>& ticks, qint64 from, qint64 to) {
    qint64 largest = 0;
    qint64 previous = from;
    for (qint64 tick : ticks) {
        if (tick < from) continue;
        if (tick > to) break;
        largest = std::max(largest, tick - previous);
        previous = tick;
    }
    largest = std::max(largest, to - previous);
    return largest / 1e6;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QStringList args = QApplication::arguments();
    if (args.size() != 2) {
        std::fputs("usage: tallyscan6-guibench PROJECT.vbp\n", stderr);
        return 2;
    }
    tally::applyAppStyle(app);
    tally::bench::QuietPrompts prompts;
    tally::bench::NoShell shell;
    tally::NoFileVersions versions;
    tally::MainWindow window(
        tally::MainWindowServices{prompts, shell, versions, tally::systemNumberLocale()});
    window.startUp();
    window.show();

    QElapsedTimer clock;
    clock.start();
    std::vector<qint64> ticks;
    ticks.reserve(100000);
    QTimer ticker;
    ticker.setTimerType(Qt::PreciseTimer);
    QObject::connect(&ticker, &QTimer::timeout, [&] { ticks.push_back(clock.nsecsElapsed()); });
    ticker.start(5);

    PaintCounter windowPaints, dialogPaints;
    qint64 parseStart = 0, parseEnd = 0;
    QObject::connect(&window, &tally::MainWindow::parseStarted, [&] {
        parseStart = clock.nsecsElapsed();
        if (auto* dialog = window.findChild<tally::ParseDialog*>()) {
            if (auto* bar = dialog->findChild<QProgressBar*>()) bar->installEventFilter(&dialogPaints);
        }
        window.installEventFilter(&windowPaints);
        // The main window is asked to repaint all through the parse, as a moved window would be.
        auto* repaint = new QTimer(&window);
        QObject::connect(repaint, &QTimer::timeout, &window, [&window] { window.update(); });
        QObject::connect(&window, &tally::MainWindow::parseFinished, repaint, &QObject::deleteLater);
        repaint->start(50);
    });
    QObject::connect(&window, &tally::MainWindow::parseFinished, [&] { parseEnd = clock.nsecsElapsed(); });

    // Let the window settle on screen first.
    QElapsedTimer settle;
    settle.start();
    while (settle.elapsed() < 300) QApplication::processEvents(QEventLoop::AllEvents, 20);

    qint64 openStart = clock.nsecsElapsed();
    window.openProjectFile(args[1]);
    qint64 openEnd = clock.nsecsElapsed();
    settle.restart();
    while (settle.elapsed() < 100) QApplication::processEvents(QEventLoop::AllEvents, 20);

    // Saving the scan and opening it again run on a worker thread too.
    QTemporaryDir scratch;
    prompts.savePath = scratch.filePath(QStringLiteral("bench.psf"));
    qint64 saveStart = clock.nsecsElapsed();
    window.saveScanCommand();
    qint64 saveEnd = clock.nsecsElapsed();
    window.openScanFile(prompts.savePath);
    qint64 reopenEnd = clock.nsecsElapsed();
    settle.restart();
    while (settle.elapsed() < 100) QApplication::processEvents(QEventLoop::AllEvents, 20);

    const tally::ProjectModel& model = window.model();
    long long routines = 0;
    for (const auto& slot : model.subs) routines += static_cast<long long>(slot.size());
    std::printf("project:                         %s\n", args[1].toLocal8Bit().constData());
    std::printf("files, routines:                 %d, %lld\n", std::max(0, model.fileCount() - 1), routines);
    std::printf("parse (dialog open):             %.2f s\n", (parseEnd - parseStart) / 1e9);
    std::printf("timer ticks during the parse:    %zu\n",
                static_cast<size_t>(std::count_if(
                    ticks.begin(), ticks.end(), [&](qint64 t) { return t >= parseStart && t <= parseEnd; })));
    std::printf("progress bar repaints:           %d\n", dialogPaints.paints);
    std::printf("main window repaints:            %d\n", windowPaints.paints);
    std::printf("largest gap during the parse:    %.1f ms\n", largestGap(ticks, parseStart, parseEnd));
    std::printf("reading the project file:        %.1f ms (before the dialog)\n",
                largestGap(ticks, openStart, parseStart));
    std::printf("filling the views afterwards:    %.1f ms\n", largestGap(ticks, parseEnd, openEnd));
    std::printf("saving the scan file:            %.2f s, largest gap %.1f ms\n", (saveEnd - saveStart) / 1e9,
                largestGap(ticks, saveStart, saveEnd));
    std::printf("reopening the scan file:         %.2f s, largest gap %.1f ms\n", (reopenEnd - saveEnd) / 1e9,
                largestGap(ticks, saveEnd, reopenEnd));
    return 0;
}
