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
    // Each blank is closed by an empty group: word processors that read a run of blanks as
    // wider spacing (LibreOffice turns every blank of such a run into a blank and a sixth of an em)
    // then keep each blank at the font's own width, and the padding lines up as measured.
    std::string out = rtfEscape(value);
    for (int k = blanksFor(value); k > 0; --k) out += " {}";
    return out + rtfTabs(1);
}

}  // namespace tally
