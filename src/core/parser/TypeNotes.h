#pragma once
// The Types table as declarations are met: every type name with its kind and use count, and the
// "No Type" row that counts declarations without a type.

#include <array>
#include <string>
#include <string_view>
#include <unordered_map>

#include "core/model/ProjectModel.h"
#include "core/text/NameHash.h"

namespace tally {

class TypeNotes {
public:
    // Indexes the rows the model already holds (none after a reset).
    explicit TypeNotes(ProjectModel& model);

    // Notes one type text. The text is first cut at an apostrophe and trimmed. Empty: one more use of
    // the "No Type" row, unless the declaration is a constant. "Type X"/"Enum X" (also after
    // "Private "/"Public "): the definition of X, which counts no use but turns an earlier object
    // row of that name into a Type or Enum. Anything else is a use of the named type, with a
    // " * n" length, an " = value", a leading "New " and a trailing ")" taken off.
    // Returns true when the "No Type" row got one more use.
    bool note(std::string_view typeText, bool isConst);

    // What note() returns for a text, known without the table: an empty type of a non-constant.
    static bool countsAsNoType(std::string_view typeText, bool isConst);

    // True when `name` (any case) is one of the built-in type names.
    static bool isBuiltIn(std::string_view name);

private:
    // The table, created with its "No Type" row on first use.
    std::vector<TypeRec>& typeRows();

    // The row a type text was last seen to use. Most declarations name one of a few types
    // ("String", "Long"), and a text that used a row once always uses that row again: the names are
    // never taken out of the table. Definitions are not remembered (what they do depends on the row).
    // A slot never used holds an empty text, which no text asked for is.
    struct RecentUse {
        std::string text;
        std::size_t row = 0;
    };
    static std::size_t recentSlotOf(std::string_view text);

    ProjectModel& m_model;
    std::unordered_map<std::string, std::size_t, NameHash, std::equal_to<>> m_rows;
    std::array<RecentUse, 64> m_recent;
};

}  // namespace tally
