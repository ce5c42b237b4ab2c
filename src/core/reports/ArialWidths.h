#pragma once
// Arial's advance widths for the Windows-1252 characters, in font units (2048 to the em). The
// table comes from a metric-compatible font, so reports line up the same on every machine.

#include <array>
#include <cstdint>

namespace tally {

inline constexpr int kArialUnitsPerEm = 2048;

// Indexed by the character's byte; bytes the font has no glyph for take the missing-glyph width.
extern const std::array<std::uint16_t, 256> kArialAdvances;

}  // namespace tally
