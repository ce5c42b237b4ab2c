#pragma once
// The code page the command's project texts are decoded with: the one --codepage names, or the
// one the project's own bytes show ("auto", the default). Windows-1252 until a command chooses.

#include <memory>
#include <string>
#include <string_view>

#include "core/model/ProjectModel.h"
#include "core/text/TextCodec.h"

namespace tally {

// Back to Windows-1252 (each run starts so).
void resetProjectCodec();
// Chooses the codec for `model` from the --codepage text: a number, a name, or "auto"/empty for
// the code page the project's files are written in. Empty on success, else why not.
std::string chooseProjectCodec(const ProjectModel& model, std::string_view choice);
const TextCodec& projectCodec();

// A project text as UTF-8. Windows-1252 texts keep the mixed reading of displayUtf8 (file names
// taken from the disk are UTF-8 already); other code pages decode with their codec.
std::string projectUtf8(std::string_view bytes);
// UTF-8 typed on the command line as project bytes; characters the code page lacks become '?'.
std::string projectBytes(std::string_view utf8);

}  // namespace tally
