#include "os/qt/waker.h"

#include <algorithm>

namespace rzv {

QtWaker::QtWaker(TickSource& clock, WakeAlarm& alarm) : clock_(clock), alarm_(alarm) {
    const auto wake = [this] {
        if (wake_) wake_();
    };
    if (const int descriptor = alarm_.wakeDescriptor(); descriptor >= 0) {
        ring_ = std::make_unique<QSocketNotifier>(descriptor, QSocketNotifier::Read);
        QObject::connect(ring_.get(), &QSocketNotifier::activated, [this, wake] {
            alarm_.takeRing();
            wake();
        });
    }
    fallback_.setTimerType(Qt::PreciseTimer);
    fallback_.setSingleShot(true);
    QObject::connect(&fallback_, &QTimer::timeout, wake);
}

void QtWaker::wakeAt(std::optional<std::int64_t> moment) {
    if (!moment) {
        alarm_.silence();
        fallback_.stop();
        return;
    }
    const std::int64_t wait = std::max<std::int64_t>(
        *moment - static_cast<std::int64_t>(clock_.microsecondsSinceBoot()), 0);
    if (ring_ && alarm_.ringIn(wait)) return;
    fallback_.start(static_cast<int>((wait + 999) / 1000));  // never before the moment
}

}  // namespace rzv
