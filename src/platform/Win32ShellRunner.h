#pragma once
// Starts programs and opens documents on Windows through ShellExecute, whose return value is the
// shell start code itself. "notepad.exe" is Windows' own editor, found on the system path.

#include "core/settings/ShellRunner.h"

namespace tally {

class Win32ShellRunner final : public ShellRunner {
public:
    int start(const ShellRequest& request) override;
};

}  // namespace tally
