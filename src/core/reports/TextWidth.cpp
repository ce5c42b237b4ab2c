#include "core/reports/TextWidth.h"

#include "core/reports/ArialWidths.h"

namespace tally {

double TextWidth::twips(std::string_view text) const {
    long long units = 0;
    for (char c : text) units += kArialAdvances[static_cast<unsigned char>(c)];
    return static_cast<double>(units) * m_pointSize * 20.0 / kArialUnitsPerEm;
}

}  // namespace tally
