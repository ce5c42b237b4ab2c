#include "core/spell/SpellSession.h"

#include <algorithm>

namespace tally {

namespace {

// The 1-based position of `what` in `text` at or after the 1-based `from`; 0 when it is not there.
int findFrom(const std::string& text, int from, std::string_view what) {
    if (from < 1 || static_cast<std::size_t>(from) > text.size()) return 0;
    std::size_t at = text.find(what, static_cast<std::size_t>(from - 1));
    return at == std::string::npos ? 0 : static_cast<int>(at) + 1;
}

bool blankOnly(std::string_view word) {
    return word.find_first_not_of(' ') == std::string_view::npos;
}

}  // namespace

SpellSession::SpellSession(std::vector<SpellRow>& rows, Speller& speller, int codePage)
    : m_rows(rows), m_speller(speller), m_codePage(codePage) {}

SpellState SpellSession::start() {
    if (m_state != SpellState::Ready) return m_state;
    return nextRow();
}

SpellState SpellSession::ignore() {
    if (m_state != SpellState::Waiting) return m_state;
    return scanOn();
}

SpellState SpellSession::change(const std::string& replacement) {
    if (m_state != SpellState::Waiting || m_selectionLength <= 0) return m_state;
    const auto from = static_cast<std::size_t>(m_selectionStart - 1);
    const auto length = static_cast<std::size_t>(m_selectionLength);
    // The misspelling is forgotten, so that its next occurrence is offered again.
    m_seen.forget(std::string_view(m_text).substr(from, length));
    m_text.replace(from, length, replacement);
    m_words = spellScanText(m_text, m_codePage);
    SpellRow& row = m_rows[static_cast<std::size_t>(m_currentRow - 1)];
    row.corrected = m_text;
    row.checked = true;
    // The scan goes on right after the changed word, whatever its new length.
    m_scanPos = std::max(0, m_scanPos + static_cast<int>(replacement.size()) - m_selectionLength);
    m_selectionLength = 0;
    return scanOn();
}

SpellState SpellSession::scanOn() {
    const SpellState stopped = nextWord();
    return stopped == SpellState::Ready ? nextRow() : stopped;
}

void SpellSession::chooseSuggestion(std::size_t index) {
    if (index >= m_suggestions.size() || m_suggestions[index] == kNoSuggestion) return;
    m_selectedSuggestion = static_cast<int>(index);
    m_changeTo = m_suggestions[index];
}

SpellState SpellSession::nextRow() {
    // Rows whose words are all known are passed in this loop, not by recursion: a project has
    // thousands of them.
    for (;;) {
        ++m_currentRow;
        if (m_currentRow > rowCount()) return m_state = SpellState::Finished;
        const SpellRow& row = m_rows[static_cast<std::size_t>(m_currentRow - 1)];
        // A blank cell keeps the label: the later rows of a file show its name still.
        if (!blankOnly(row.file)) m_info[0] = row.file;
        if (!blankOnly(row.routine)) m_info[1] = row.routine;
        if (!blankOnly(row.label)) m_info[2] = row.label;
        m_text = row.value;
        m_words = spellScanText(m_text, m_codePage);
        m_scanPos = 0;
        m_notFound.clear();
        m_selectionLength = 0;
        SpellState stopped = nextWord();
        if (stopped != SpellState::Ready) return stopped;
    }
}

// Returns Ready when the row has no word left to stop at, so the caller moves to the next row.
SpellState SpellSession::nextWord() {
    const int length = static_cast<int>(m_words.size());
    if (m_scanPos == 0) m_scanPos = 1;
    // A row without a blank or line break is one word, and such captions ("OK", "Cancel") are not
    // checked; an empty row has nothing to check either.
    while (findFrom(m_words, m_scanPos, " ") > 0 || findFrom(m_words, m_scanPos, "\r\n") > 0) {
        int start;
        if (m_scanPos == 1)
            start = m_words[0] != ' ' ? 1 : findFrom(m_words, 1, " ") + 1;
        else
            start = findFrom(m_words, m_scanPos, " ");
        // Only a line break left: the rest of the text is the last piece.
        if (start == 0) start = m_scanPos;
        int end = findFrom(m_words, start + 1, " ");
        if (end == 0) end = length + 1;

        WordPiece piece{m_words.substr(static_cast<std::size_t>(start - 1), static_cast<std::size_t>(end - start)),
                        start, m_mnemonic};
        cleanWord(piece, m_seen, m_codePage);
        m_mnemonic = piece.mnemonic;
        if (blankOnly(piece.word)) {
            // The blank at `end` starts the next piece.
            m_scanPos = end;
            continue;
        }
        const int result = checkWord(piece.word);
        if (result > 0) {
            m_notFound = piece.word;
            m_selectionStart = piece.start;
            // The "&" is out of the word; the highlight covers it too.
            m_selectionLength = static_cast<int>((m_mnemonic.empty() ? 0 : 1) + piece.word.size());
            m_scanPos = end - 1;
            return m_state = SpellState::Waiting;
        }
        if (result < -1) return m_state = SpellState::DictionaryBroken;
        m_scanPos = end;
    }
    m_state = SpellState::Ready;
    return SpellState::Ready;
}

int SpellSession::checkWord(std::string& word) {
    m_suggestions.clear();
    m_changeTo.clear();
    m_selectedSuggestion = -1;
    m_suggestionsEnabled = false;
    word = removeMnemonic(word, m_mnemonic);
    if (word.find("~-") != std::string::npos) return -1;

    SpellerSuggestions offered = m_speller.suggest(word);
    if (offered.status == SpellerStatus::DictionaryBroken) return -2;
    if (offered.status == SpellerStatus::Failed) return -1;
    int result;
    if (!offered.words.empty()) {
        for (const std::string& suggestion : offered.words) m_suggestions.push_back(insertMnemonic(suggestion, m_mnemonic));
        m_suggestionsEnabled = true;
        result = static_cast<int>(m_suggestions.size());
    } else {
        bool correct = false;
        const SpellerStatus status = m_speller.check(word, correct);
        if (status == SpellerStatus::DictionaryBroken) return -2;
        if (status == SpellerStatus::Failed || correct) return -1;
        m_suggestions.emplace_back(kNoSuggestion);
        m_changeTo = word;
        result = 1;
    }
    if (m_suggestionsEnabled) chooseSuggestion(0);
    return result;
}

}  // namespace tally
