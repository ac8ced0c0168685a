#pragma once

#include <cstdint>

namespace rzv {

// What the system knows of its time since the last start, beside the count the window shows
// (which counts sleep): asked when someone wants the details, never on a tick.
class BootClocks {
  public:
    virtual ~BootClocks() = default;
    // Milliseconds awake since the last start: time asleep or hibernated left out.
    virtual std::uint64_t awakeMilliseconds() = 0;
    // The wall clock: milliseconds since 1970-01-01 00:00 UTC.
    virtual std::int64_t wallClockMilliseconds() = 0;
    // Whether "Shut down" only hibernates the system, so that the count goes on through it
    // (Windows' Fast Startup); false where the system has no such thing.
    virtual bool fastStartupOn() = 0;
};

}  // namespace rzv
