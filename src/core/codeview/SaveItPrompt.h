#pragma once
// The "Save It" dialog that the code view shows when an edited file is left or saved, and the
// questions and messages around saving. The front end implements it with its dialogs.

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace tally {

// The choices of the "Save It" dialog. BackOut is Esc or the window's close button: the user goes
// back to the code and nothing happens; only ContinueWithoutSaving throws the edits away.
enum class SaveItChoice { ContinueWithoutSaving, ZipAndSave, SaveAs, Save, BackOut };

// One button of the dialog with the explanation shown beside it.
struct SaveItButton {
    SaveItChoice choice;
    std::string_view caption;
    std::string_view explanation;
    bool enabled = true;
};

// The four buttons in their order; "Zip && Save File" is enabled only when zipping is available.
std::array<SaveItButton, 4> saveItButtons(bool zipAvailable);

// How a message box looks.
enum class MessageIcon { None, Information, Exclamation, Question };

class SaveItPrompt {
public:
    virtual ~SaveItPrompt() = default;
    // Shows the dialog (caption "Save It") modally with `label` and returns the button chosen;
    // closing it otherwise counts as BackOut.
    virtual SaveItChoice choose(std::string_view label, std::span<const SaveItButton> buttons) = 0;
    // The save dialog (title "Save File") with the given filter, starting at `currentPath`;
    // nothing when the user cancels.
    virtual std::optional<std::string> chooseSaveAsPath(std::string_view currentPath,
                                                        std::string_view filter) = 0;
    // A Yes/No question titled with the application title; true for Yes.
    virtual bool askYesNo(std::string_view question) = 0;
    // A message box titled with the application title.
    virtual void showMessage(std::string_view text, MessageIcon icon) = 0;
};

// Zips the stored file before "Zip && Save File" saves over it. Provided by the archive part.
class BackupArchiver {
public:
    virtual ~BackupArchiver() = default;
    // Archives the file at `path` as it is on disk; the archive's file name (without folder) on
    // success, nothing when no archive was made.
    virtual std::optional<std::string> archiveStoredFile(std::string_view path) = 0;
};

// The filter of the "Save File" dialog for a file: its kind by extension, then "|All Files|*.*".
std::string saveAsFilter(std::string_view path);

}  // namespace tally
