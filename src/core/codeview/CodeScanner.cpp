#include "core/codeview/CodeScanner.h"

#include <algorithm>
#include <array>
#include <string>
#include <unordered_map>

#include "core/codeview/AnsiCase.h"
#include "core/codeview/CodeWordLists.h"
#include "core/text/CharacterLayout.h"

namespace tally {

namespace {

using WordTable = std::array<bool, 256>;

WordTable makeWordTable(bool full) {
    WordTable table{};
    for (int c = 'A'; c <= 'Z'; ++c) table[c] = true;
    for (int c = 'a'; c <= 'z'; ++c) table[c] = true;
    table['_'] = true;
    if (full) {
        for (int c = '0'; c <= '9'; ++c) table[c] = true;
        for (char c : std::string_view("!#%$&")) table[static_cast<unsigned char>(c)] = true;
    }
    return table;
}

// Type-declaration characters and digits belong to words only in the full pass, so the tidy pass
// sees «Left$» as «left» and can give it its canonical spelling.
const WordTable& wordTable(ScanPass pass) {
    static const WordTable full = makeWordTable(true);
    static const WordTable tidy = makeWordTable(false);
    return pass == ScanPass::Colour ? full : tidy;
}

// The marks by name, first row first; lower-case names in the tidy pass.
class MarkIndex {
public:
    MarkIndex(std::span<const MarkRec> marks, ScanPass pass, int codePage) {
        if (pass == ScanPass::Tidy) m_lowerNames.reserve(marks.size());  // keeps the keys in place
        for (const MarkRec& mark : marks) {
            if (mark.name.empty()) continue;
            std::string_view key = mark.name;
            if (pass == ScanPass::Tidy) key = m_lowerNames.emplace_back(asciiLower(mark.name, codePage));
            m_byName.try_emplace(key, &mark);
        }
    }
    const MarkRec* find(std::string_view word) const {
        if (m_byName.empty()) return nullptr;
        auto found = m_byName.find(word);
        return found == m_byName.end() ? nullptr : found->second;
    }

private:
    std::vector<std::string> m_lowerNames;
    std::unordered_map<std::string_view, const MarkRec*> m_byName;
};

bool isRem(std::string_view word) {
    return word.size() == 3 && (word[0] | 0x20) == 'r' && (word[1] | 0x20) == 'e' && (word[2] | 0x20) == 'm';
}

class Scanner {
public:
    Scanner(std::string_view original, ScanPass pass, bool withFunctionList, std::span<const MarkRec> marks,
            int codePage)
        : m_original(original),
          m_pass(pass),
          m_codePage(codePage),
          m_doubleByte(isDoubleByteCodePage(codePage)),
          m_useFunctions(withFunctionList || pass == ScanPass::Tidy),
          m_isWord(wordTable(pass)),
          m_lists(CodeWordLists::standard()),
          m_marks(marks, pass, codePage) {
        if (pass == ScanPass::Tidy) {
            m_lowered = asciiLower(original, codePage);
            m_text = m_lowered;
        } else {
            m_text = original;
        }
    }

    CodeScan run(ColouringProgress& progress) {
        const std::size_t n = m_text.size();
        // The strip is a few hundred pixels wide; a thousand steps are more than it can show.
        const std::size_t stride = n / 1000 + 1;
        std::size_t nextStep = 0;
        for (std::size_t i = 0; i < n; ++i) {
            if (i >= nextStep) {
                progress.step(n, i + 1);
                nextStep = i + stride;
            }
            unsigned char c = static_cast<unsigned char>(m_text[i]);
            // Lowering keeps the pairs, so the copy has its characters where the original has them.
            const std::size_t width = m_doubleByte && c >= 0x80 ? characterLength(m_text, i, m_codePage) : 1;
            if (m_isWord[c] || width > 1) {
                if (m_wordLength == 0) {
                    m_wordStart = i;
                    m_contiguous = true;
                } else if (m_wordStart + m_wordLength != i) {
                    m_contiguous = false;
                }
                m_wordLength += width;
                i += width - 1;
            } else if (c == '"') {
                // A literal may run over line ends; without a closing quote the quote is ignored.
                std::size_t close = i < m_noQuoteAfter ? m_text.find('"', i + 1) : std::string_view::npos;
                if (close != std::string_view::npos)
                    i = close;
                else
                    m_noQuoteAfter = i;
            } else if (c == '\'') {
                // Without a line break after it, the rest is scanned like code.
                std::size_t lineEnd = lineEndFrom(i);
                if (lineEnd != std::string_view::npos) {
                    m_scan.runs.push_back(ColourRun{i, lineEnd - i, kCommentColour});
                    i = lineEnd;
                }
            } else if (m_wordLength > 0) {
                examineWord(i);
            }
        }
        // A word that ends with the text is examined too, so the last line colours like the others.
        if (m_wordLength > 0) {
            std::size_t end = n;
            examineWord(end);
        }
        if (n > 0) progress.step(n, n);
        return std::move(m_scan);
    }

private:
    // The first CR LF at or after `from`. Once a search has run out of text, later ones are
    // answered without searching, so a long last line full of apostrophes stays linear.
    std::size_t lineEndFrom(std::size_t from) {
        if (from >= m_noLineEndAfter) return std::string_view::npos;
        std::size_t at = m_text.find("\r\n", from);
        if (at == std::string_view::npos) m_noLineEndAfter = from;
        return at;
    }

