#include "core/reports/RoutineStats.h"

#include <algorithm>

#include "core/reports/ReportHead.h"

namespace tally {

namespace {
std::string describe(std::string_view label, const SubRec& routine, const SourceCodecs& codecs) {
    return std::string(label) + codecs.namedFileToUtf8(routine.file, routine.name) + " in " +
           codecs.toUtf8(routine.file) + " - " + std::to_string(routine.lineCount) + " Lines.";
}
}  // namespace

std::vector<std::string> routineStatistics(const ProjectModel& model, const SourceCodecs& codecs) {
    const SubRec* longest = nullptr;
    const SubRec* shortest = nullptr;
    long long total = 0, count = 0;
    int slots = std::min(model.fileCount(), static_cast<int>(model.subs.size()));
    for (int slot = 0; slot < slots; ++slot) {
        for (const SubRec& r : model.subs[slot]) {
            if (r.kind >= kKindDllSub) continue;
            ++count;
            total += r.lineCount;
            if (!longest || r.lineCount > longest->lineCount) longest = &r;
            if (r.lineCount > 0 && (!shortest || r.lineCount < shortest->lineCount)) shortest = &r;
        }
    }
    std::vector<std::string> lines;
    if (longest) lines.push_back(describe("Longest Routine: ", *longest, codecs));
    if (shortest) lines.push_back(describe("Shortest Routine: ", *shortest, codecs));
    // Without any Function or Sub there is nothing to divide by: the average is 0.
    long long average = count > 0 ? total / count : 0;
    lines.push_back("Average Length: " + std::to_string(average) + " Lines.");
    return lines;
}

}  // namespace tally
