// tallyscan6-colourbench: times the code view's colouring and tidy passes on a synthetic routine of
// 5,000 lines (about 200 KB) in the memory view, next to the time it takes merely to set the text.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "SyntheticRoutine.h"
#include "core/codeview/CodeScanner.h"
#include "core/codeview/MemoryRichTextView.h"
#include "core/text/TextOps.h"

namespace {

using Clock = std::chrono::steady_clock;

// The best of a few runs, in milliseconds.
double bestOf(int runs, const std::function<void()>& prepare, const std::function<void()>& work) {
    double best = 1e9;
    for (int r = 0; r < runs; ++r) {
        prepare();
        auto start = Clock::now();
        work();
        double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
        best = std::min(best, ms);
    }
    return best;
}

}  // namespace

int main(int argc, char** argv) {
    int lines = argc > 1 ? std::atoi(argv[1]) : 5000;
    int runs = argc > 2 ? std::atoi(argv[2]) : 7;
    std::string text = tally::bench::syntheticRoutine(lines);
    std::string lowered = tally::toLower(text);
    std::vector<tally::MarkRec> marks = tally::bench::syntheticMarks();
    tally::NullColouringProgress progress;
    tally::MemoryRichTextView view;

    auto setPlain = [&] { view.setText(text); };
    auto setLowered = [&] { view.setText(lowered); };
    auto nothing = [] {};

    double setText = bestOf(runs, nothing, setPlain);
    double scan = bestOf(runs, nothing, [&] {
        tally::CodeScan result = tally::scanCode(text, tally::ScanPass::Colour, false, marks, progress);
        if (result.runs.empty()) std::abort();
    });
    double colour = bestOf(runs, setPlain, [&] { tally::colourCode(view, marks, false, progress); });
    double fill = bestOf(runs, nothing, [&] {
        view.setText(text);
        view.setSelStart(0);
        view.setSelLength(view.textLength());
        view.setSelColor(tally::kPlainColour);
        tally::colourCode(view, marks, false, progress);
    });
    double tidyClean = bestOf(runs, setPlain, [&] { tally::tidyCode(view, marks, progress); });
    double tidyLower = bestOf(runs, setLowered, [&] { tally::tidyCode(view, marks, progress); });
    tally::CodeScan counts = tally::scanCode(lowered, tally::ScanPass::Tidy, true, marks, progress);

    std::printf(
        "routine: %d lines, %zu bytes, %zu colour runs and %zu rewrites in a tidy of lower-case text\n",
        lines, text.size(), counts.runs.size(), counts.patches.size());
    std::printf("best of %d runs, milliseconds:\n", runs);
    std::printf("  set the text only              %8.2f\n", setText);
    std::printf("  full pass, scan only           %8.2f\n", scan);
    std::printf("  full pass into the view        %8.2f\n", colour);
    std::printf("  fill: set, whiten, full pass   %8.2f\n", fill);
    std::printf("  tidy pass, text already tidy   %8.2f\n", tidyClean);
    std::printf("  tidy pass, all in lower case   %8.2f\n", tidyLower);
    return 0;
}
