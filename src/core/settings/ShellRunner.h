#pragma once
// Starting another program, or opening a document with the program associated with it. The
// platform layer does the start and answers with a shell start code; the messages the user sees
// for a failed start live here so that every platform reports failures with the same texts.

#include <string>
#include <string_view>

#include "core/support/Outcome.h"

namespace tally {

// Shell start codes: 32 and above mean the start succeeded; the ones below are failures.
inline constexpr int kShellStarted = 42;
inline constexpr int kShellUnknownError = 0;
inline constexpr int kShellFileNotFound = 2;
inline constexpr int kShellPathNotFound = 3;
inline constexpr int kShellAccessDenied = 5;
inline constexpr int kShellOutOfMemory = 8;
inline constexpr int kShellBadExe = 11;
inline constexpr int kShellSharingViolation = 26;
inline constexpr int kShellIncompleteAssociation = 27;
inline constexpr int kShellDdeTimeout = 28;
inline constexpr int kShellDdeFailed = 29;
inline constexpr int kShellDdeBusy = 30;
inline constexpr int kShellNoAssociation = 31;

// The program name that stands for the user's plain text editor.
inline constexpr std::string_view kTextEditorProgram = "notepad.exe";

// What to start: a program with its parameters, or a document (empty parameters) to open with its
// associated program.
struct ShellRequest {
    std::string file;
    std::string parameters;
};

// Starts programs and opens documents on the machine the program runs on.
class ShellRunner {
public:
    virtual ~ShellRunner() = default;
    // Starts the request and returns a shell start code (32 or more when it started).
    virtual int start(const ShellRequest& request) = 0;
};

// True for a code that means the start succeeded.
inline bool shellStartSucceeded(int code) {
    return code >= 32;
}

// The message for a failed start code: "File not found." for 2, ..., "Unknown error" for any other
// code below 32; empty for a code that means success.
std::string_view shellErrorMessage(int code);

// Hands the request to the runner. The outcome carries the start code as its error number and the
// message to show (exclamation icon, application title).
Outcome shellRun(ShellRunner& runner, std::string_view file, std::string_view parameters);

}  // namespace tally
