#pragma once
// The codecs the command's project texts are decoded with: the code page --codepage names, or the
// one the project's own bytes show ("auto", the default), and a codec of its own for a file whose
// bytes differ. Windows-1252 until a command chooses.

#include <string>
#include <string_view>

#include "core/model/ProjectModel.h"
#include "core/support/SourceTextCache.h"
#include "core/text/SourceCodecs.h"
#include "core/text/TextCodec.h"

namespace tally {

// Back to Windows-1252 (each run starts so).
void resetProjectCodec();
// Chooses the codecs for `model` from the --codepage text: a number, a name, or "auto"/empty for
// the code page the project's files are written in. Empty on success, else why not. The members that
// detection reads whole go into `wholeMembers` when it is given (see chooseSourceCodecs).
std::string chooseProjectCodec(const ProjectModel& model, std::string_view choice,
                               SourceTextCache* wholeMembers = nullptr);
// Checks a --codepage text without choosing: empty when it names a code page or is "auto".
std::string checkCodePageChoice(std::string_view choice);
const TextCodec& projectCodec();
const SourceCodecs& projectSourceCodecs();

// A project text as UTF-8 (see SourceCodecs::toUtf8).
std::string projectUtf8(std::string_view bytes);
// A text of the file called `fileName` (a model row's file), with that file's codec.
std::string projectFileUtf8(std::string_view fileName, std::string_view bytes);
// UTF-8 typed on the command line as project bytes; characters the code page lacks become '?'.
std::string projectBytes(std::string_view utf8);

}  // namespace tally
