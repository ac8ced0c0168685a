#pragma once

#include "platform/wake_alarm.h"

namespace rzv {

// A timerfd on CLOCK_BOOTTIME, the clock of BootClock: it goes on while the machine sleeps, and
// it has no timer slack, so it rings within microseconds of its moment.
class BootAlarm : public WakeAlarm {
  public:
    BootAlarm();
    ~BootAlarm() override;
    BootAlarm(const BootAlarm&) = delete;
    BootAlarm& operator=(const BootAlarm&) = delete;

    int wakeDescriptor() const override { return descriptor_; }
    bool ringIn(std::int64_t microseconds) override;
    void silence() override;
    void takeRing() override;

  private:
    int descriptor_;
};

}  // namespace rzv
