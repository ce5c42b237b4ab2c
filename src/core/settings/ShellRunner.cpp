#include "core/settings/ShellRunner.h"

namespace tally {

std::string_view shellErrorMessage(int code) {
    if (shellStartSucceeded(code)) return {};
    switch (code) {
        case kShellFileNotFound:
            return "File not found.";
        case kShellPathNotFound:
            return "Path not found.";
        case kShellAccessDenied:
            return "Access denied.";
        case kShellOutOfMemory:
            return "Out of memory.";
        case kShellBadExe:
            return "Invalid EXE file or error in EXE image.";
        case kShellSharingViolation:
            return "A sharing violation occurred.";
        case kShellIncompleteAssociation:
            return "Incomplete or invalid file association.";
        case kShellDdeTimeout:
            return "DDE Time out.";
        case kShellDdeFailed:
            return "DDE transaction failed.";
        case kShellDdeBusy:
            return "DDE busy.";
        case kShellNoAssociation:
            return "No association for file extension.";
        default:
            return "Unknown error";
    }
}

Outcome shellRun(ShellRunner& runner, std::string_view file, std::string_view parameters) {
    Outcome result;
    result.errorNumber = runner.start(ShellRequest{std::string(file), std::string(parameters)});
    result.ok = shellStartSucceeded(result.errorNumber);
    result.description = std::string(shellErrorMessage(result.errorNumber));
    result.message = result.description;
    return result;
}

}  // namespace tally
