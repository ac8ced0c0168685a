#pragma once

#include <QSocketNotifier>
#include <QTimer>
#include <cstdint>
#include <memory>

#include "platform/tick_source.h"
#include "platform/timer_service.h"
#include "platform/wake_alarm.h"
#include "timing/timer_schedule.h"

namespace rzv {

// The program's timers on Qt: the schedule (timing/timer_schedule.h) on the clock since boot,
// woken by the system's alarm on that clock, which the event loop watches like any descriptor.
// Qt's own timers count whole milliseconds from the moment they are armed and wake up to two
// milliseconds after a round due at a whole second; they serve only where the system has no
// alarm (precise ones: Qt lets a coarse timer slip by 5 %, half a second on ten).
class QtTimerService : public TimerService {
  public:
    QtTimerService(TickSource& clock, WakeAlarm& alarm);
    void setFireHandler(FireHandler handler) override { handler_ = std::move(handler); }
    void start(std::size_t timer, int intervalMs) override;
    void stop(std::size_t timer) override;
    void stopAll() override;
    void setPacer(Pacer timeToNextRound) override;

    // How often each timer fired, for measurements.
    std::uint64_t firesOf(std::size_t timer) const { return schedule_.firesOf(timer); }

  private:
    void arm();
    void wake();

    TickSource& clock_;
    WakeAlarm& alarm_;
    TimerSchedule schedule_;
    std::unique_ptr<QSocketNotifier> ring_;
    QTimer fallback_;
    bool firing_ = false;
    FireHandler handler_;
};

}  // namespace rzv
