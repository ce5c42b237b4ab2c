#pragma once
// The "Spell Check" dialog (frmSpellIt): one run of the check over the Spell Check rows. It shows
// the row's text with the unknown word highlighted, where the row comes from, the suggestions and
// the "Change To" text, and writes corrections into the rows (the "Corrected Text" and the tick).

#include <QDialog>
#include <array>
#include <functional>
#include <memory>
#include <vector>

#include "core/model/Records.h"
#include "core/spell/SpellSession.h"
#include "ui/common/UserPrompts.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QProgressBar;
class QPushButton;
class QTextEdit;

namespace tally {

class SpellCheckDialog : public QDialog {
    Q_OBJECT
public:
    // `brokenMessage` is shown when the speller's dictionary fails; `ignoreAlways` keeps a word in
    // the project's word list (no "Ignore Always" button when it is empty); `codePage` is the one
    // the rows' texts are in.
    SpellCheckDialog(std::vector<SpellRow>& rows, Speller& speller, UserPrompts& prompts, QString brokenMessage,
                     std::function<void(const std::string&)> ignoreAlways, QWidget* parent = nullptr,
                     int codePage = kCodePageWestern);
    ~SpellCheckDialog() override;

    // Whether a row was corrected during the run.
    bool changedRows() const { return m_changed; }

    QPushButton* startButton() const { return m_start; }
    QPushButton* changeButton() const { return m_change; }
    QPushButton* ignoreButton() const { return m_ignore; }
    QPushButton* ignoreAlwaysButton() const { return m_ignoreAlways; }
    QPushButton* cancelButton() const { return m_cancel; }
    QTextEdit* textPane() const { return m_text; }
    QLineEdit* changeToField() const { return m_changeTo; }
    QListWidget* suggestionList() const { return m_suggestions; }
    QLabel* notInDictionaryLabel() const { return m_notFound; }
    QLabel* infoLabel(int index) const { return m_info[static_cast<std::size_t>(index)]; }
    QProgressBar* progressBar() const { return m_progress; }

private:
    void build();
    void startClicked();
    void changeClicked();
    void ignoreClicked();
    void ignoreAlwaysClicked();
    // Shows where the session stopped; closes the dialog after the last row.
    void display(SpellState state);
    void showWord();

    std::vector<SpellRow>& m_rows;
    UserPrompts& m_prompts;
    QString m_brokenMessage;
    std::function<void(const std::string&)> m_keepWord;
    SpellSession m_session;
    bool m_changed = false;

    QProgressBar* m_progress = nullptr;
    QPushButton* m_start = nullptr;
    QTextEdit* m_text = nullptr;
    std::array<QLabel*, 3> m_info{};
    QLabel* m_notFound = nullptr;
    QLineEdit* m_changeTo = nullptr;
    QListWidget* m_suggestions = nullptr;
    QPushButton* m_change = nullptr;
    QPushButton* m_ignore = nullptr;
    QPushButton* m_ignoreAlways = nullptr;
    QPushButton* m_cancel = nullptr;
};

}  // namespace tally
