#pragma once

#include "platform/boot_clocks.h"

namespace rzv {

// CLOCK_MONOTONIC, which stops while the machine sleeps, beside CLOCK_BOOTTIME, which does not;
// the wall clock is CLOCK_REALTIME. Linux has no Fast Startup: a shut-down ends the count.
class AwakeClock : public BootClocks {
  public:
    std::uint64_t awakeMilliseconds() override;
    std::int64_t wallClockMilliseconds() override;
    bool fastStartupOn() override { return false; }
};

}  // namespace rzv
