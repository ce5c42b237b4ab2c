#pragma once
// Running the spell check from the main window: the speller is opened (off the GUI thread, as a
// dictionary takes a moment), the dialog runs modally over the model's Spell Check rows, and the
// words the user ignores for good go to the project's word list.

#include <QString>
#include <string>

#include "core/model/ProjectModel.h"
#include "ui/common/UserPrompts.h"

class QWidget;

namespace tally {

// The Hunspell dictionary the check uses: the "Spelling/Dictionary" setting, en_US when unset.
std::string chosenDictionary();

// Opens the dialog over `model.spell`; true when a row was corrected (the scan has changed then).
// Says so and opens nothing when there is no dictionary at all.
bool runSpellCheck(QWidget* parent, ProjectModel& model, UserPrompts& prompts);

}  // namespace tally
