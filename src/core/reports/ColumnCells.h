#pragma once
// Report columns lined up in a proportional font: each cell but a row's last is padded with blanks
// to a common measured width, then moved on by one tab.

#include <string>
#include <string_view>

#include "core/reports/TextWidth.h"

namespace tally {

class ColumnCells {
public:
    // Every cell is padded to the width of `reference` followed by two tabs; an empty reference
    // pads nothing.
    ColumnCells(const TextWidth& width, std::string_view reference);

    // `value` (a name from the project decoded to UTF-8, escaped here) with the fewest blanks, one
    // at least, that make it as wide as the target, then one tab; without blanks when there is no
    // target. Each blank is written as " {}" so that no reader merges the blanks into wider spacing.
    std::string cell(std::string_view value) const;
    int blanksFor(std::string_view value) const;
    double target() const { return m_target; }

private:
    const TextWidth& m_width;
    double m_target = 0;
};

}  // namespace tally
