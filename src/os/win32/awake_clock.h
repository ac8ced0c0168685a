#pragma once

#include "platform/boot_clocks.h"

namespace rzv {

// QueryUnbiasedInterruptTime, which leaves out sleep and hibernation (a Fast Startup "shut
// down" among them), beside GetTickCount64, which counts them. Fast Startup is on where the
// system hibernates at Shut down: HiberbootEnabled and HibernateEnabled both 1, values a
// standard user may read.
class Win32AwakeClock : public BootClocks {
  public:
    std::uint64_t awakeMilliseconds() override;
    std::int64_t wallClockMilliseconds() override;
    bool fastStartupOn() override;
};

}  // namespace rzv
