#pragma once
// tallyscan6-cli's commands, runnable from tests: the streams, the cancel flag and whether stderr is
// a terminal come from outside.

#include <ostream>
#include <string>
#include <vector>

#include "core/support/ParseProgress.h"

namespace tally {

struct CliEnvironment {
    std::ostream& out;
    std::ostream& err;
    CancelFlag& cancel;          // set by Ctrl-C
    bool stderrIsTerminal = false;
    // The process ends right after the command: the model it scanned or opened is not taken apart.
    bool endsAfterCommand = false;
};

inline constexpr int kExitOk = 0;
inline constexpr int kExitUsage = 2;
inline constexpr int kExitReviewFailed = 3;
inline constexpr int kExitCancelled = 130;

// Runs the command line (without the program name) and returns the exit code.
int runCli(const std::vector<std::string>& args, CliEnvironment& environment);

}  // namespace tally
