#pragma once
// A range of byte values, compared as unsigned: the cheap summary of the bytes that the names of a
// set begin or end with, for skipping places where no name can be.

namespace tally {

struct ByteRange {
    unsigned char lo = 1, hi = 0;  // lo > hi: empty

    // Every byte value.
    static constexpr ByteRange all() { return {0, 255}; }

    bool empty() const { return lo > hi; }
    bool contains(char c) const {
        const auto u = static_cast<unsigned char>(c);
        return lo <= u && u <= hi;
    }
    // The smallest range holding this one and the byte c.
    void add(unsigned char c) {
        if (empty()) {
            lo = hi = c;
        } else if (c < lo) {
            lo = c;
        } else if (c > hi) {
            hi = c;
        }
    }
};

}  // namespace tally
