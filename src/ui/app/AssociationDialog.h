#pragma once
// The question on the first start (frmAssoc, "File Asscociation"): should .psf files open with
// this program? Its answer is the number ScanFileAssociation's applyAssociationAnswer takes.

#include <QDialog>

class QCheckBox;
class QPushButton;

namespace tally {

class AssociationDialog : public QDialog {
    Q_OBJECT
public:
    explicit AssociationDialog(QWidget* parent = nullptr);

    // 1 Yes, 4 No, plus 1 with "Don't ask me this again."; 0 when closed otherwise.
    int answer() const { return m_answer; }
    QCheckBox* againBox() const { return m_again; }
    QPushButton* button(int index) const { return m_buttons[index]; }  // 1 "&Yes", 0 "&No"

private:
    void answered(bool yes);

    QCheckBox* m_again;
    QPushButton* m_buttons[2];
    int m_answer = 0;
};

// Shows the dialog modally, centred on the screen, and returns its answer.
int askAboutAssociation(QWidget* parent);

}  // namespace tally
