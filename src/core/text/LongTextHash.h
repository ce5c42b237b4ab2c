#pragma once
// A hash for tables keyed by long texts (whole CalledBy lists of a scan file, some of them hundreds of
// kilobytes). The standard hash takes the bytes one at a time; this one takes eight at a time in four
// independent lanes, several times faster. Equal texts hash alike; the table still compares keys, so
// two texts that hash alike are never taken for one another.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace tally {

inline std::uint64_t longTextHash(std::string_view text) {
    constexpr std::uint64_t kMultiplier = 0x9E3779B97F4A7C15ULL;
    const auto mix = [](std::uint64_t lane, std::uint64_t word) {
        lane = (lane ^ word) * kMultiplier;
        return lane ^ (lane >> 29);
    };
    const auto word = [](const char* at) {
        std::uint64_t value = 0;
        std::memcpy(&value, at, sizeof value);
        return value;
    };
    std::uint64_t lanes[4] = {text.size(), 0x243F6A8885A308D3ULL, 0x13198A2E03707344ULL, 0xA4093822299F31D0ULL};
    const char* at = text.data();
    std::size_t left = text.size();
    for (; left >= 32; at += 32, left -= 32)
        for (int lane = 0; lane < 4; ++lane) lanes[lane] = mix(lanes[lane], word(at + 8 * lane));
    for (; left >= 8; at += 8, left -= 8) lanes[0] = mix(lanes[0], word(at));
    std::uint64_t tail = 0;
    std::memcpy(&tail, at, left);
    lanes[1] = mix(lanes[1], tail);
    std::uint64_t hash = 0;
    for (std::uint64_t lane : lanes) hash = mix(hash, lane);
    return hash;
}

struct LongTextHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view text) const { return static_cast<std::size_t>(longTextHash(text)); }
};

}  // namespace tally
