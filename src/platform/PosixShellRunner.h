#pragma once
// Starts programs and opens documents on Linux and other POSIX desktops. Documents open through
// the desktop's opener (xdg-open); the text editor program stands for the user's editor ($VISUAL,
// then $EDITOR, else the opener). Failures are answered with the shell start codes, so the user
// sees the same messages as everywhere: a missing program or document is "File not found.".

#include <string>
#include <vector>

#include "core/settings/ShellRunner.h"

namespace tally {

// Which programs the runner uses; read from the environment, or set by tests.
struct ShellLaunchSettings {
    std::string visual;               // $VISUAL: the editor command, may carry options
    std::string editor;               // $EDITOR: used when $VISUAL is empty
    std::string opener = "xdg-open";  // opens a document with its associated program
    std::string searchPath;           // $PATH: where programs named without a folder are found
    std::string wine = "wine";        // runs Windows programs named without a folder ("regsvr32.exe")
    // How long to wait for the opener to report that it could not open the document. It usually
    // hands the document over and ends within a fraction of a second.
    int openerWaitMs = 1000;
};

// The settings of this process's environment.
ShellLaunchSettings shellLaunchSettingsFromEnvironment();

class PosixShellRunner final : public ShellRunner {
public:
    explicit PosixShellRunner(ShellLaunchSettings settings = shellLaunchSettingsFromEnvironment());

    int start(const ShellRequest& request) override;

private:
    // Starts argv (argv[0] already a path) detached; waits for its exit when `waitForExit`.
    int launch(const std::vector<std::string>& argv, bool waitForExit) const;
    // The program file argv[0] names, searched along the path when it has no folder; empty if none.
    std::string findProgram(const std::string& name) const;

    ShellLaunchSettings m_settings;
};

// The shell start code for a failed exec's errno.
int shellCodeForErrno(int error);
// The shell start code for the opener's exit status (xdg-open's documented statuses).
int shellCodeForOpenerExit(int status);

}  // namespace tally
