#pragma once
// Guessing the ANSI code page a project was saved in from the bytes of its files. A VB6 project
// carries no mark of its code page: the IDE wrote whatever the machine's ANSI code page was, so a
// project from a Japanese desk is Shift-JIS and one from a Russian desk Windows-1251. Reading the
// bytes as the right code page is what makes captions, comments and string literals legible.

#include <memory>
#include <string_view>
#include <vector>

namespace tally {

// The code page the texts (whole files or samples of them; a sample may end inside a character)
// most likely use, among 1252, 65001 (UTF-8), the double-byte pages 932, 936, 949 and 950, and the
// single-byte 1251 (Cyrillic) and 1253 (Greek):
//   - ASCII only gives 1252, the code page nothing can contradict;
//   - well-formed UTF-8 with at least one multi-byte sequence gives 65001;
//   - a double-byte page where (nearly) every high byte is part of a well-formed character and the
//     characters are the ones text in that language is made of (kana for Japanese, common
//     syllables for Korean, common hanzi for Chinese), more so than the same bytes are Russian;
//   - otherwise a single-byte page: 1251 or 1253 when the high bytes make words of their own,
//     1252 when they are accents inside Latin words.
// One pass over the bytes per candidate, so linear in the size of the texts.
int detectCodePage(const std::vector<std::string_view>& texts);

// The same reading gathered text by text, so that a caller reading hundreds of files need not hold
// them all: codePage() after adding texts t1..tn is detectCodePage({t1, ..., tn}).
class CodePageEvidence {
public:
    CodePageEvidence();
    ~CodePageEvidence();
    CodePageEvidence(CodePageEvidence&&) noexcept;
    CodePageEvidence& operator=(CodePageEvidence&&) noexcept;

    void add(std::string_view text);
    int codePage() const;

private:
    struct Tallies;
    std::unique_ptr<Tallies> m_tallies;  // none until a text with a high byte is added
};

// True when every byte of `bytes` is part of a character the code page defines: well-formed UTF-8
// for 65001, complete lead/trail pairs in the byte ranges of the double-byte pages, and no byte the
// single-byte pages leave undefined (Windows turns those into C1 controls, which no text holds).
// False for a code page this does not know.
bool isValidForCodePage(std::string_view bytes, int codePage);

}  // namespace tally
