// When each timer of the program fires, apart from how the wait is done: the Win32 timer
// service asks this schedule when to wake next and what falls due then.
//
// Timers of the shortest interval (1 ms: "as often as the platform allows") form one round and
// fire together in ascending timer number. After each round the pacer says how long the next
// round may wait (1 to 1000 ms: until the next change that anyone could see); without a pacer
// the rounds come every millisecond. Every other timer keeps its own period; missed periods are
// skipped, never caught up.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace rzv {

class TimerSchedule {
  public:
    using Clock = std::function<std::int64_t()>;  // microseconds, never going back
    using Fire = std::function<void(std::size_t timer)>;
    static constexpr int kRoundIntervalMs = 1;
    static constexpr int kLongestPaceMs = 1000;

    explicit TimerSchedule(Clock clock) : clock_(std::move(clock)) {}

    void start(std::size_t timer, int intervalMs);
    void stop(std::size_t timer);
    void stopAll();
    // A round already waiting is planned again at once from the new pacer's answer: what is
    // worth drawing may have changed with it.
    void setPacer(std::function<int()> millisecondsToNextRound);

    // The moment (on the clock) of the next firing; nothing when no timer runs.
    std::optional<std::int64_t> nextDue() const;
    // Fires every timer due now, in ascending number. A timer stopped by one that fired before
    // it does not fire; one started meanwhile waits for its own interval.
    void fireDue(const Fire& fire);

  private:
    struct Slot {
        bool running = false;
        int intervalMs = 0;
        std::int64_t due = 0;  // for timers outside the round
    };
    bool inRound(const Slot& s) const { return s.running && s.intervalMs <= kRoundIntervalMs; }
    bool roundHasMembers() const;
    int nextPaceMs();

    Clock clock_;
    std::function<int()> pacer_;
    std::vector<Slot> slots_;
    std::optional<std::int64_t> roundDue_;
};

}  // namespace rzv
