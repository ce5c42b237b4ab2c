#pragma once
// The "Save It" dialog (frmSave): a label saying which file changed, and four buttons, each with
// its explanation beside it. Shown modally; the button pressed is the answer.

#include <QDialog>
#include <span>

#include "core/codeview/SaveItPrompt.h"

class QLabel;
class QPushButton;

namespace tally {

class SaveItDialog : public QDialog {
    Q_OBJECT
public:
    SaveItDialog(const QString& label, std::span<const SaveItButton> buttons, QWidget* parent = nullptr);

    // The button pressed; BackOut when the dialog was closed otherwise (Esc, the close button).
    SaveItChoice choice() const { return m_choice; }
    // The button of a choice (cmdSave(index) in button order); null when there is none.
    QPushButton* button(SaveItChoice choice) const;
    QString labelText() const;

private:
    QLabel* m_label;
    std::vector<std::pair<SaveItChoice, QPushButton*>> m_buttons;
    SaveItChoice m_choice = SaveItChoice::BackOut;
};

}  // namespace tally
