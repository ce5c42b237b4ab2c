#pragma once
// One run of the spell check over the Spell Check list: row by row, word by word, stopping at each
// word the speller does not know so the user can change or ignore it. The dialog shows what the
// session holds; the session writes corrections into the rows (the "Corrected Text" and the tick)
// and never into a source file.

#include <array>
#include <string>
#include <vector>

#include "core/model/Records.h"
#include "core/spell/Speller.h"
#include "core/spell/SpellWords.h"

namespace tally {

inline constexpr std::string_view kNoSuggestion = "(No Suggestion)";

enum class SpellState {
    Ready,             // loaded, nothing checked: only Start may be pressed
    Waiting,           // stopped at a misspelled word
    DictionaryBroken,  // the speller's dictionary failed; the row's scan stopped, the dialog stays
    Finished,          // past the last row
};

class SpellSession {
public:
    // `codePage` is the one the rows' texts are in: it decides where words are (see spellScanText).
    SpellSession(std::vector<SpellRow>& rows, Speller& speller, int codePage = kCodePageWestern);

    // Start, and the move to each next row: scans on until a word stops the check or the rows end.
    SpellState start();
    // Replaces the highlighted word with `replacement`, writes the corrected text into the row and
    // ticks it, then scans on.
    SpellState change(const std::string& replacement);
    // Leaves the word as it is (it is not flagged again in this run) and scans on.
    SpellState ignore();
    // A click on a suggestion: copies it into the "Change To" text unless it is "(No Suggestion)".
    void chooseSuggestion(std::size_t index);

    SpellState state() const { return m_state; }
    int rowCount() const { return static_cast<int>(m_rows.size()); }
    // The 1-based row being checked (the progress bar's value); 0 before the first.
    int currentRow() const { return m_currentRow; }
    // The row's text as the pane shows it, with the changes made so far.
    const std::string& text() const { return m_text; }
    // File, control or routine, and variable or property of the row (kept from earlier rows
    // where a row leaves them blank).
    const std::array<std::string, 3>& info() const { return m_info; }
    // "Not In Dictionary": the word without its "&".
    const std::string& notInDictionary() const { return m_notFound; }
    // The highlighted part of the text: 1-based start and length; 0 length when none.
    int selectionStart() const { return m_selectionStart; }
    int selectionLength() const { return m_selectionLength; }
    const std::vector<std::string>& suggestions() const { return m_suggestions; }
    bool suggestionsEnabled() const { return m_suggestionsEnabled; }
    // "Change To": the first suggestion, or the word itself when there is none (then shown selected
    // whole).
    const std::string& changeTo() const { return m_changeTo; }
    void setChangeTo(std::string text) { m_changeTo = std::move(text); }
    // The first list entry, selected after a check; -1 when none is.
    int selectedSuggestion() const { return m_selectedSuggestion; }

private:
    SpellState nextRow();
    SpellState nextWord();
    // The rest of the row, then the rows after it.
    SpellState scanOn();
    // > 0: misspelled (the number of entries in the list); -1: correct; -2: the dictionary failed.
    int checkWord(std::string& word);

    std::vector<SpellRow>& m_rows;
    Speller& m_speller;
    int m_codePage;
    SeenWords m_seen;
    SpellState m_state = SpellState::Ready;
    int m_currentRow = 0;
    int m_scanPos = 0;
    std::string m_mnemonic;
    std::string m_text;
    std::string m_words;  // m_text as it is cut into words: the same length, see spellScanText
    std::array<std::string, 3> m_info;
    std::string m_notFound;
    int m_selectionStart = 0;
    int m_selectionLength = 0;
    std::vector<std::string> m_suggestions;
    bool m_suggestionsEnabled = false;
    std::string m_changeTo;
    int m_selectedSuggestion = -1;
};

}  // namespace tally
