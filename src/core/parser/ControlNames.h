#pragma once
// The Controls table as the declaration pass fills it, with a look-up by name so that each routine
// header finds its control without walking the whole table.

#include <string>
#include <string_view>
#include <unordered_map>

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

private:
    ProjectModel& m_model;
    std::unordered_map<std::string, int, NameHash, std::equal_to<>> m_firstKind;
};

}  // namespace tally
