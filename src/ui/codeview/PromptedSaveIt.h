#pragma once
// The code view's "Save It" dialog and the questions around saving, shown through the window's
// prompts (real dialogs in the program, a script in the tests).

#include "core/codeview/SaveItPrompt.h"

namespace tally {

class UserPrompts;

class PromptedSaveIt final : public SaveItPrompt {
public:
    explicit PromptedSaveIt(UserPrompts& prompts) : m_prompts(prompts) {}

    SaveItChoice choose(std::string_view label, std::span<const SaveItButton> buttons) override;
    std::optional<std::string> chooseSaveAsPath(std::string_view currentPath,
                                                std::string_view filter) override;
    bool askYesNo(std::string_view question) override;
    void showMessage(std::string_view text, MessageIcon icon) override;

private:
    UserPrompts& m_prompts;
};

}  // namespace tally
