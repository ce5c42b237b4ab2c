#include "cli/ProjectText.h"

#include "core/project/SourceCodecChoice.h"
#include "platform/text/TextCodecs.h"

namespace tally {

namespace {

SourceCodecs& current() {
    static SourceCodecs codecs;
    return codecs;
}

bool isAuto(std::string_view choice) {
    return choice.empty() || choice == "auto";
}

}  // namespace

void resetProjectCodec() {
    current() = SourceCodecs();
}

std::string checkCodePageChoice(std::string_view choice) {
    if (isAuto(choice) || codePageFromName(choice)) return {};
    return "unknown code page '" + std::string(choice) + "' (a number such as 932, or utf-8, or auto)";
}

std::string chooseProjectCodec(const ProjectModel& model, std::string_view choice, SourceTextCache* wholeMembers) {
    if (std::string why = checkCodePageChoice(choice); !why.empty()) return why;
    const int codePage = isAuto(choice) ? kCodePageAuto : *codePageFromName(choice);
    SourceCodecChoice chosen = chooseSourceCodecs(model, codePage, makeTextCodec, wholeMembers);
    if (!chosen.failure.empty()) return chosen.failure;
    current() = std::move(chosen.codecs);
    return {};
}

const TextCodec& projectCodec() {
    return current().project();
}

const SourceCodecs& projectSourceCodecs() {
    return current();
}

std::string projectUtf8(std::string_view bytes) {
    return current().toUtf8(bytes);
}

std::string projectFileUtf8(std::string_view fileName, std::string_view bytes) {
    return current().namedFileToUtf8(fileName, bytes);
}

std::string projectBytes(std::string_view utf8) {
    return encodeWithQuestionMarks(current().project(), utf8);
}

}  // namespace tally
