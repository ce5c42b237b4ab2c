#pragma once
// Where the names of module-level variables occur in one file's text, and whether such a name is
// used there.
//
// The use test looks for the name N in a few written forms. Each form is an occurrence of N with a
// fixed text on its left or right: " N ", "(N ", " N(", " N" CR LF, " N,", "N(", "N.", "(N,", "N,",
// "(N", "N)", " = N ", " = N" CR LF, CR LF "N = ". So the text is walked once, with tries of all the
// names, from every blank, "(" and line start (names that begin there) and before every "(", ".",
// "," and ")" (names that end there); the test of one name then looks only at that name's
// occurrences.
//
// The forms are written for lines that end in CR LF. A text without any CR is read as one whose
// lines all end in a lone LF (the last one too), each LF standing for a CR LF: the answers are those
// the same text would give with CR LF ends, and a file checked out with LF ends need not be copied.

#include <cstdint>
#include <string_view>
#include <vector>

#include "core/os/RegularFile.h"
#include "core/parser/LinePrefixes.h"
#include "core/support/NameTrie.h"

namespace tally {

class ModuleVariableOccurrences {
public:
    // The tries hold the variable names (type-declaration characters stripped), forwards and backwards,
    // with the same ids.
    ModuleVariableOccurrences(const NameTrie& forward, const NameTrie& backward);

    // Indexes a new text; the text must outlive the following calls.
    void index(std::string_view text);
    // The ids of the names that occur in one of the forms, each once.
    const std::vector<int>& namesFound() const { return m_touched; }

    struct UseResult {
        bool used = false;
        bool seenInComment = false;
    };
    // Whether the name `id` is used in the text. The key form is " N " when keySuffix is 0, otherwise
    // " N" followed by keySuffix and a blank.
    //
    // The anchor is the first place of the first key-like form that occurs (" N ", "(N ", " N(",
    // " N" CR LF, " N,"), or the start of the text when none does. The anchor is a use unless it is at
    // the start of the text or its line prefix (from the line start up to and including the hit's
    // first character) holds an apostrophe or a declaration word. Otherwise eleven forms are tried in
    // order, each from just after the anchor: the first occurrence whose line prefix holds no
    // apostrophe is a use; occurrences behind an apostrophe mark the name as seen in a comment.
    UseResult findUse(int id, char keySuffix = 0);

private:
    // Where the name begins, and whether it was found from the right ("(", ".", "," or ")"
    // follows) rather than from the left, in four bytes: a file dense with names has an occurrence
    // every few bytes. Texts are shorter than 2^31 bytes (files of at most kLargestReadableFile,
    // lines joined with CR LF at most doubling them).
    class Occurrence {
    public:
        Occurrence() = default;
        Occurrence(std::size_t start, bool endsBeforeMark)
            : m_packed(static_cast<std::uint32_t>(start) << 1 | (endsBeforeMark ? 1u : 0u)) {}
        std::size_t start() const { return m_packed >> 1; }
        bool endsBeforeMark() const { return (m_packed & 1) != 0; }

    private:
        std::uint32_t m_packed = 0;
    };
    static_assert(2 * kLargestReadableFile + 2 < (std::int64_t{1} << 31));
    char at(std::size_t pos) const { return pos < m_text.size() ? m_text[pos] : '\0'; }
    // Whether the name ending before `end` ends its line.
    bool endsLine(std::size_t end) const {
        return m_lineFeedOnly ? at(end) == '\n' : at(end) == '\r' && at(end + 1) == '\n';
    }
    // How far the form's text begins before the name; a line end before it is one byte or two.
    std::size_t leadLength(int form) const;

    const NameTrie& m_forward;
    const NameTrie& m_backward;
    std::string_view m_text;
    bool m_lineFeedOnly = false;  // m_text holds no CR: each LF ends a line alone
    LinePrefixes m_prefixes;  // the line tests of the occurrences in m_text

    // Occurrences grouped by name: those of name id lie at [m_first[id], m_first[id] + m_count[id]),
    // valid when m_stamp[id] equals m_textStamp.
    std::vector<int> m_rawIds;
    std::vector<Occurrence> m_raw;
    std::vector<Occurrence> m_grouped;
    std::vector<std::uint32_t> m_first, m_count, m_stamp;
    std::uint32_t m_textStamp = 0;
    std::vector<int> m_touched;
};

}  // namespace tally
