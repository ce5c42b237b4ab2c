#pragma once
// Runs the command line in the test's own process, with its output and errors captured.

#include <sstream>
#include <string>
#include <vector>

#include "cli/CliApp.h"

namespace tally {

struct CliRun {
    int code = -1;
    std::string out;
    std::string err;
};

// `cancelled` stands for a Ctrl-C that came before the run; `endsAfterCommand` runs it as the
// program does, which leaves the model to the end of the process.
inline CliRun run(std::vector<std::string> args, bool cancelled = false, bool endsAfterCommand = false) {
    std::ostringstream out, err;
    CancelFlag cancel{cancelled};
    CliEnvironment env{out, err, cancel, false, endsAfterCommand};
    CliRun result;
    result.code = runCli(args, env);
    result.out = out.str();
    result.err = err.str();
    return result;
}

}  // namespace tally
