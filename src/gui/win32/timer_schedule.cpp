#include "gui/win32/timer_schedule.h"

#include <algorithm>

namespace rzv {
namespace {
constexpr std::int64_t kMicrosPerMs = 1000;
}

void TimerSchedule::start(std::size_t timer, int intervalMs) {
    if (timer >= slots_.size()) slots_.resize(timer + 1);
    Slot& slot = slots_[timer];
    slot.running = true;
    slot.intervalMs = std::max(intervalMs, 1);
    const std::int64_t now = clock_();
    if (inRound(slot)) {
        // A round already waiting keeps its time; a new round starts at the next millisecond.
        if (!roundDue_) roundDue_ = now + kRoundIntervalMs * kMicrosPerMs;
        return;
    }
    slot.due = now + slot.intervalMs * kMicrosPerMs;
}

void TimerSchedule::setPacer(std::function<int()> millisecondsToNextRound) {
    pacer_ = std::move(millisecondsToNextRound);
    if (roundDue_ && pacer_) roundDue_ = clock_() + nextPaceMs() * kMicrosPerMs;
}

void TimerSchedule::stop(std::size_t timer) {
    if (timer < slots_.size()) slots_[timer].running = false;
    if (!roundHasMembers()) roundDue_.reset();
}

void TimerSchedule::stopAll() {
    for (auto& slot : slots_) slot.running = false;
    roundDue_.reset();
}

bool TimerSchedule::roundHasMembers() const {
    return std::any_of(slots_.begin(), slots_.end(), [this](const Slot& s) { return inRound(s); });
}

std::optional<std::int64_t> TimerSchedule::nextDue() const {
    std::optional<std::int64_t> next = roundDue_;
    for (const auto& slot : slots_)
        if (slot.running && !inRound(slot) && (!next || slot.due < *next)) next = slot.due;
    return next;
}

int TimerSchedule::nextPaceMs() {
    if (!pacer_) return kRoundIntervalMs;
    return std::clamp(pacer_(), kRoundIntervalMs, kLongestPaceMs);
}

void TimerSchedule::fireDue(const Fire& fire) {
    const std::int64_t now = clock_();
    const bool roundDue = roundDue_ && *roundDue_ <= now;
    // Decided before any fires: what a handler starts now waits for its own interval.
    std::vector<bool> due(slots_.size(), false);
    for (std::size_t t = 0; t < slots_.size(); ++t) {
        const Slot& slot = slots_[t];
        due[t] = slot.running && (inRound(slot) ? roundDue : slot.due <= now);
    }
    for (std::size_t t = 0; t < due.size(); ++t) {
        if (!due[t] || !slots_[t].running) continue;  // stopped by an earlier one
        Slot& slot = slots_[t];
        if (!inRound(slot)) {
            // The next period from where this one was due; missed periods are skipped.
            const std::int64_t period = slot.intervalMs * kMicrosPerMs;
            slot.due += period;
            if (slot.due <= now) slot.due = now + period;
        }
        fire(t);
    }
    if (roundDue && roundHasMembers()) {
        // Asked after the round, which has just brought every figure up to date.
        const int pace = nextPaceMs();
        roundDue_ = clock_() + pace * kMicrosPerMs;
    }
}

}  // namespace rzv
