#pragma once
// Where the whole-word occurrences of some words lie in a routine text, each classed as a use or as
// a hit in a comment; built in one pass over the text, however many words there are.

#include <string_view>
#include <unordered_map>
#include <vector>

namespace tally {

// A character of a name: letters, digits, "_" and every byte above 0x7F.
inline bool isLocalNameChar(char c) {
    unsigned char u = static_cast<unsigned char>(c);
    return (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z') || (u >= '0' && u <= '9') || u == '_' ||
           u >= 0x80;
}

class RoutineWordIndex {
public:
    struct Word {
        std::vector<std::size_t> at;           // positions of the whole-word occurrences, in order
        std::vector<std::size_t> useFrom;      // index of the first use at or after i; at.size() when none
        std::vector<std::size_t> commentFrom;  // index of the first hit in a comment at or after i
    };

    // Indexes the non-empty `words` in `text`, whose lines end in LF (CR LF).
    RoutineWordIndex(std::string_view text, const std::vector<std::string_view>& words);

    // The occurrences of an indexed word; nullptr for a word that was not indexed.
    const Word* find(std::string_view word) const;

private:
    void classify(Word& entry) const;
    bool isUse(std::size_t hit) const;

    std::unordered_map<std::string_view, Word> m_words;
    std::vector<std::size_t> m_lineStarts;
    std::vector<std::size_t> m_apostrophes;
    std::vector<std::size_t> m_quotes;
};

}  // namespace tally
