#include "core/parser/ParseDriver.h"

#include "core/model/OleDate.h"
#include "core/parser/CallPass.h"
#include "core/parser/DeclarationPass.h"
#include "core/parser/UsagePass.h"

namespace tally {

ParseOutcome runParse(ParseContext& context) {
    ProjectModel& model = context.model;
    model.parseStart = oleNow();
    // On one thread the texts pass 1 reads are kept for pass 2 (up to the cache's budget), so those
    // files are read from disk once. On several they are not: pass 1 reads its members ahead on
    // workers, so keeping one meant a copy on this thread, and pass 2 reads its files on workers
    // too, beside the work. Those copies, freed one by one in pass 2, left holes among the model's
    // rows that the rest of the scan did not fill: the two-thread peak was a tenth of the source
    // higher than the one-thread peak.
    SourceTextCache sources;
    context.sources = context.threads > 1 ? nullptr : &sources;
    CalledByOrigins origins;
    context.calledByOrigins = &origins;

    runDeclarationPass(context);
    if (context.cancelled()) context.progress.hide();

    // After a cancel the call pass stops at its first line, so it records nothing more.
    runCallPass(context);
    if (context.cancelled()) context.progress.hide();

    sources.clear();
    context.progress.setFileLabel("Part 3 of 3");
    context.progress.setLineLabel("Please wait...");
    runUsagePass(context);

    context.sources = nullptr;
    context.calledByOrigins = nullptr;
    ParseOutcome outcome;
    outcome.cancelled = context.cancelled();
    model.parseTime = oleNow() - model.parseStart;
    return outcome;
}

}  // namespace tally
