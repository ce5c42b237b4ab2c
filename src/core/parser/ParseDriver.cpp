#include "core/parser/ParseDriver.h"

#include "core/model/OleDate.h"
#include "core/parser/CallPass.h"
#include "core/parser/DeclarationPass.h"
#include "core/parser/UsagePass.h"

namespace tally {

ParseOutcome runParse(ParseContext& context) {
    ProjectModel& model = context.model;
    model.parseStart = oleNow();
    // The texts pass 1 reads are kept for pass 2, so the project is read from disk once.
    SourceTextCache sources;
    context.sources = &sources;
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
