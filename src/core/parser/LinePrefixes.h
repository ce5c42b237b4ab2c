#pragma once
// Questions about the line of a text that holds a given place, asked by the module-variable search
// for the places where a name occurs: whether the line, from its start up to and including the
// place, holds an apostrophe, and whether a declaration word ends in it by then. Lines end after LF.
//
// Most lines are short, and the line is found around the place when asked. But a member can be one
// line of hundreds of kilobytes (a file without line ends, a generated one), with thousands of names
// on it; walking back over it for every name made the search quadratic (a 380 KB comment line took
// six seconds). So once a question meets a line longer than kShortLine, the text's long lines are
// listed in one reading, each with its first apostrophe, and the declaration words of a long line
// are sought once; questions about long lines are then answered from the list. Only long lines are
// listed: many short ones beside them cost nothing.

#include <cstdint>
#include <string_view>
#include <vector>

namespace tally {

class LinePrefixes {
public:
    // Lines up to this long are read around the place asked about; longer ones are listed.
    static constexpr std::size_t kShortLine = 4096;

    // Answers about `text` from now on; it must outlive the questions. Keeps the list's room.
    void reset(std::string_view text);

    // Whether text[start of pos's line, pos] holds an apostrophe. pos lies in the text.
    bool hasApostrophe(std::size_t pos);
    // Whether one of "Function ", "Sub ", "Dim ", "Private ", "Public ", "Static ", "Const " occurs in
    // pos's line and ends at or before pos. pos lies in the text.
    bool hasDeclarationWord(std::size_t pos);

    // Whether the text's long lines have been listed (a question met one).
    bool indexed() const { return m_indexed; }

private:
    static constexpr std::uint32_t kNone = UINT32_MAX;
    static constexpr std::uint32_t kUnknown = UINT32_MAX - 1;
    struct Line {
        std::uint32_t start;
        std::uint32_t end;               // one past its LF, or the end of the text
        std::uint32_t firstApostrophe;   // or kNone
        std::uint32_t declarationEnd;    // where its first declaration word ends; kNone, or kUnknown until asked
    };

    // The start of pos's line when it lies within kShortLine bytes before pos; false otherwise.
    bool shortLineStart(std::size_t pos, std::size_t& start) const;
    // The listed line that holds pos, or null.
    Line* listedLineHolding(std::size_t pos);
    // The long line that holds pos, listing the text's long lines first when they are not yet.
    Line& longLineHolding(std::size_t pos);
    // Lists the text's long lines (those over kShortLine bytes, line end included).
    void index();
    // Reads pos's line whole and lists it.
    Line& listLine(std::size_t pos);

    std::string_view m_text;
    std::vector<Line> m_longLines;  // in text order
    bool m_indexed = false;
};

}  // namespace tally
