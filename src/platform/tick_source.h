#pragma once

#include <chrono>
#include <cstdint>

namespace rzv {

// Milliseconds since the computer was started, counting time spent in suspend, never wrapping.
class TickSource {
  public:
    virtual ~TickSource() = default;
    virtual std::uint64_t millisecondsSinceBoot() = 0;
    // The same count, finer, for waking just when a millisecond turns: never ahead of
    // millisecondsSinceBoot() (its thousandth part is that count, or a step behind). A source
    // with nothing finer gives the milliseconds.
    virtual std::uint64_t microsecondsSinceBoot() { return millisecondsSinceBoot() * 1000; }
    // How far apart the count's values lie: a count that moves in steps (Windows' tick count,
    // some 15.6 ms) shows a new second only at its next step.
    virtual std::chrono::microseconds step() const { return std::chrono::microseconds(1); }
};

}  // namespace rzv
