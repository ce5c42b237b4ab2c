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
    auto found = m_firstKind.find(name);
    return found == m_firstKind.end() ? 0 : found->second;
}

}  // namespace tally
