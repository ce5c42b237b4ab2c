#include "platform/ShellRunnerChoice.h"

#ifdef _WIN32
#include "platform/Win32ShellRunner.h"
#else
#include "platform/PosixShellRunner.h"
#endif

namespace tally {

std::unique_ptr<ShellRunner> makeSystemShellRunner() {
#ifdef _WIN32
    return std::make_unique<Win32ShellRunner>();
#else
    return std::make_unique<PosixShellRunner>();
#endif
}

}  // namespace tally
