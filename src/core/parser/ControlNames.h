#pragma once
// The Controls table as the declaration pass fills it, with a look-up by name so that each routine
// header finds its control without walking the whole table.

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "core/model/ProjectModel.h"
#include "core/text/NameHash.h"

namespace tally {

class ControlNames {
public:
    // Indexes the rows the model already holds.
    explicit ControlNames(ProjectModel& model);

    // Appends a Controls row.
    void add(std::string_view name, int controlKind);
    // The ControlKind of the first row with exactly this name; 0 when there is none.
    int kindOf(std::string_view name) const;
    // The same, and nothing when there is no such row.
    std::optional<int> firstKindOf(std::string_view name) const;

    // A look-up made by kindOf, and what it answered.
    struct Lookup {
        std::string name;
        int kind;
    };
    // Has kindOf note each look-up in `log` (none when null): a file read apart from the others
    // answers from its own rows only, and the answers are checked against the whole table later.
    void logLookups(std::vector<Lookup>* log) { m_log = log; }

private:
    ProjectModel& m_model;
    std::unordered_map<std::string, int, NameHash, std::equal_to<>> m_firstKind;
    std::vector<Lookup>* m_log = nullptr;
};

}  // namespace tally
