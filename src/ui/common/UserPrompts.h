#pragma once
// The message boxes and file dialogs the main window and its dialogs show. The program shows real
// dialogs; tests answer them from a script.

#include <QString>
#include <QStringList>
#include <span>

#include "core/codeview/SaveItPrompt.h"

namespace tally {

class UserPrompts {
public:
    virtual ~UserPrompts() = default;
    // A notice with an OK button.
    virtual void notify(const QString& text, MessageIcon icon, const QString& title) = 0;
    // A question with Yes and No buttons (question icon); true for Yes.
    virtual bool askYesNo(const QString& text, const QString& title) = 0;
    // The file-open dialog with a filter in the "Name|*.ext|Name|*.*" form; the chosen existing file,
    // or empty when cancelled.
    virtual QString chooseOpenFile(const QString& caption, const QString& filter) = 0;
    // The same with several files allowed; nothing when cancelled.
    virtual QStringList chooseOpenFiles(const QString& caption, const QString& filter) = 0;
    // The file-save dialog; `proposed` is the path offered first. Empty when cancelled. The dialog
    // does not ask about overwriting: the caller asks in its own words.
    virtual QString chooseSaveFile(const QString& caption, const QString& filter,
                                   const QString& proposed) = 0;
    // The "Save It" dialog with `label` above its buttons; the button chosen (closing the dialog
    // otherwise is BackOut).
    virtual SaveItChoice chooseSaveIt(const QString& label, std::span<const SaveItButton> buttons) = 0;
};

// The title of the program's message boxes and of its main window without a project.
inline QString applicationTitle() {
    return QStringLiteral("Tallyscan 6");
}

}  // namespace tally
