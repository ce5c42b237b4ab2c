#include "core/reports/SpellCheckReport.h"

#include "core/reports/ReportHead.h"
#include "core/reports/RtfAscii.h"
#include "core/reports/RtfBuilders.h"
#include "core/text/TextOps.h"

namespace tally {

namespace {

// A cell (UTF-8) as report text: braces and backslashes escaped, so that a caption cannot end the
// document early, and its line breaks kept as line breaks (raw ones mean nothing in RTF).
std::string cellText(std::string_view cell) {
    std::string escaped = rtfEscape(cell);
    std::string out;
    out.reserve(escaped.size());
    for (std::size_t i = 0; i < escaped.size(); ++i) {
        if (escaped[i] == '\r' && i + 1 < escaped.size() && escaped[i + 1] == '\n') {
            out += "\\line ";
            ++i;
        } else if (escaped[i] == '\r' || escaped[i] == '\n') {
            out += "\\line ";
        } else {
            out += escaped[i];
        }
    }
    return out;
}

bool filled(std::string_view cell) {
    return !trimView(cell).empty();
}

}  // namespace

SpellCheckReport buildSpellCheckReport(const ProjectModel& model, const ReportSettings& settings) {
    if (model.spell.empty()) return {std::nullopt, kNothingInTheList};
    const SourceCodecs& codecs = settings.codecs;
    std::string document = reportHead("Project Spell Check Report", model, settings);
    // `file` names the file the row's texts come from: only a file's first row names it.
    std::string fileHeading, routine, file;
    auto shown = [&](std::string_view bytes) { return cellText(codecs.namedFileToUtf8(file, bytes)); };
    bool filePending = false, routinePending = false, reported = false;
    for (const SpellRow& row : model.spell) {
        if (filled(row.file)) {
            file = trimView(row.file);
            fileHeading = "File: " + codecs.toUtf8(row.file);
            filePending = true;
        }
        if (filled(row.routine)) {
            routine = codecs.namedFileToUtf8(file, row.routine);
            routinePending = true;
        }
        if (!row.checked) continue;
        if (filePending) {
            document += rtfParagraph(cellText(fileHeading), kRtfDarkBlue, false, true) + rtfLineEnd();
            filePending = false;
        }
        if (routinePending) {
            document += rtfLineEnd() + rtfTabs(1) + rtfRun("Routine: " + cellText(routine), kRtfBlack, true, false) +
                        rtfLineEnd() + rtfLineEnd();
            routinePending = false;
        }
        if (filled(row.label))
            document += rtfTabs(2) + rtfRun("Variable/Property: " + shown(row.label), kRtfBlack, true, false) +
                        rtfLineEnd();
        document += rtfTabs(2) + rtfRun("Original Text:    " + shown(row.value), kRtfDarkBlue, false, false) +
                    rtfLineEnd();
        document += rtfTabs(2) + rtfRun("Corrected Text: " + shown(row.corrected), kRtfBlack, false, false) +
                    rtfLineEnd() + rtfLineEnd();
        reported = true;
    }
    if (!reported) return {std::nullopt, kNothingToReport};
    return {rtfAsciiDocument(document + rtfClose()), {}};
}

}  // namespace tally
