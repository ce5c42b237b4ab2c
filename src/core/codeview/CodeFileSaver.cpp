#include "core/codeview/CodeFileSaver.h"

#include <cstdio>
#include <string>

#include "core/os/SaveTarget.h"
#include "core/text/TextOps.h"

namespace tally {

namespace {

std::string modeText(unsigned mode) {
    char text[8];
    std::snprintf(text, sizeof text, "%04o", mode & 07777);
    return text;
}

// The classic number and description say little ("Permission denied"); the detail names the path
// and the system's reason, so it follows them when the writer gave one.
std::string detailLines(const Outcome& result) {
    if (result.detail.empty() || result.detail == result.description) return {};
    return "\r\n\r\n" + result.detail;
}

}  // namespace

Outcome saveBytesAtomically(std::string_view path, std::string_view bytes, bool cautionsAgreed) {
    if (path.empty()) return Outcome::failure(error::kPathNotFound, "Path not found", "Path not found");
    // A file nobody may write (read-only) is refused rather than replaced behind the user's back, as
    // the program always did; the look follows a link, so a link to a read-only file is refused too.
    const std::string target(path);
    const SaveTarget found = inspectSaveTarget(target);
    if (found.exists && found.readOnly)
        return Outcome::failure(error::kPathFileAccessError, "Path/File access error",
                                "Path/File access error: " + target + " is read-only (mode " +
                                    modeText(found.mode) + "); nothing was written");
    return SafeFileWriter(target).write(bytes, cautionsAgreed);
}

Outcome saveCodeText(std::string_view path, std::string_view text, LineEnd lineEnd,
                             bool cautionsAgreed) {
    if (lineEnd == LineEnd::CrLf) return saveBytesAtomically(path, text, cautionsAgreed);
    return saveBytesAtomically(path, fromCrLfText(text, lineEnd), cautionsAgreed);
}

std::string codeSaveQuestion(std::string_view path) {
    const SaveTarget found = inspectSaveTarget(path);
    // A read-only file is refused whatever the answer, so there is nothing to ask about it.
    if (!found.refusal.empty() || found.readOnly) return {};
    std::string question;
    for (const std::string& caution : saveCautions(path, found)) question += caution + " ";
    return question.empty() ? question : question + "Save anyway?";
}

std::string saveFailedMessage(std::string_view path, const Outcome& result) {
    return "The following error occured while trying to save " + std::string(path) + "\r\n\r\n" +
           toDecimal(result.errorNumber) + " - " + result.description + detailLines(result);
}

std::string writeFailedMessage(std::string_view path, const Outcome& result) {
    return "An error was encountered writing to " + std::string(path) + "\r\n\r\n" +
           toDecimal(result.errorNumber) + " - " + result.description + detailLines(result);
}

}  // namespace tally
