// tallyscan6-cli: the analysis of Tallyscan 6 without a display.

#include <csignal>
#include <iostream>

#include "cli/CliApp.h"
#include "core/os/SystemFiles.h"

namespace {

tally::CancelFlag g_cancel{false};

// The first Ctrl-C cancels the scan like the Cancel button; a second one ends the program at once.
void onInterrupt(int) {
    g_cancel.store(true);
    std::signal(SIGINT, SIG_DFL);
}

}  // namespace

int main(int argc, char** argv) {
    std::signal(SIGINT, onInterrupt);
    std::vector<std::string> args(argv + 1, argv + argc);
    tally::CliEnvironment environment{std::cout, std::cerr, g_cancel, tally::sys::standardErrorIsTerminal(), true};
    int code = tally::runCli(args, environment);
    std::cout.flush();
    return code;
}
