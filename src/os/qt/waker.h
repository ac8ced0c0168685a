#pragma once

#include <QSocketNotifier>
#include <QTimer>
#include <memory>

#include "platform/tick_source.h"
#include "platform/wake_alarm.h"
#include "platform/waker.h"

namespace rzv {

// Wakes the timers from Qt's event loop on the clock since boot: by the system's alarm on that
// clock, which the loop watches like any descriptor and which rings on the microsecond and
// counts a suspend. Qt's own timers count whole milliseconds from the moment they are armed and
// wake up to two milliseconds after a round due at a whole second; they serve only where the
// system has no alarm (precise ones: Qt lets a coarse timer slip by 5 %, half a second on ten).
class QtWaker : public Waker {
  public:
    QtWaker(TickSource& clock, WakeAlarm& alarm);
    void setWake(Wake wake) override { wake_ = std::move(wake); }
    void wakeAt(std::optional<std::int64_t> moment) override;

  private:
    TickSource& clock_;
    WakeAlarm& alarm_;
    std::unique_ptr<QSocketNotifier> ring_;
    QTimer fallback_;
    Wake wake_;
};

}  // namespace rzv
