#include "core/parser/ModuleVariableOccurrences.h"

#include <algorithm>
#include <array>

#include "core/support/ByteSetScan.h"
#include "core/parser/TypeSuffixSplit.h"

namespace tally {

namespace {
constexpr std::size_t npos = static_cast<std::size_t>(-1);

// The forms, as tests on one occurrence of the name. `s` is where the name begins, `e` where it ends.
enum Form {
    kKey,            // " N " (or " N<c> " with a type character)
    kParenBlank,     // "(N "
    kBlankParen,     // " N("
    kBlankLineEnd,   // " N" CR LF
    kBlankComma,     // " N,"
    kNameParen,      // "N("
    kNameDot,        // "N."
    kParenComma,     // "(N,"
    kNameComma,      // "N,"
    kParenName,      // "(N"
    kNameClose,      // "N)"
    kEqualsBlank,    // " = N "
    kEqualsLineEnd,  // " = N" CR LF
    kLineEqu,        // CR LF "N = "
};

constexpr std::array<Form, 5> kAnchorForms = {kKey, kParenBlank, kBlankParen, kBlankLineEnd, kBlankComma};
constexpr std::array<Form, 11> kUseForms = {kKey,         kBlankLineEnd,  kNameParen, kNameDot,
                                            kParenComma,  kNameComma,     kParenName, kNameClose,
                                            kEqualsBlank, kEqualsLineEnd, kLineEqu};

bool foundFromRight(Form f) {
    return f == kNameParen || f == kNameDot || f == kNameComma || f == kNameClose;
}

}  // namespace

std::size_t ModuleVariableOccurrences::leadLength(int form) const {
    switch (static_cast<Form>(form)) {
        case kNameParen:
        case kNameDot:
        case kNameComma:
        case kNameClose:
            return 0;
        case kLineEqu:
            return m_lineFeedOnly ? 1 : 2;
        case kEqualsBlank:
        case kEqualsLineEnd:
            return 3;
        default:
            return 1;
    }
}

ModuleVariableOccurrences::ModuleVariableOccurrences(const NameTrie& forward, const NameTrie& backward)
    : m_forward(forward),
      m_backward(backward),
      m_first(static_cast<std::size_t>(forward.size()), 0),
      m_count(static_cast<std::size_t>(forward.size()), 0),
      m_stamp(static_cast<std::size_t>(forward.size()), 0) {}

void ModuleVariableOccurrences::index(std::string_view text) {
    m_text = text;
    m_lineFeedOnly = text.find('\r') == std::string_view::npos;
    m_prefixes.reset(text);
    if (++m_textStamp == 0) {
        std::fill(m_stamp.begin(), m_stamp.end(), 0);
        m_textStamp = 1;
    }

    m_rawIds.clear();
    m_raw.clear();
    m_touched.clear();
    auto note = [&](int id, std::size_t start, bool fromRight) {
        auto& stamp = m_stamp[static_cast<std::size_t>(id)];
        if (stamp != m_textStamp) {
            stamp = m_textStamp;
            m_count[static_cast<std::size_t>(id)] = 0;
            m_touched.push_back(id);
        }
        ++m_count[static_cast<std::size_t>(id)];
        m_rawIds.push_back(id);
        m_raw.emplace_back(start, fromRight);
    };
    // Names begin after a blank, a line end or "(", and end before "(", ".", "," or ")".
    const char lineEnd = m_lineFeedOnly ? '\n' : '\r';  // the first byte of a line's end
    static constexpr char kBeforeName[] = {' ', '\n', '('};
    static constexpr char kAfterName[] = {'(', '.', ',', ')'};
    forEachMarkBesideRange(
        text, kBeforeName, m_forward.firstBytes(), kAfterName, m_backward.firstBytes(),
        [&](std::size_t i) {
            if (!m_forward.mayBeginWith(at(i + 1))) return;
            const char c = text[i];
            m_forward.forEachStartingAt(text, i + 1, [&](int id, std::size_t length) {
                // Keep only occurrences that some form can use.
                const char next = at(i + 1 + length);
                bool keep = c == '('                       // "(N", "(N ", "(N,"
                            || (c == '\n' && next == ' ')  // CR LF "N = "
                            || (c == ' ' && (next == ' ' || next == '(' || next == lineEnd || next == ',' ||
                                             isTypeSuffix(next)));
                if (keep) note(id, i + 1, false);
            });
        },
        [&](std::size_t i) {
            if (!m_backward.mayBeginWith(i > 0 ? text[i - 1] : '\0')) return;
            m_backward.forEachEndingAt(text, i,
                                       [&](int id, std::size_t length) { note(id, i - length, true); });
        });

    // Group by name. The occurrences of each side come in text order, and so they stay within each
    // name; a form looks at the occurrences of one side only.
    std::uint32_t offset = 0;
    for (int id : m_touched) {
        m_first[static_cast<std::size_t>(id)] = offset;
        offset += m_count[static_cast<std::size_t>(id)];
        m_count[static_cast<std::size_t>(id)] = 0;
    }
    m_grouped.resize(m_raw.size());
    for (std::size_t k = 0; k < m_raw.size(); ++k) {
        auto id = static_cast<std::size_t>(m_rawIds[k]);
        m_grouped[m_first[id] + m_count[id]++] = m_raw[k];
    }
}

ModuleVariableOccurrences::UseResult ModuleVariableOccurrences::findUse(int id, char keySuffix) {
    UseResult result;
    const Occurrence* begin = nullptr;
    const Occurrence* end = nullptr;
    if (m_stamp[static_cast<std::size_t>(id)] == m_textStamp) {
        begin = m_grouped.data() + m_first[static_cast<std::size_t>(id)];
        end = begin + m_count[static_cast<std::size_t>(id)];
    }
    const std::size_t length = m_forward.name(id).size();

    auto matches = [&](Form form, const Occurrence& o) {
        if (o.endsBeforeMark() != foundFromRight(form)) return false;
        const std::size_t s = o.start();
        const char left = s > 0 ? m_text[s - 1] : '\0';
        const std::size_t e = s + length;
        const char r0 = at(e);
        const bool lineEnd = endsLine(e);
        const bool equalsBefore = left == ' ' && s >= 3 && m_text[s - 3] == ' ' && m_text[s - 2] == '=';
        switch (form) {
            case kKey:
                return left == ' ' && (keySuffix == 0 ? r0 == ' ' : (r0 == keySuffix && at(e + 1) == ' '));
            case kParenBlank:
                return left == '(' && r0 == ' ';
            case kBlankParen:
                return left == ' ' && r0 == '(';
            case kBlankLineEnd:
                return left == ' ' && lineEnd;
            case kBlankComma:
                return left == ' ' && r0 == ',';
            case kNameParen:
                return r0 == '(';
            case kNameDot:
                return r0 == '.';
            case kParenComma:
                return left == '(' && r0 == ',';
            case kNameComma:
                return r0 == ',';
            case kParenName:
                return left == '(';
            case kNameClose:
                return r0 == ')';
            case kEqualsBlank:
                return equalsBefore && r0 == ' ';
            case kEqualsLineEnd:
                return equalsBefore && lineEnd;
            case kLineEqu:
                return left == '\n' && (m_lineFeedOnly || (s >= 2 && m_text[s - 2] == '\r')) && r0 == ' ' &&
                       at(e + 1) == '=' && at(e + 2) == ' ';
        }
        return false;
    };

    std::size_t anchor = npos;
    for (Form form : kAnchorForms) {
        for (const Occurrence* o = begin; o != end && anchor == npos; ++o)
            if (matches(form, *o)) anchor = o->start() - leadLength(form);
        if (anchor != npos) break;
    }
    if (anchor == npos) anchor = 0;
    const bool anchorQuoted = m_prefixes.hasApostrophe(anchor);
    if (anchor != 0 && !anchorQuoted && !m_prefixes.hasDeclarationWord(anchor)) {
        result.used = true;
        return result;
    }
    if (anchorQuoted) result.seenInComment = true;

    for (Form form : kUseForms) {
        for (const Occurrence* o = begin; o != end; ++o) {
            if (!matches(form, *o)) continue;
            std::size_t hit = o->start() - leadLength(form);
            if (hit <= anchor) continue;
            if (m_prefixes.hasApostrophe(hit)) {
                result.seenInComment = true;
                continue;
            }
            result.used = true;
            return result;
        }
    }
    return result;
}

}  // namespace tally
