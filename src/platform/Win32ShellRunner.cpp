#include "platform/Win32ShellRunner.h"

#include <windows.h>
#include <shellapi.h>

#include <cstdint>

namespace tally {

int Win32ShellRunner::start(const ShellRequest& request) {
    // The "open" verb, the parameters only for a program; no working folder, so the program
    // starts in the caller's, as the desktop's own Run does.
    const HINSTANCE result =
        ShellExecuteA(nullptr, "open", request.file.c_str(),
                      request.parameters.empty() ? nullptr : request.parameters.c_str(), nullptr, SW_SHOWNORMAL);
    // Success is any value above 32; the codes up to 32 are the failures callers map to messages.
    const auto code = reinterpret_cast<std::intptr_t>(result);
    return code > 32 ? kShellStarted : static_cast<int>(code);
}

}  // namespace tally
