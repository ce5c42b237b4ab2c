#include "ui/common/SaveOverCheck.h"

#include <QCoreApplication>

#include "core/os/SaveTarget.h"
#include "ui/common/AnsiText.h"

namespace tally {

std::optional<bool> confirmSaveOver(UserPrompts& prompts, const std::string& target, std::string refusal) {
    SaveTarget found = inspectSaveTarget(target);
    if (refusal.empty() && !found.refusal.empty()) refusal = target + " " + found.refusal;
    if (!refusal.empty()) {
        prompts.notify(fromLocalPath(refusal), MessageIcon::Exclamation, applicationTitle());
        return std::nullopt;
    }
    if (found.exists &&
        !prompts.askYesNo(QCoreApplication::translate("SaveOverCheck",
                                                      "This file already exists. Do you want to overwrite it?"),
                          applicationTitle()))
        return std::nullopt;
    std::vector<std::string> cautions = saveCautions(target, found);
    if (cautions.empty()) return false;
    QString text;
    for (const std::string& caution : cautions) text += fromLocalPath(caution) + QStringLiteral("\n");
    if (!prompts.askYesNo(text + QCoreApplication::translate("SaveOverCheck", "Save over it anyway?"),
                          applicationTitle()))
        return std::nullopt;
    return true;
}

}  // namespace tally
