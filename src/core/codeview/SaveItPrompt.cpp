#include "core/codeview/SaveItPrompt.h"

#include "core/project/PathOps.h"
#include "core/text/TextOps.h"

namespace tally {

std::array<SaveItButton, 4> saveItButtons(bool zipAvailable) {
    return {{
        {SaveItChoice::ContinueWithoutSaving, "Continue Without Saving",
         "Close this window without saving anything.", true},
        {SaveItChoice::ZipAndSave, "Zip && Save File", "Zip up the original file and then save the changes.",
         zipAvailable},
        {SaveItChoice::SaveAs, "Save File As...", "Save the file under a new name.", true},
        {SaveItChoice::Save, "Save File", "Save the file now.", true},
    }};
}

std::string saveAsFilter(std::string_view path) {
    std::string name = toLower(fileNameOf(path));
    std::string kind;
    if (endsWith(name, ".bas"))
        kind = "Basic Files (*.bas)|*.bas";
    else if (endsWith(name, ".frm"))
        kind = "Form Files (*.frm)|*.frm";
    else if (endsWith(name, ".cls"))
        kind = "Class Files (*.cls)|*.cls";
    else if (endsWith(name, ".ctl"))
        kind = "User Defined Control Files (*.ctl)|*.ctl";
    else if (endsWith(name, ".pag"))
        kind = "Property Page Files (*.pag)|*.pag";
    return kind.empty() ? "All Files|*.*" : kind + "|All Files|*.*";
}

}  // namespace tally
