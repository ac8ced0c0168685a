// When the program's timers fire, on a clock the test moves and a waker that only records the
// moment asked for: the one schedule of the Qt program, the Win32 program and the other tests.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "timing/timer_schedule.h"

namespace rzv {
namespace {

using std::chrono::microseconds;
using std::chrono::milliseconds;

// Keeps the last moment asked for, and how many times one was asked for.
struct RecordingWaker : Waker {
    void setWake(Wake wake) override { wake_ = std::move(wake); }
    void wakeAt(std::optional<std::int64_t> moment) override {
        asked = moment;
        ++requests;
    }
    std::optional<std::int64_t> asked;
    int requests = 0;
    Wake wake_;
};

class TimerScheduleTest : public ::testing::Test {
  protected:
    TimerScheduleTest() {
        schedule_.setFireHandler([this](std::size_t t) {
            fired_.push_back(t);
            if (onFire_) onFire_(t);
        });
    }
    std::int64_t nowUs_ = 0;
    RecordingWaker waker_;
    std::function<void(std::vector<std::size_t>&)> tieOrder_;
    TimerSchedule schedule_{[this] { return nowUs_; }, waker_,
                            [this](std::vector<std::size_t>& due) {
                                if (tieOrder_) tieOrder_(due);
                            }};
    std::vector<std::size_t> fired_;
    std::vector<std::int64_t> wakes_;  // the instants the schedule woke at, in microseconds
    std::function<void(std::size_t)> onFire_;

