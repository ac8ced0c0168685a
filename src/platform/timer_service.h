#pragma once

#include <cstddef>
#include <functional>

namespace rzv {

// Periodic timers on the user-interface thread, known by number. A started timer fires every
// interval until stopped; starting a running timer starts its interval afresh. Missed periods are
// skipped, never caught up.
class TimerService {
  public:
    using FireHandler = std::function<void(std::size_t timer)>;

    virtual ~TimerService() = default;
    virtual void setFireHandler(FireHandler handler) = 0;
    virtual void start(std::size_t timer, int intervalMs) = 0;
    virtual void stop(std::size_t timer) = 0;
    // Silences every timer at once, for a program that is about to end on a fault.
    virtual void stopAll() = 0;
};

}  // namespace rzv
