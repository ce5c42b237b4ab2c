#pragma once
// tallyscan6's main(): reads the command line, applies the look, shows the main window with the
// real dialogs and the system's shell, and runs the event loop.

namespace tally {

// Runs the desktop program and returns its exit code.
int runGui(int argc, char** argv);

}  // namespace tally