    // Moves the clock to each moment the schedule asks for, up to `us`, waking it there.
    void runUntilUs(std::int64_t us) {
        while (waker_.asked && *waker_.asked <= us) {
            nowUs_ = std::max(nowUs_, *waker_.asked);
            wake();
        }
        nowUs_ = us;
    }
    // A wake-up at the clock's present moment, whatever was asked for.
    void wake() {
        wakes_.push_back(nowUs_);
        waker_.wake_();
    }
    void runUntil(std::int64_t ms) { runUntilUs(ms * 1000); }
    int count(std::size_t timer) const {
        return static_cast<int>(std::count(fired_.begin(), fired_.end(), timer));
    }
};

TEST_F(TimerScheduleTest, theShortestTimersFireAsOneRoundInTheirNumberOrder) {
    for (std::size_t t : {5u, 0u, 3u}) schedule_.start(t, 1);
    schedule_.start(8, 1000);
    runUntil(3);
    EXPECT_EQ(fired_, (std::vector<std::size_t>{0, 3, 5, 0, 3, 5, 0, 3, 5}));
}

TEST_F(TimerScheduleTest, aTimerStoppedOrRestartedByAnEarlierOneOfItsInstantDoesNotFire) {
    for (std::size_t t : {0u, 1u, 2u}) schedule_.start(t, 1);
    schedule_.start(7, 5);
    schedule_.start(8, 5);
    schedule_.start(9, 5);
    onFire_ = [this](std::size_t t) {
        if (t == 0) schedule_.stop(2);
        if (t == 7 && count(7) == 1) {
            schedule_.stop(8);
            schedule_.start(8, 5);  // afresh: due 5 ms from now
            schedule_.start(9, 5);
        }
    };
    runUntil(5);
    EXPECT_EQ(count(2), 0);
    EXPECT_EQ(count(1), 5);
    EXPECT_EQ(count(8), 0);
    EXPECT_EQ(count(9), 0);
    runUntil(10);
    EXPECT_EQ(count(8), 1);
}

TEST_F(TimerScheduleTest, thePacerSetsTheWaitAfterEachRoundWithinItsBounds) {
    struct Case {
        microseconds pace;  // what the pacer answers
        int roundsIn3000;   // rounds in 3 s: the first at 1 ms, then one per pace
    };
    const Case cases[] = {{milliseconds(1), 3000},
                          {microseconds(1500), 2000},
                          {milliseconds(250), 12},
                          {milliseconds(1000), 3},
                          {milliseconds(60000), 3}};
    for (const auto& c : cases) {
        schedule_.stopAll();
        fired_.clear();
        nowUs_ = 0;
        schedule_.setPacer([&c] { return c.pace; });
        schedule_.start(0, 1);
        runUntil(3000);
        EXPECT_EQ(count(0), c.roundsIn3000) << "pace " << c.pace.count() << " us";
    }
    // An answer of nothing still waits a microsecond: the loop is never held in one place.
    schedule_.stopAll();
    nowUs_ = 0;
    schedule_.setPacer([] { return microseconds(-5); });
    schedule_.start(0, 1);
    runUntil(1);
    EXPECT_EQ(waker_.asked, 1001);
}

TEST_F(TimerScheduleTest, aNewPacerReplansTheWaitingRoundToTheMicrosecond) {
    schedule_.start(0, 1);  // the first round is due at 1 ms...
    schedule_.setPacer([] { return milliseconds(1000); });
    EXPECT_EQ(waker_.asked, 1000 * 1000);  // ...until the pacer says otherwise
    runUntil(1000);
    EXPECT_EQ(waker_.asked, 2000 * 1000);
    nowUs_ = 500 * 1000 + 123;
    schedule_.setPacer([] { return microseconds(19877); });
    EXPECT_EQ(waker_.asked, 520 * 1000);
}

TEST_F(TimerScheduleTest, longerTimersKeepTheirPeriodAndSkipWhatTheyMissed) {
    schedule_.start(7, 1000);
    runUntil(999);
    EXPECT_EQ(count(7), 0);
    runUntil(1000);
    EXPECT_EQ(count(7), 1);
    // The loop was held up for 2.5 s: one late firing, and a whole period from there.
    nowUs_ = 3500 * 1000;
    wake();
    EXPECT_EQ(count(7), 2);
    EXPECT_EQ(waker_.asked, 4500 * 1000);
}

TEST_F(TimerScheduleTest, aTimerStartedByAnotherWaitsItsWholeInterval) {
    schedule_.start(7, 10000);  // as AUTOSTART_TIMER starts LOG_TIMER
    onFire_ = [this](std::size_t t) {
        if (t == 7) {
            schedule_.stop(7);
            schedule_.start(8, 1000);
        }
    };
    runUntil(10999);
    EXPECT_EQ(count(8), 0);
    runUntil(11000);
    EXPECT_EQ(count(8), 1);
}

// The front end only waits: after every change the schedule asks for the next moment itself,
// and while a firing runs it asks once, when the firing is over.
TEST_F(TimerScheduleTest, everyChangeAsksTheWakerForTheNextMoment) {
    struct Case {
        const char* what;
        std::function<void()> change;
        std::optional<std::int64_t> asked;
    };
    const Case cases[] = {
        {"a start", [this] { schedule_.start(9, 500); }, 500 * 1000},
        {"a round's start", [this] { schedule_.start(0, 1); }, 1000},
        {"a new pacer", [this] { schedule_.setPacer([] { return milliseconds(40); }); }, 40 * 1000},
        {"a stop", [this] { schedule_.stop(0); }, 500 * 1000},
        {"all stopped", [this] { schedule_.stopAll(); }, std::nullopt},
    };
    for (const Case& c : cases) {
        const int before = waker_.requests;
        c.change();
        EXPECT_EQ(waker_.requests, before + 1) << c.what;
        EXPECT_EQ(waker_.asked, c.asked) << c.what;
    }
    // A timer that starts another while it fires: one request, after the firing.
    schedule_.start(7, 10);
    onFire_ = [this](std::size_t) { schedule_.start(8, 1000); };
    const int before = waker_.requests;
    runUntil(10);
    EXPECT_EQ(waker_.requests, before + 1);
    EXPECT_EQ(waker_.asked, 20 * 1000);
}

TEST_F(TimerScheduleTest, aTieOrderChoosesTheOrderOfTimersDueAtOneInstant) {
    tieOrder_ = [](std::vector<std::size_t>& due) { std::reverse(due.begin(), due.end()); };
    schedule_.start(0, 1);
    schedule_.start(1, 1);
    schedule_.start(9, 2);
    runUntil(2);
    EXPECT_EQ(fired_, (std::vector<std::size_t>{1, 0, 9, 1, 0}));
}

// The round paced to whole seconds (as the uptime display paces it), beside a repeating
// one-second timer started at some odd moment (the always-on-top keeper).
struct SharedWakeCase {
    const char* what;
    std::int64_t keeperStartUs;  // when the one-second timer starts
    int intervalMs;
    std::int64_t jitterUs;  // how late every other round is planned
    bool shared;            // from the fourth second on, the round's wake-ups only
};

TEST_F(TimerScheduleTest, aRepeatingWholeSecondTimerMovesOntoTheRoundsWakeUps) {
    const SharedWakeCase cases[] = {
        {"keeper started mid-second", 437 * 1000 + 55, 1000, 0, true},
        {"keeper just after a round", 1000 * 1000 + 30, 1000, 0, true},
        {"rounds a little off the second", 999 * 1000 + 999, 1000, 900, true},
        {"a two-second timer", 250 * 1000, 2000, 0, true},
        {"not a whole second", 437 * 1000, 1500, 0, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        nowUs_ = 0;
        fired_.clear();
        wakes_.clear();
        schedule_.stopAll();
        int roundsPlanned = 0;
        schedule_.setPacer([&] {
            const std::int64_t stray = (roundsPlanned++ % 2) * c.jitterUs;  // a late wake
            return microseconds(1000000 - nowUs_ % 1000000 + stray);
        });
        schedule_.start(0, 1);
        runUntilUs(c.keeperStartUs);
        schedule_.start(5, c.intervalMs);
        runUntil(60000);
        const auto wakesAfter = [&](std::int64_t fromUs) {
            return std::count_if(wakes_.begin(), wakes_.end(),
                                 [&](std::int64_t w) { return w >= fromUs; });
        };
        // Its period holds on average: one firing per period, give or take the first.
        const int expected = (60000 - static_cast<int>(c.keeperStartUs / 1000)) / c.intervalMs;
        EXPECT_NEAR(count(5), expected, 1);
        const auto wakesBetween = wakesAfter(3100 * 1000) - wakesAfter(59500 * 1000);
        if (c.shared)
            EXPECT_EQ(wakesBetween, 56);  // the whole seconds 4 to 59
        else
            EXPECT_GT(wakesBetween, 56 + 30);
    }
}

TEST_F(TimerScheduleTest, aOneShotWholeSecondTimerFiresOnTimeBesideTheRound) {
    // LOG_TIMER fires once, a few milliseconds from a round: it neither waits nor hurries.
    for (const std::int64_t startMs : {994, 1005}) {
        SCOPED_TRACE(startMs);
        nowUs_ = 0;
        wakes_.clear();
        schedule_.stopAll();
        schedule_.setPacer([this] { return microseconds(1000000 - nowUs_ % 1000000); });
        schedule_.start(0, 1);
        runUntil(startMs);
        schedule_.start(6, 1000);
        onFire_ = [this](std::size_t t) {
            if (t == 6) schedule_.stop(6);
        };
        runUntil(startMs + 1000);
        EXPECT_EQ(wakes_.back(), (startMs + 1000) * 1000);
        EXPECT_EQ(count(6), 1);
        fired_.clear();
    }
}

}  // namespace
}  // namespace rzv
