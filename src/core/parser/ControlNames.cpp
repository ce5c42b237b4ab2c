#include "core/parser/ControlNames.h"

namespace tally {

ControlNames::ControlNames(ProjectModel& model) : m_model(model) {
    for (const ControlRec& row : m_model.controls) m_firstKind.emplace(row.name, row.controlKind);
}

void ControlNames::add(std::string_view name, int controlKind) {
    m_model.controls.push_back(ControlRec{std::string(name), controlKind});
    m_firstKind.emplace(std::string(name), controlKind);
}

int ControlNames::kindOf(std::string_view name) const {
    const int kind = firstKindOf(name).value_or(0);
    if (m_log) m_log->push_back(Lookup{std::string(name), kind});
    return kind;
}

std::optional<int> ControlNames::firstKindOf(std::string_view name) const {
    auto found = m_firstKind.find(name);
    if (found == m_firstKind.end()) return std::nullopt;
    return found->second;
}

}  // namespace tally
