#pragma once
// The modeless Find dialog of the code view: the text to find (255 characters at most), whole word,
// match case and the direction, and a Find Next button that asks the owner to search. It stays open
// across searches until the user closes it.

#include <QDialog>

#include "core/codeview/CodeSearch.h"

class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace tally {

class FindDialog : public QDialog {
    Q_OBJECT
public:
    explicit FindDialog(QWidget* parent = nullptr);

    // Puts `text` in the find-what field, selected; the direction starts down.
    void start(const QString& text);
    QString findText() const;
    FindOptions options() const;
    void setOptions(const FindOptions& options);
    QPushButton* findNextButton() const { return m_findNext; }

signals:
    // Find Next was pressed.
    void findNextRequested(const QString& text, const tally::FindOptions& options);

private:
    QLineEdit* m_what;
    QCheckBox* m_wholeWord;
    QCheckBox* m_matchCase;
    QRadioButton* m_up;
    QRadioButton* m_down;
    QPushButton* m_findNext;
};

}  // namespace tally
