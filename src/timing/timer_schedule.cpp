#include "timing/timer_schedule.h"

#include <algorithm>

namespace rzv {
namespace {
constexpr std::int64_t kMicrosPerMs = 1000;
constexpr std::int64_t kMicrosPerSecond = 1000000;
}  // namespace

TimerSchedule::TimerSchedule(Clock clock, Waker& waker, TieOrder order)
    : clock_(std::move(clock)), waker_(waker), tieOrder_(std::move(order)) {
    waker_.setWake([this] { wake(); });
}

void TimerSchedule::rearm() {
    if (!firing_) waker_.wakeAt(nextDue());  // else once the firing is over
}

void TimerSchedule::start(std::size_t timer, int intervalMs) {
    if (timer >= slots_.size()) slots_.resize(timer + 1);
    Slot& slot = slots_[timer];
    slot.running = true;
    slot.repeating = false;
    slot.intervalMs = std::max(intervalMs, 1);
    ++slot.starts;
    const std::int64_t now = clock_();
    if (inRound(slot)) {
        // A round already waiting keeps its time; a new round starts at the next millisecond.
        if (!roundDue_) roundDue_ = now + kShortestPeriodMs * kMicrosPerMs;
    } else {
        slot.due = now + slot.intervalMs * kMicrosPerMs;
        if (!roundHasMembers()) roundDue_.reset();  // it may have left the round
    }
    rearm();
}

void TimerSchedule::setPacer(Pacer timeToNextRound) {
    pacer_ = std::move(timeToNextRound);
    if (roundDue_ && pacer_) roundDue_ = clock_() + nextPaceUs();
    rearm();
}

void TimerSchedule::stop(std::size_t timer) {
    if (timer < slots_.size()) slots_[timer].running = false;
    if (!roundHasMembers()) roundDue_.reset();
    rearm();
}

void TimerSchedule::stopAll() {
    for (auto& slot : slots_) slot.running = false;
    roundDue_.reset();
    rearm();
}

bool TimerSchedule::roundHasMembers() const {
    return std::any_of(slots_.begin(), slots_.end(), [](const Slot& s) { return inRound(s); });
}

bool TimerSchedule::sharesRoundWakes(const Slot& s) const {
    return s.running && s.repeating && !inRound(s) && s.intervalMs % 1000 == 0;
}

std::optional<std::int64_t> TimerSchedule::nextDue() const {
    std::optional<std::int64_t> next = roundDue_;
    for (const auto& slot : slots_) {
        if (!slot.running || inRound(slot)) continue;
        std::int64_t due = slot.due;
        // Due shortly before the round: it waits for the round's wake-up.
        if (roundDue_ && sharesRoundWakes(slot) && *roundDue_ >= due &&
            *roundDue_ - due <= kSharedWakeSlack.count())
            due = *roundDue_;
        if (!next || due < *next) next = due;
    }
    return next;
}

std::int64_t TimerSchedule::nextPaceUs() {
    if (!pacer_) return kShortestPeriodMs * kMicrosPerMs;
    return std::clamp<std::int64_t>(pacer_().count(), 1, kLongestPace.count());
}

void TimerSchedule::plan(Slot& slot, std::int64_t now, bool firedWithRound) {
    // The next period from where this one was due; missed periods are skipped.
    const std::int64_t period = slot.intervalMs * kMicrosPerMs;
    slot.due += period;
    if (slot.due <= now) slot.due = now + period;
    // A round this close comes again a period later, close enough to share its wake-up then.
    if (firedWithRound || !roundDue_ || *roundDue_ - now <= kSharedWakeSlack.count() ||
        period % kMicrosPerSecond != 0)
        return;
    // A whole-second timer that woke on its own moves onto the round's phase: the latest moment
    // a whole number of seconds after the planned round that is not later than its next period.
    const std::int64_t round = *roundDue_;
    const std::int64_t seconds = slot.due > round ? (slot.due - round) / kMicrosPerSecond : 0;
    slot.due = round + seconds * kMicrosPerSecond;
}

void TimerSchedule::wake() {
    firing_ = true;
    const std::int64_t now = clock_();
    const bool roundNow = roundDue_ && *roundDue_ <= now;
    // Decided before any fires: what a handler starts now waits for its own interval.
    std::vector<std::size_t> batch;
    std::vector<std::uint64_t> startsOf(slots_.size());
    for (std::size_t t = 0; t < slots_.size(); ++t) {
        const Slot& slot = slots_[t];
        startsOf[t] = slot.starts;
        if (!slot.running) continue;
        const bool due = inRound(slot)
                             ? roundNow
                             : slot.due <= now || (roundNow && sharesRoundWakes(slot) &&
                                                   slot.due - now <= kSharedWakeSlack.count());
        if (due) batch.push_back(t);
    }
    if (tieOrder_) tieOrder_(batch);
    for (std::size_t t : batch) {
        // Stopped, or started afresh, by an earlier one.
        if (!slots_[t].running || slots_[t].starts != startsOf[t]) continue;
        if (!inRound(slots_[t])) plan(slots_[t], now, roundNow);
        if (fire_) fire_(t);
        if (slots_[t].starts == startsOf[t]) slots_[t].repeating = slots_[t].running;
    }
    if (roundNow && roundHasMembers()) {
        // Asked after the round, which has just brought every figure up to date.
        roundDue_ = clock_() + nextPaceUs();
    }
    firing_ = false;
    rearm();
}

}  // namespace rzv
