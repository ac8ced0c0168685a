#pragma once

#include <cstdint>
#include <functional>
#include <optional>

namespace rzv {

// How a front end's event loop wakes the program's timers: it is asked for the moment of the
// next wake-up, waits until then among its other events, and calls the wake back. A new moment
// replaces the one before; none means nothing to wake for.
class Waker {
  public:
    using Wake = std::function<void()>;
    virtual ~Waker() = default;
    // Once, by the timers, before the first moment is asked for.
    virtual void setWake(Wake wake) = 0;
    // `moment`: microseconds on the timers' clock. A wake a little late is harmless; one that
    // comes early finds nothing due and is asked for again.
    virtual void wakeAt(std::optional<std::int64_t> moment) = 0;
};

}  // namespace rzv
