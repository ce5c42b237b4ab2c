#include "core/reports/ColumnCells.h"

#include "core/reports/RtfBuilders.h"

namespace tally {

ColumnCells::ColumnCells(const TextWidth& width, std::string_view reference) : m_width(width) {
    if (!reference.empty()) m_target = width.twips(std::string(reference) + "\t\t");
}

int ColumnCells::blanksFor(std::string_view value) const {
    if (m_target <= 0) return 0;
    double text = m_width.twips(value);
    double blank = m_width.twips(" ");
    int blanks = 1;
    while (text + blanks * blank < m_target) ++blanks;
    return blanks;
}

std::string ColumnCells::cell(std::string_view value) const {
    return rtfEscape(value) + std::string(static_cast<std::size_t>(blanksFor(value)), ' ') + rtfTabs(1);
}

}  // namespace tally
