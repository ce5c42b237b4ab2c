#include "core/parser/TypeNotes.h"

#include <array>

#include "core/parser/HeaderText.h"
#include "core/text/TextOps.h"

namespace tally {

namespace {
constexpr std::array<std::string_view, 13> kBuiltInTypes{"byte",    "boolean", "integer", "long", "currency",
                                                         "decimal", "single",  "double",  "date", "string",
                                                         "object",  "variant", "any"};

struct Definition {
    std::string_view prefix;
    int kind;
};
constexpr std::array<Definition, 6> kDefinitions{{
    {"Private Type ", kTypeUdt},
    {"Private Enum ", kTypeEnum},
    {"Public Type ", kTypeUdt},
    {"Public Enum ", kTypeEnum},
    {"Type ", kTypeUdt},
    {"Enum ", kTypeEnum},
}};

std::string_view cutAt(std::string_view text, std::string_view mark) {
    return text.substr(0, text.find(mark));
}

std::string_view usedTypeName(std::string_view t) {
    t = cutAt(t, " * ");
    t = cutAt(t, " = ");
    if (t.size() >= 4 && equalsIgnoreCase(t.substr(0, 4), "new ")) t.remove_prefix(4);
    if (!t.empty() && t.back() == ')') t.remove_suffix(1);
    return trimView(t);
}
}  // namespace

TypeNotes::TypeNotes(ProjectModel& model) : m_model(model) {
    for (std::size_t i = 0; i < m_model.types.size(); ++i) m_rows.emplace(m_model.types[i].name, i);
}

bool TypeNotes::isBuiltIn(std::string_view name) {
    for (std::string_view builtIn : kBuiltInTypes)
        if (name.size() == builtIn.size() && equalsIgnoreCase(name, builtIn)) return true;
    return false;
}

std::vector<TypeRec>& TypeNotes::typeRows() {
    std::vector<TypeRec>& rows = m_model.ensureTypes();
    if (m_rows.empty()) m_rows.emplace(rows[0].name, 0);
    return rows;
}

bool TypeNotes::countsAsNoType(std::string_view typeText, bool isConst) {
    if (isConst) return false;
    // A type text that begins with anything but a blank, a tab or an apostrophe keeps that byte
    // through both cuts: it names some type. Most do ("Long").
    if (!typeText.empty() && typeText.front() != ' ' && typeText.front() != '\t' && typeText.front() != '\'')
        return false;
    return trimView(beforeApostrophe(typeText)).empty();
}

std::size_t TypeNotes::recentSlotOf(std::string_view text) {
    const auto first = static_cast<unsigned char>(text.front()), last = static_cast<unsigned char>(text.back());
    return (text.size() * 31 + first * 7 + last) % std::tuple_size_v<decltype(m_recent)>;
}

bool TypeNotes::note(std::string_view typeText, bool isConst) {
    RecentUse* recent = nullptr;
    if (!typeText.empty()) {
        recent = &m_recent[recentSlotOf(typeText)];
        if (recent->text == typeText) {
            ++m_model.types[recent->row].uses;
            return false;
        }
    }
    // The row `typeText` uses from now on, remembered for the next time it comes.
    auto remember = [&](std::size_t row) {
        if (!recent) return;
        recent->text.assign(typeText);
        recent->row = row;
    };

    std::string_view t = trimView(beforeApostrophe(typeText));
    if (t.empty()) {
        if (isConst) return false;
        std::vector<TypeRec>& rows = typeRows();
        rows[0].name = std::string(kNoTypeName);
        rows[0].typeKind = kTypeUnknown;
        ++rows[0].uses;
        return true;
    }

    int kind = 0;
    bool definition = false;
    std::string_view name;
    for (const Definition& d : kDefinitions) {
        if (!startsWith(t, d.prefix)) continue;
        definition = true;
        kind = d.kind;
        name = trimView(t.substr(d.prefix.size()));
        break;
    }
    if (!definition) {
        name = usedTypeName(t);
        kind = isBuiltIn(name) ? kTypeVariable : kTypeObject;
    }
    if (name.empty()) return false;

    std::vector<TypeRec>& rows = typeRows();
    auto found = m_rows.find(name);
    if (found != m_rows.end()) {
        TypeRec& row = rows[found->second];
        if (!definition) {
            ++row.uses;
            remember(found->second);
        }
        if (definition && row.typeKind == kTypeObject) row.typeKind = kind;
        return false;
    }
    rows.push_back(TypeRec{std::string(name), kind, definition ? 0 : 1});
    m_rows.emplace(rows.back().name, rows.size() - 1);
    if (!definition) remember(rows.size() - 1);
    return false;
}

}  // namespace tally
