#include "gui/qt/qt_timer_service.h"

#include <algorithm>

namespace rzv {

QtTimerService::QtTimerService(TickSource& clock, WakeAlarm& alarm)
    : clock_(clock),
      alarm_(alarm),
      schedule_([&clock] { return static_cast<std::int64_t>(clock.microsecondsSinceBoot()); }) {
    if (const int descriptor = alarm_.wakeDescriptor(); descriptor >= 0) {
        ring_ = std::make_unique<QSocketNotifier>(descriptor, QSocketNotifier::Read);
        QObject::connect(ring_.get(), &QSocketNotifier::activated, [this] {
            alarm_.takeRing();
            wake();
        });
    }
    fallback_.setTimerType(Qt::PreciseTimer);
    fallback_.setSingleShot(true);
    QObject::connect(&fallback_, &QTimer::timeout, [this] { wake(); });
}

void QtTimerService::arm() {
    if (firing_) return;  // armed once the firing is over
    const std::optional<std::int64_t> due = schedule_.nextDue();
    if (!due) {
        alarm_.silence();
        fallback_.stop();
        return;
    }
    const std::int64_t wait =
        std::max<std::int64_t>(*due - static_cast<std::int64_t>(clock_.microsecondsSinceBoot()), 0);
    if (ring_ && alarm_.ringIn(wait)) return;
    fallback_.start(static_cast<int>((wait + 999) / 1000));  // never before the moment
}

void QtTimerService::wake() {
    // A wake-up before anything is due fires nothing and waits again.
    firing_ = true;
    schedule_.fireDue([this](std::size_t timer) {
        if (handler_) handler_(timer);
    });
    firing_ = false;
    arm();
}

void QtTimerService::setPacer(Pacer timeToNextRound) {
    schedule_.setPacer(std::move(timeToNextRound));
    arm();
}

void QtTimerService::start(std::size_t timer, int intervalMs) {
    schedule_.start(timer, intervalMs);
    arm();
}

void QtTimerService::stop(std::size_t timer) {
    schedule_.stop(timer);
    arm();
}

void QtTimerService::stopAll() {
    schedule_.stopAll();
    arm();
}

}  // namespace rzv