    // Examines the pending word; `i` is the position of the character that ended it and may be
    // moved forward by a REM comment.
    void examineWord(std::size_t& i) {
        std::size_t start = m_wordStart;
        std::size_t length = m_wordLength;
        bool contiguous = m_contiguous;
        m_wordLength = 0;
        // A word broken by a literal is not one word of the text; colouring or rewriting its
        // characters would touch the literal.
        if (!contiguous) return;
        std::string_view word = m_text.substr(start, length);

        bool coloured = false;
        Colour colour = kPlainColour;
        std::string_view spelling;
        if (length <= m_longestListWord) {
            if (m_useFunctions) lookUp(m_lists.functions(), word, kPlainColour, coloured, colour, spelling);
            lookUp(m_lists.keywords(), word, kKeywordColour, coloured, colour, spelling);
        }
        if (const MarkRec* mark = m_marks.find(word)) {
            coloured = true;
            colour = mark->colour;
            if (m_pass == ScanPass::Tidy) spelling = mark->name;
        }
        if (isRem(word)) {
            remComment(start, i);
            return;
        }
        if (coloured) m_scan.runs.push_back(ColourRun{start, length, colour});
        if (!spelling.empty() && spelling != m_original.substr(start, length))
            m_scan.patches.push_back(TextPatch{start, std::string(spelling)});
    }

    void lookUp(const CodeWordList& list, std::string_view word, Colour listColour, bool& coloured,
                Colour& colour, std::string_view& spelling) const {
        if (m_pass == ScanPass::Colour) {
            if (!list.containsExact(word)) return;
        } else {
            std::string_view canonical = list.canonicalOfLower(word);
            if (canonical.empty()) return;
            spelling = canonical;
        }
        coloured = true;
        colour = listColour;
    }

    // A REM comment runs to the end of its line (or of the text) and is shown in lower case.
    void remComment(std::size_t start, std::size_t& i) {
        std::size_t end = lineEndFrom(start + 3);
        if (end == std::string_view::npos) end = m_text.size();
        m_scan.runs.push_back(ColourRun{start, end - start, kCommentColour});
        std::string_view written = m_original.substr(start, end - start);
        std::string lowered = ansiLower(written, m_codePage);
        if (lowered != written) m_scan.patches.push_back(TextPatch{start, std::move(lowered)});
        if (end > i) i = end;
    }

    std::string_view m_original;
    std::string m_lowered;
    std::string_view m_text;  // what is scanned: the original, or its lower-case copy when tidying
    ScanPass m_pass;
    int m_codePage;
    bool m_doubleByte;
    bool m_useFunctions;
    const WordTable& m_isWord;
    const CodeWordLists& m_lists;
    MarkIndex m_marks;
    std::size_t m_longestListWord = std::max(CodeWordLists::standard().functions().longestEntry(),
                                             CodeWordLists::standard().keywords().longestEntry());
    std::size_t m_wordStart = 0;
    std::size_t m_wordLength = 0;
    bool m_contiguous = true;
    // Searches from these positions on are known to find nothing.
    std::size_t m_noQuoteAfter = std::string_view::npos;
    std::size_t m_noLineEndAfter = std::string_view::npos;
    CodeScan m_scan;
};

}  // namespace

CodeScan scanCode(std::string_view text, ScanPass pass, bool withFunctionList, std::span<const MarkRec> marks,
                  ColouringProgress& progress, int codePage) {
    return Scanner(text, pass, withFunctionList, marks, codePage).run(progress);
}

void colourCode(RichTextView& view, std::span<const MarkRec> marks, bool withFunctionList,
                ColouringProgress& progress, int codePage) {
    progress.begin();
    {
        RedrawSuspension quiet(view);
        std::string text = view.text();
        CodeScan scan = scanCode(text, ScanPass::Colour, withFunctionList, marks, progress, codePage);
        if (!scan.patches.empty()) view.applyPatches(scan.patches);
        view.applyColours(scan.runs);
        view.setSelStart(0);
    }
    progress.end();
}

void tidyCode(RichTextView& view, std::span<const MarkRec> marks, ColouringProgress& progress, int codePage) {
    progress.begin();
    {
        RedrawSuspension quiet(view);
        std::size_t caret = view.selStart();
        std::string text = view.text();
        CodeScan scan = scanCode(text, ScanPass::Tidy, true, marks, progress, codePage);
        if (!scan.patches.empty()) view.applyPatches(scan.patches);
        view.applyColours(scan.runs);
        view.setSelStart(caret);
    }
    progress.end();
}

}  // namespace tally
