#pragma once
// Opening a project and parsing it, the one way every front end does it: the project path made
// absolute once, the project file read, the three passes run with progress and cancel, and the
// outcome with its reason.

#include <functional>
#include <string>
#include <string_view>

#include "core/model/ProjectModel.h"
#include "core/parser/ParseDriver.h"
#include "core/project/FileVersion.h"
#include "core/support/Outcome.h"
#include "core/support/ParseProgress.h"
#include "core/support/SourceTextCache.h"
#include "core/text/NumberFormat.h"
#include "core/text/TextCodec.h"

namespace tally {

// The passes to run over an opened project; runParse unless a test wraps it.
using ParseFunction = std::function<ParseOutcome(ParseContext&)>;

struct ScanRequest {
    std::string_view projectPath;
    const FileVersionSource& versions;
    ParseProgress& progress;
    const CancelFlag& cancel;
    NumberLocale locale{};
    // Called once the project file is read and before the passes run (to report skipped members or
    // show the project tree, say); may be empty.
    std::function<void(const ProjectModel&)> opened;
    // The passes; empty means runParse.
    ParseFunction passes;
    // The code page of the project's sources, asked once the project file is read (detection reads
    // the members) and before `opened`; Windows-1252 when empty.
    std::function<int(const ProjectModel&)> codePage;
    // Members read whole by `codePage` (see chooseSourceCodecs), for the first pass to take rather
    // than read again; may be null. The scan leaves it empty.
    SourceTextCache* readAhead = nullptr;
    // Converters for member names the disk holds in UTF-8 only (see openProject); may be null.
    CodecFactory codecs = nullptr;
    // Threads the passes may use, the calling one included (defaultScanThreads() is one per core);
    // the model comes out the same for any number.
    int threads = 1;
};

struct ScanOutcome {
    Outcome open;            // reading the project file: ok, or why it could not be read
    bool cancelled = false;  // the passes stopped early; the model holds what was gathered
    std::string stoppedBy;   // what stopped the passes when it was not the user (a failure inside them)

    bool opened() const { return open.ok; }
    // The project was opened and parsed to the end.
    explicit operator bool() const { return open.ok && !cancelled; }
};

// The threads a scan uses unless told otherwise: one per core.
int defaultScanThreads();

// Replaces `model` with the scanned project. A project file that cannot be read leaves the model
// empty with the counter skeleton, as opening it does. A failure inside the passes (memory running
// out, say) ends them like a cancel, with the reason in `stoppedBy`.
ScanOutcome scanProject(ProjectModel& model, const ScanRequest& request);

}  // namespace tally
