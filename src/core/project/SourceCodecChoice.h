#pragma once
// Choosing the codecs a project's texts are read with, from the bytes of its files: the project's
// code page from all of them, and a codec of its own for a file whose bytes are UTF-8 in an ANSI
// project, or ANSI in a UTF-8 one. The user may name the project's page instead.

#include <string>

#include "core/model/ProjectModel.h"
#include "core/support/SourceTextCache.h"
#include "core/text/SourceCodecs.h"
#include "core/text/TextCodec.h"

namespace tally {

// Detection and the code page the user chose.
inline constexpr int kCodePageAuto = 0;

struct SourceCodecChoice {
    SourceCodecs codecs;
    // Empty when the codecs could be made; else why not (a code page this system has no codec for).
    std::string failure;
};

// The code page the project's files are written in, from a sample of each (the project file and
// every member found; missing members and what is not a regular file are passed over). Without any
// file to read (a scan file opened elsewhere), the Spell rows' texts are the sample.
int detectProjectCodePage(const ProjectModel& model);

// The codecs for `model`: the project's page is `codePage`, or detected when it is kCodePageAuto;
// files that are well-formed UTF-8 with a multi-byte character in a project of another page get
// UTF-8, and files that are not UTF-8 in a UTF-8 project the page their own bytes show.
//
// Most members are shorter than a sample, so detection reads them whole; with `wholeMembers` it keeps
// those texts (within the cache's budget) for the scan's first pass, which then need not read them
// again (ScanRequest::readAhead).
SourceCodecChoice chooseSourceCodecs(const ProjectModel& model, int codePage, CodecFactory factory,
                                     SourceTextCache* wholeMembers = nullptr);

}  // namespace tally
