#pragma once

#include <cstdint>

namespace rzv {

// Milliseconds since the computer was started, counting time spent in suspend, never wrapping.
class TickSource {
  public:
    virtual ~TickSource() = default;
    virtual std::uint64_t millisecondsSinceBoot() = 0;
};

}  // namespace rzv
