#pragma once
// The thin progress strip painted while a colouring pass runs. The front end shows the busy
// pointer in begin(), paints the strip in step() and wipes it in end().

#include <cstddef>

namespace tally {

class ColouringProgress {
public:
    virtual ~ColouringProgress() = default;
    // A pass starts: busy pointer on, pending window events may run once.
    virtual void begin() = 0;
    // The pass has reached character `current` (1 to total) of `total`.
    virtual void step(std::size_t total, std::size_t current) = 0;
    // The pass has ended: strip wiped, pointer back to normal.
    virtual void end() = 0;
};

// Shows nothing.
class NullColouringProgress final : public ColouringProgress {
public:
    void begin() override {}
    void step(std::size_t, std::size_t) override {}
    void end() override {}
};

// The painted width of the strip: its full width times current / total, at least 1 pixel.
int progressStripWidth(int stripWidth, std::size_t total, std::size_t current);

}  // namespace tally
