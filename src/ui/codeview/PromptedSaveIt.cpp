#include "ui/codeview/PromptedSaveIt.h"

#include <QFileInfo>

#include "ui/common/AnsiText.h"
#include "ui/common/UserPrompts.h"

namespace tally {

// The label names a file: its name comes from the file system, not from the code page.
SaveItChoice PromptedSaveIt::choose(std::string_view label, std::span<const SaveItButton> buttons) {
    return m_prompts.chooseSaveIt(fromLocalPath(label), buttons);
}

std::optional<std::string> PromptedSaveIt::chooseSaveAsPath(std::string_view currentPath,
                                                            std::string_view filter) {
    QString chosen =
        m_prompts.chooseSaveFile(QStringLiteral("Save File"), fromAnsi(filter), fromLocalPath(currentPath));
    if (chosen.isEmpty()) return std::nullopt;
    return toLocalPath(QFileInfo(chosen).absoluteFilePath());
}

bool PromptedSaveIt::askYesNo(std::string_view question) {
    return m_prompts.askYesNo(fromLocalPath(question), applicationTitle());
}

void PromptedSaveIt::showMessage(std::string_view text, MessageIcon icon) {
    m_prompts.notify(fromLocalPath(text), icon, applicationTitle());
}

}  // namespace tally
