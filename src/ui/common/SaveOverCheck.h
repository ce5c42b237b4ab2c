#pragma once
// The questions before a file is saved over: a name that must not be written is refused with a
// message, an existing file needs the user's yes, and so does what saving over it would lose (its
// read-only mode, its hard links, its owner).

#include <optional>
#include <string>

#include "ui/common/UserPrompts.h"

namespace tally {

// Asks the questions for `target` (an absolute local path). Nothing when the save must not go
// ahead (refused or answered No); otherwise whether the user agreed to the cautions, which the
// writer is then told. `refusal` is the caller's own reason to refuse, checked first.
std::optional<bool> confirmSaveOver(UserPrompts& prompts, const std::string& target, std::string refusal = {});

}  // namespace tally
