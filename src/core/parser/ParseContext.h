#pragma once
// Everything a parsing pass works with: the model it fills, where it reports progress, the cancel
// flag it polls, where library versions come from and how numbers are written in the tree.

#include "core/model/ProjectModel.h"
#include "core/support/ParseProgress.h"
#include "core/parser/CalledByOrigins.h"
#include "core/support/SourceTextCache.h"
#include "core/project/FileVersion.h"
#include "core/text/NumberFormat.h"
#include "core/text/TextCodec.h"

namespace tally {

struct ParseContext {
    ProjectModel& model;
    ParseProgress& progress;
    const CancelFlag& cancel;
    const FileVersionSource& versions;
    NumberLocale locale;
    // The code page of the project's sources: which high bytes start a two-byte character, so that
    // texts in Japanese or Chinese are recognised as texts.
    int codePage = kCodePageWestern;
    // Where pass 1 leaves the texts it read for pass 2; none when a pass runs on its own.
    SourceTextCache* sources = nullptr;
    // Members read whole before the passes (by the code page detection), which pass 1 takes instead
    // of reading them again and leaves empty; may be null.
    SourceTextCache* readAhead = nullptr;
    // Where pass 2 notes the caller of each CalledBy entry it writes, for pass 3; none when a pass runs
    // on its own, and then pass 3 reads the entries from the lists' texts.
    CalledByOrigins* calledByOrigins = nullptr;
    // Threads the passes may use, this one included; the results are the same for any number.
    int threads = 1;

    bool cancelled() const { return cancel.load(std::memory_order_relaxed); }
};

}  // namespace tally
