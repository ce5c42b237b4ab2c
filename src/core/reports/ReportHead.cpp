#include "core/reports/ReportHead.h"

#include "core/project/PathOps.h"
#include "core/reports/RtfBuilders.h"
#include "core/text/TextOps.h"

namespace tally {

std::string projectRootText(const ProjectModel& model) {
    std::vector<const TreeNode*> roots = model.tree.topLevel();
    return roots.empty() ? std::string() : roots.front()->text.str();
}

std::string reportHead(std::string_view title, const ProjectModel& model, const ReportSettings& settings) {
    double now = settings.now;
    std::string when = formatLongDate(now, settings.dates) + " " + formatShortTime(now, settings.dates);
    std::string out = rtfHeader();
    out += rtfParagraph(title, kRtfDarkBlue, true, true) + rtfLineEnd();
    out += rtfParagraph(when, kRtfDarkBlue, true, true) + rtfLineEnd();
    out += rtfParagraph(rtfEscape(settings.codecs.toUtf8(projectRootText(model))), kRtfDarkBlue, true, true) +
           rtfLineEnd() + rtfLineEnd();
    return out;
}


}  // namespace tally
