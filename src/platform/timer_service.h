#pragma once

#include <chrono>
#include <cstddef>
#include <functional>

namespace rzv {

// Periodic timers on the user-interface thread, known by number. A started timer fires every
// interval until stopped; starting a running timer starts its interval afresh. Missed periods are
// skipped, never caught up.
//
// Timers of the shortest period (1 ms: "as often as the platform allows") fire together as one
// round, in ascending timer number, so a pipeline numbered in its chain order runs in that order.
// How often a round runs is the platform's choice, and waking a thousand times a second costs a
// laptop its deep idle states: a pacer tells the service when the next round is worth running.
// A repeating timer of whole seconds may fire a little early or late, within a few milliseconds,
// to share a round's wake-up, and may once fire its next period sooner to move onto the round's
// phase; its period stays the same.
class TimerService {
  public:
    using FireHandler = std::function<void(std::size_t timer)>;
    // Time from now until the next round of the 1 ms timers is due, finer than a millisecond: a
    // change due at a whole second of the count since boot is best drawn just then.
    using Pacer = std::function<std::chrono::microseconds()>;
    static constexpr int kShortestPeriodMs = 1;
    // The longest sleep between rounds: the count since boot jumps over a suspend while the
    // service's own clock does not, so the next round is never more than a second away.
    static constexpr std::chrono::microseconds kLongestPace = std::chrono::seconds(1);

    virtual ~TimerService() = default;
    virtual void setFireHandler(FireHandler handler) = 0;
    virtual void start(std::size_t timer, int intervalMs) = 0;
    virtual void stop(std::size_t timer) = 0;
    // Silences every timer at once, for a program that is about to end on a fault.
    virtual void stopAll() = 0;

    // Paces the round of the 1 ms timers. The first round runs 1 ms after the first of them
    // starts. After each round the service asks the pacer and sleeps exactly that long (clamped
    // to 1 us..kLongestPace), runs one round, asks again. While no 1 ms timer runs, the service
    // neither wakes for them nor asks. Installing a pacer while a round is pending re-plans that
    // round from the pacer's answer at once (the view changed what is worth drawing). Without a
    // pacer a round runs every millisecond.
    virtual void setPacer(Pacer timeToNextRound) = 0;
};

}  // namespace rzv
