#pragma once

#include <cstdint>

namespace rzv {

// An alarm that an event loop can watch: a descriptor that turns readable when the alarm rings.
// It counts on the clock of TickSource (time since boot, suspend included), so a wait that spans
// a suspend ends at resume, and it rings on the microsecond, where a toolkit's timers round to
// whole milliseconds.
class WakeAlarm {
  public:
    virtual ~WakeAlarm() = default;
    // -1 where the system has no such alarm: the caller waits with timers of its own.
    virtual int wakeDescriptor() const = 0;
    // Rings once, `microseconds` from now (at once for 0 or less), in place of any earlier
    // setting. False when the system refused: the alarm is then silent.
    virtual bool ringIn(std::int64_t microseconds) = 0;
    virtual void silence() = 0;
    // Called when the descriptor turns readable: takes the ring, so that it reads as quiet again.
    virtual void takeRing() = 0;
};

// Where the system has no such alarm (Windows waits with waitable timers of its own).
class NoWakeAlarm : public WakeAlarm {
  public:
    int wakeDescriptor() const override { return -1; }
    bool ringIn(std::int64_t) override { return false; }
    void silence() override {}
    void takeRing() override {}
};

}  // namespace rzv
