#include "gui/qt/qt_timer_service.h"

#include <algorithm>
#include <chrono>

namespace rzv {
namespace {

std::int64_t steadyMicros() {
    return std::chrono::duration_cast<std::chrono::microseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// Qt's timers wait whole milliseconds from the moment they are armed. A long wait (a round paced
// to the next whole second) is armed for the whole milliseconds before its moment, less a margin
// for the time between arming and the loop's next wait, and the rest, under a millisecond, is
// waited out in place; a shorter one (a frame) is rounded up, since nobody sees its fraction.
constexpr std::int64_t kFineWaitFromUs = 50000;
constexpr std::int64_t kEarlyWakeUs = 250;
// The longest stretch waited out in place; a wake-up earlier than that sleeps again.
constexpr std::int64_t kLongestSpinUs = 2000;

}  // namespace

QtTimerService::QtTimerService() : schedule_(steadyMicros) {
    wake_.setTimerType(Qt::PreciseTimer);
    wake_.setSingleShot(true);
    QObject::connect(&wake_, &QTimer::timeout, [this] { wake(); });
}

void QtTimerService::arm() {
    if (firing_) return;  // armed once the firing is over
    const std::optional<std::int64_t> due = schedule_.nextDue();
    if (!due) {
        wake_.stop();
        return;
    }
    const std::int64_t wait = std::max<std::int64_t>(*due - steadyMicros(), 0);
    const std::int64_t ms =
        wait >= kFineWaitFromUs ? (wait - kEarlyWakeUs) / 1000 : (wait + 999) / 1000;
    wake_.start(static_cast<int>(ms));
}

void QtTimerService::wake() {
    if (const auto due = schedule_.nextDue()) {
        // Woken a little early on purpose: wait out the rest here rather than a millisecond late.
        const std::int64_t rest = *due - steadyMicros();
        if (rest > kLongestSpinUs) return arm();
        while (steadyMicros() < *due) {
        }
    }
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
