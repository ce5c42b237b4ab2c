#include "core/parser/DeclaredNames.h"

#include <array>
#include <bit>

#include "core/model/TypeCharacters.h"
#include "core/parser/HeaderText.h"
#include "core/support/ByteSetScan.h"
#include "core/text/TextOps.h"

namespace tally {

namespace {

// The keywords that decide where a declaration's names start, in the order they are tried; the first
// that the statement contains wins.
struct NameStart {
    std::string_view keyword;
    std::size_t index;
    bool isConst;
};
constexpr std::array<NameStart, 11> kNameStarts{{
    {"ReDim ", 6, false},
    {"Dim ", 4, false},
    {"Public Property ", 19, false},
    {"Public Const ", 12, true},
    {"Private Const ", 13, true},
    {"Global Const ", 12, true},
    {"Public ", 7, false},
    {"Private ", 8, false},
    {"Static ", 7, false},
    {"Global ", 6, false},
    {"Const ", 5, true},
}};
// Statements holding one of these declare nothing here; they follow kNameStarts in the bit masks.
constexpr std::array<std::string_view, 5> kNotDeclarations{"Type ", "Sub ", "Preserve ", "Function ",
                                                           "Declare "};
constexpr unsigned kNotDeclarationBits = ((1u << kNotDeclarations.size()) - 1) << kNameStarts.size();

constexpr std::string_view keywordOf(std::size_t bit) {
    return bit < kNameStarts.size() ? kNameStarts[bit].keyword : kNotDeclarations[bit - kNameStarts.size()];
}

// Keyword k (its place in kNameStarts, then in kNotDeclarations) is bit k.
constexpr std::size_t kReDimBit = 0;
static_assert(keywordOf(kReDimBit) == "ReDim ");

constexpr std::size_t kKeywordCount = kNameStarts.size() + kNotDeclarations.size();

// keywordsIn() finds a keyword by the blank it ends in and the letter before that.
constexpr bool everyKeywordEndsInALetterAndABlank() {
    for (std::size_t k = 0; k < kKeywordCount; ++k) {
        const std::string_view word = keywordOf(k);
        if (word.size() < 2 || word.back() != ' ' || word[word.size() - 2] == ' ') return false;
    }
    return true;
}
static_assert(everyKeywordEndsInALetterAndABlank() && kKeywordCount <= 32);

// Per byte, the bits of the keywords whose last letter (before their blank) it is.
constexpr std::array<unsigned, 256> kKeywordsEndingWith = [] {
    std::array<unsigned, 256> bits{};
    for (std::size_t k = 0; k < kKeywordCount; ++k) {
        const std::string_view word = keywordOf(k);
        bits[static_cast<unsigned char>(word[word.size() - 2])] |= 1u << k;
    }
    return bits;
}();

// The keywords of kNameStarts and kNotDeclarations that `code` contains, one bit each (bit k for
// keywordOf(k)), found in one reading of it: every keyword ends in a blank, so an occurrence ends
// at one of the few blanks, and the letter before that blank narrows the keywords that may end
// there to one to four. Statements are tested against sixteen keywords; searching for each of them
// in turn read every statement sixteen times.
unsigned keywordsIn(std::string_view code) {
    unsigned found = 0;
    // The blanks are found sixteen at a time (statements have a few among many other bytes).
    forEachByteInRange(code, ByteRange{' ', ' '}, [&](std::size_t blank) {
        if (blank == 0) return;
        for (unsigned candidates = kKeywordsEndingWith[static_cast<unsigned char>(code[blank - 1])];
             candidates != 0; candidates &= candidates - 1) {
            const auto bit = static_cast<std::size_t>(std::countr_zero(candidates));
            const std::string_view word = keywordOf(bit);
            if (blank + 1 >= word.size() && code[blank + 1 - word.size()] == word.front() &&
                code.substr(blank + 1 - word.size(), word.size()) == word)
                found |= 1u << bit;
        }
    });
    return found;
}

// Words that may stand before a parameter name, in the order the language allows them.
constexpr std::array<std::string_view, 5> kParameterWords{"WithEvents ", "Optional ", "ByRef ", "ByVal ",
                                                          "ParamArray "};

// Takes out every "( ... )" group (array bounds), each on its own so that the names between two
// arrays stay. An unclosed "(" is left as it is.
std::string withoutBounds(std::string_view names) {
    std::string out;
    out.reserve(names.size());
    std::size_t i = 0;
    while (i < names.size()) {
        std::size_t open = names.find('(', i);
        out.append(names.substr(i, open - i));
        if (open == std::string_view::npos) break;
        int depth = 0;
        std::size_t j = open;
        for (; j < names.size(); ++j) {
            if (names[j] == '(') ++depth;
            if (names[j] == ')' && --depth == 0) break;
        }
        if (j == names.size()) {
            out.append(names.substr(open));
            break;
        }
        i = j + 1;
    }
    return out;
}

// Every literal becomes " x " and the first value " = x", so that commas inside values do not
// split names.
std::string neutralisedConstants(std::string_view names) {
    std::string text;
    text.reserve(names.size());
    for (std::size_t i = 0; i < names.size(); ++i) {
        std::size_t close = names[i] == '"' ? names.find('"', i + 1) : std::string_view::npos;
        if (close == std::string_view::npos) {
            text.push_back(names[i]);
            continue;
        }
        text.append(" x ");
        i = close;
    }
    std::size_t eq = text.find('=');
    if (eq == std::string::npos) return text;
    std::size_t comma = text.find(',', eq);
    std::string out(trimView(std::string_view(text).substr(0, eq)));
    out.append(" = x");
    if (comma != std::string::npos) out.append(text.substr(comma));
    return out;
}

// Where `item` holds " as " in any case first: a blank, "as" in any case, a blank; npos when it
// does not. Every item of every declaration is searched, and they are short: each blank is tested
// with the three bytes after it rather than searched for and compared in a general way.
std::size_t findAsWord(std::string_view item) {
    for (std::size_t i = 0; i + 4 <= item.size(); ++i) {
        if (item[i] != ' ') continue;
        // Or-ing in 0x20 makes an ASCII capital small, and makes no other byte an 'a' or an 's'.
        if ((item[i + 1] | 0x20) == 'a' && (item[i + 2] | 0x20) == 's' && item[i + 3] == ' ') return i;
    }
    return std::string_view::npos;
}

// Cuts `item` at its first " as " (any case): `item` keeps the trimmed text before it, `type` gets
// the trimmed text after it. False when it holds none.
bool cutAtAs(std::string_view& item, std::string_view& type) {
    const std::size_t at = findAsWord(item);
    if (at == std::string_view::npos) return false;
    type = trimView(item.substr(at + 4));
    item = trimView(item.substr(0, at));
    return true;
}

// Whether `item` may begin with one of kParameterWords: its first byte is one of theirs (W, O, B,
// P), which most names' is not.
bool mayBeginWithParameterWord(std::string_view item) {
    if (item.empty()) return false;
    for (std::string_view word : kParameterWords)
        if (word.front() == item.front()) return true;
    return false;
}

}  // namespace

std::string_view declaredNamesText(std::string_view statement, bool& isConst) {
    std::string_view code = beforeApostrophe(statement);
    const unsigned found = keywordsIn(code);
    if (found & kNotDeclarationBits) return {};
    if ((found & (1u << kReDimBit)) && contains(code, "()")) return {};
    for (std::size_t k = 0; k < kNameStarts.size(); ++k) {
        if (!(found & (1u << k))) continue;
        const NameStart& start = kNameStarts[k];
        isConst = start.isConst;
        if (start.index >= code.size()) return {};
        return trimView(code.substr(start.index));
    }
    return {};
}

DeclaredNames splitDeclaredNames(GatheredRows& rows, std::string_view statement, bool header,
                                 const NameOwner& owner) {
    DeclaredNames result;
    splitDeclaredNames(rows, statement, header, owner, result);
    return result;
}

void splitDeclaredNames(GatheredRows& rows, std::string_view statement, bool header, const NameOwner& owner,
                        DeclaredNames& result) {
    result.names.clear();
    result.paramText = {};
    result.isConst = false;
    std::string_view names;
    if (header) {
        names = paramSpanOf(statement).inside(statement);
        result.paramText = names;
    } else {
        names = declaredNamesText(statement, result.isConst);
    }
    if (names.empty()) return;

    // Most statements have neither bounds nor constants: their names are read where they stand.
    std::string rewritten;
    std::string_view text = names;
    if (result.isConst || names.find('(') != std::string_view::npos) {
        rewritten = withoutBounds(names);
        if (result.isConst) rewritten = neutralisedConstants(rewritten);
        text = rewritten;
    }

    // The parts between commas, as views of `text`; a parameter's default value may hold a literal
    // with commas in it.
    forEachOutsideLiterals(text, ',', [&](std::string_view part) {
        std::string_view item = trimView(part);
        if (item.empty()) return;
        std::string_view type;
        bool typed = false;
        if (result.isConst) {
            std::size_t eq = item.find(" = ");
            if (eq != std::string_view::npos) item = trimView(item.substr(0, eq));
        }
        if (header) {
            // "Optional bOn = False", "Optional x As Long = 5": the default value is no part of the
            // name or the type.
            std::size_t eq = item.find('=');
            if (eq != std::string_view::npos) item = trimView(item.substr(0, eq));
        }
        typed = cutAtAs(item, type);
        if (mayBeginWithParameterWord(item))
            for (std::string_view word : kParameterWords)
                if (startsWith(item, word)) item = trimView(item.substr(word.size()));
        if (!typed && endsInTypeCharacter(item)) {
            type = typeOfCharacter(item.back());
            typed = true;
        }
        bool countedAsNoType = false;
        if (owner.kind != kKindControl)
            countedAsNoType = rows.noteType(typed ? type : std::string_view{}, result.isConst);
        item = trimView(item.substr(0, item.find('(')));
        if (item.empty()) return;
        result.names.emplace_back(item);
        if (typed) return;
        VarRec row;
        row.name = item;
        row.scope = owner.scope;
        row.ownerKind = owner.kind;
        row.file = owner.fileName;
        row.countedAsNoType = countedAsNoType;
        rows.decVar.push_back(std::move(row));
    });
}

}  // namespace tally
