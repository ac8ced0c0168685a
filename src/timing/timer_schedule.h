// The program's one timer service: when each timer fires, on a clock and a waker the front end
// gives it. The front end only waits: asked for the moment of the next wake-up after every
// change (a start, a stop, a new pacer, a firing), it calls back once that moment has come; Qt's
// event loop, the Win32 message loop and the tests' virtual clock differ in nothing else.
//
// Timers of the shortest interval (1 ms: "as often as the platform allows") form one round and
// fire together in ascending timer number. After each round the pacer says how long the next
// round may wait (1 us to 1 s: until the next change that anyone could see); without a pacer the
// rounds come every millisecond. Every other timer keeps its own period; missed periods are
// skipped, never caught up.
//
// A repeating timer whose period is a whole number of seconds shares the round's wake-ups
// instead of waking on its own: it fires in a round that comes within kSharedWakeSlack of its
// due time (early or late), and after a firing of its own it moves its phase onto the round's,
// once, by firing its next period that much sooner. Its period stays what it was.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "platform/timer_service.h"
#include "platform/waker.h"

namespace rzv {

class TimerSchedule : public TimerService {
  public:
    using Clock = std::function<std::int64_t()>;  // microseconds, never going back
    // Puts the timers due at one instant in the order they fire: the platform's choice (without
    // one, ascending number).
    using TieOrder = std::function<void(std::vector<std::size_t>&)>;
    static constexpr std::chrono::microseconds kSharedWakeSlack = std::chrono::milliseconds(20);

    TimerSchedule(Clock clock, Waker& waker, TieOrder order = {});
    TimerSchedule(const TimerSchedule&) = delete;
    TimerSchedule& operator=(const TimerSchedule&) = delete;

    void setFireHandler(FireHandler handler) override { fire_ = std::move(handler); }
    void start(std::size_t timer, int intervalMs) override;
    void stop(std::size_t timer) override;
    void stopAll() override;
    // A round already waiting is planned again at once from the new pacer's answer: what is
    // worth drawing may have changed with it.
    void setPacer(Pacer timeToNextRound) override;

  private:
    struct Slot {
        bool running = false;
        bool repeating = false;  // fired at least once since it was started
        int intervalMs = 0;
        std::int64_t due = 0;  // for timers outside the round
        std::uint64_t starts = 0;
    };
    static bool inRound(const Slot& s) { return s.running && s.intervalMs <= kShortestPeriodMs; }
    bool sharesRoundWakes(const Slot& s) const;
    bool roundHasMembers() const;
    std::int64_t nextPaceUs();
    void plan(Slot& slot, std::int64_t now, bool firedWithRound);
    // The moment (on the clock) of the next firing; nothing when no timer runs.
    std::optional<std::int64_t> nextDue() const;
    // From the waker: fires every timer due now, in their order. A timer stopped or restarted by
    // one that fired before it does not fire; one started meanwhile waits for its own interval.
    void wake();
    // Tells the waker the next moment: after every change, once a firing is over.
    void rearm();

    Clock clock_;
    Waker& waker_;
    TieOrder tieOrder_;
    FireHandler fire_;
    Pacer pacer_;
    std::vector<Slot> slots_;
    std::optional<std::int64_t> roundDue_;
    bool firing_ = false;
};

}  // namespace rzv
