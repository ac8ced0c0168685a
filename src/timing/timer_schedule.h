// When each timer of the program fires, apart from how the wait is done. A timer service asks
// the schedule when to wake next and, once woken, fires what has fallen due; the Qt service, the
// Win32 service and the tests' virtual clock differ only in how they wait.
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

namespace rzv {

class TimerSchedule {
  public:
    using Clock = std::function<std::int64_t()>;  // microseconds, never going back
    using Fire = std::function<void(std::size_t timer)>;
    using Pacer = std::function<std::chrono::microseconds()>;
    // Puts the timers due at one instant in the order they fire (ascending number otherwise).
    using TieOrder = std::function<void(std::vector<std::size_t>&)>;
    static constexpr int kRoundIntervalMs = 1;
    static constexpr std::chrono::microseconds kLongestPace = std::chrono::seconds(1);
    static constexpr std::chrono::microseconds kSharedWakeSlack = std::chrono::milliseconds(20);

    explicit TimerSchedule(Clock clock) : clock_(std::move(clock)) {}

    // Starting a running timer starts its interval afresh.
    void start(std::size_t timer, int intervalMs);
    void stop(std::size_t timer);
    void stopAll();
    // A round already waiting is planned again at once from the new pacer's answer: what is
    // worth drawing may have changed with it.
    void setPacer(Pacer timeToNextRound);
    void setTieOrder(TieOrder order) { tieOrder_ = std::move(order); }

    // The moment (on the clock) of the next firing; nothing when no timer runs.
    std::optional<std::int64_t> nextDue() const;
    // Fires every timer due now, in ascending number. A timer stopped or restarted by one that
    // fired before it does not fire; one started meanwhile waits for its own interval.
    void fireDue(const Fire& fire);

    bool isRunning(std::size_t timer) const;
    int intervalOf(std::size_t timer) const;  // the last interval it was started with
    std::uint64_t firesOf(std::size_t timer) const;

  private:
    struct Slot {
        bool running = false;
        bool repeating = false;  // fired at least once since it was started
        int intervalMs = 0;
        std::int64_t due = 0;  // for timers outside the round
        std::uint64_t starts = 0;
        std::uint64_t fires = 0;
    };
    static bool inRound(const Slot& s) { return s.running && s.intervalMs <= kRoundIntervalMs; }
    bool sharesRoundWakes(const Slot& s) const;
    bool roundHasMembers() const;
    std::int64_t nextPaceUs();
    void plan(Slot& slot, std::int64_t now, bool firedWithRound);

    Clock clock_;
    Pacer pacer_;
    TieOrder tieOrder_;
    std::vector<Slot> slots_;
    std::optional<std::int64_t> roundDue_;
};

}  // namespace rzv
