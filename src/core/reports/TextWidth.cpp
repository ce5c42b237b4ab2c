#include "core/reports/TextWidth.h"

#include <cmath>

#include "core/reports/ArialWidths.h"

namespace tally {

double TextWidth::nextTabStop(double position) {
    double step = position < kReportLastTabStop ? kReportTabStep : kReportDefaultTab;
    return (std::floor(position / step) + 1) * step;
}

double TextWidth::twips(std::string_view text) const {
    const double perUnit = m_pointSize * 20.0 / kArialUnitsPerEm;
    double position = 0;
    for (char c : text) {
        if (c == '\t') position = nextTabStop(position);
        else position += kArialAdvances[static_cast<unsigned char>(c)] * perUnit;
    }
    return position;
}

}  // namespace tally
