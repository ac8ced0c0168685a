#pragma once

#include "platform/tick_source.h"

namespace rzv {

// CLOCK_BOOTTIME: like the Windows tick count it goes on while the machine sleeps, which
// CLOCK_MONOTONIC (and so every Qt timer) does not.
class BootClock : public TickSource {
  public:
    std::uint64_t millisecondsSinceBoot() override;
    std::uint64_t microsecondsSinceBoot() override;
};

}  // namespace rzv
