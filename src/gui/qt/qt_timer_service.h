#pragma once

#include <QTimer>
#include <cstdint>

#include "platform/timer_service.h"
#include "timing/timer_schedule.h"

namespace rzv {

// The program's timers on Qt: one precise single-shot QTimer, armed for the moment the schedule
// says the next timer falls due (timing/timer_schedule.h). Precise, because Qt lets a coarse
// timer slip by 5 %, half a second on ten. Qt's timers count whole milliseconds, so the QTimer
// wakes up to a millisecond early and the rest is waited out in place: a round due at a whole
// second of the count since boot runs on it, not up to two milliseconds after.
class QtTimerService : public TimerService {
  public:
    QtTimerService();
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

    TimerSchedule schedule_;
    QTimer wake_;
    bool firing_ = false;
    FireHandler handler_;
};

}  // namespace rzv
