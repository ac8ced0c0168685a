// When the Windows timers fire: the schedule on a clock the test moves, and the real service
// with its waitable timer in the message loop.
#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "gui/win32/timer_schedule.h"
#include "gui/win32/timer_service_win32.h"

namespace rzv {
namespace {

class TimerScheduleTest : public ::testing::Test {
  protected:
    std::int64_t nowUs_ = 0;
    TimerSchedule schedule_{[this] { return nowUs_; }};
    std::vector<std::size_t> fired_;
    std::function<void(std::size_t)> onFire_;

    // Moves the clock to each moment the schedule asks for, up to `ms`, firing what is due.
    void runUntil(std::int64_t ms) {
        while (auto due = schedule_.nextDue()) {
            if (*due > ms * 1000) break;
            nowUs_ = std::max(nowUs_, *due);
            schedule_.fireDue([this](std::size_t t) {
                fired_.push_back(t);
                if (onFire_) onFire_(t);
            });
        }
        nowUs_ = ms * 1000;
    }
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

TEST_F(TimerScheduleTest, aTimerStoppedByAnEarlierOneOfItsRoundDoesNotFire) {
    for (std::size_t t : {0u, 1u, 2u}) schedule_.start(t, 1);
    onFire_ = [this](std::size_t t) {
        if (t == 0) schedule_.stop(2);
    };
    runUntil(5);
    EXPECT_EQ(count(2), 0);
    EXPECT_EQ(count(1), 5);
}

TEST_F(TimerScheduleTest, thePacerSetsTheWaitAfterEachRoundWithinItsBounds) {
    struct Case {
        int pace;          // what the pacer answers
        int roundsIn3000;  // rounds in 3 s: the first at 1 ms, then one per pace
    };
    const Case cases[] = {{0, 3000}, {1, 3000}, {250, 12}, {1000, 3}, {60000, 3}};
    for (const auto& c : cases) {
        TimerSchedule schedule([this] { return nowUs_; });
        nowUs_ = 0;
        schedule.setPacer([&c] { return c.pace; });
        schedule.start(0, 1);
        int rounds = 0;
        while (auto due = schedule.nextDue()) {
            if (*due > 3000 * 1000) break;
            nowUs_ = *due;
            schedule.fireDue([&](std::size_t) { ++rounds; });
        }
        EXPECT_EQ(rounds, c.roundsIn3000) << "pace " << c.pace;
    }
}

TEST_F(TimerScheduleTest, aNewPacerReplansTheWaitingRound) {
    schedule_.start(0, 1);  // the first round is due at 1 ms...
    schedule_.setPacer([] { return 1000; });
    EXPECT_EQ(schedule_.nextDue(), 1000 * 1000);  // ...until the pacer says otherwise
    runUntil(1000);
    EXPECT_EQ(schedule_.nextDue(), 2000 * 1000);
    nowUs_ = 500 * 1000;
    schedule_.setPacer([] { return 20; });
    EXPECT_EQ(schedule_.nextDue(), 520 * 1000);
}

TEST_F(TimerScheduleTest, longerTimersKeepTheirPeriodAndSkipWhatTheyMissed) {
    schedule_.start(7, 1000);
    runUntil(999);
    EXPECT_EQ(count(7), 0);
    runUntil(1000);
    EXPECT_EQ(count(7), 1);
    // The loop was held up for 2.5 s: one late firing, and a whole period from there.
    nowUs_ = 3500 * 1000;
    schedule_.fireDue([this](std::size_t t) { fired_.push_back(t); });
    EXPECT_EQ(count(7), 2);
    EXPECT_EQ(schedule_.nextDue(), 4500 * 1000);
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

TEST_F(TimerScheduleTest, nothingRunningMeansNoWake) {
    EXPECT_FALSE(schedule_.nextDue());
    schedule_.start(0, 1);
    schedule_.start(9, 500);
    schedule_.stop(0);
    EXPECT_EQ(schedule_.nextDue(), 500 * 1000);
    schedule_.stopAll();
    EXPECT_FALSE(schedule_.nextDue());
}

// The real service in the real loop: a paced round waits for the pacer, not for the next
// millisecond, and still fires its timers in number order.
TEST(Win32TimerService, pacedRoundsWaitInTheMessageLoop) {
    Win32TimerService timers;
    std::vector<std::size_t> fired;
    int slowFirings = 0;
    timers.setPacer([] { return 10; });
    timers.setFireHandler([&](std::size_t t) {
        fired.push_back(t);
        if (t == 7 && ++slowFirings == 3) PostQuitMessage(0);
    });
    for (std::size_t t : {2u, 0u, 1u}) timers.start(t, 1);
    timers.start(7, 50);
    runMessageLoop(timers, nullptr);
    std::map<std::size_t, int> counts;
    for (std::size_t t : fired) ++counts[t];
    // 150 ms at one round per 10 ms; unpaced it would be about 150 rounds.
    EXPECT_LE(counts[0], 17);
    EXPECT_GE(counts[0], 3);
    EXPECT_EQ(counts[0], counts[2]);
    for (std::size_t i = 0; i + 2 < fired.size(); ++i)
        if (fired[i] == 0) {
            EXPECT_EQ(fired[i + 1], 1u);
            EXPECT_EQ(fired[i + 2], 2u);
        }
}

HWND modalBox() {
    return FindWindowW(L"#32770", L"RZV modal loop");
}

void closeBox() {
    if (const HWND box = modalBox()) PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
}

// A modal loop of the system's (here a message box; a control's menu and scroll bar run the same
// kind) never waits for the program's timer: the timers must fire inside it all the same.
TEST(Win32TimerService, timersFireInsideTheSystemsModalLoops) {
    // Counted from the moment the box is up: a fresh Wine prefix may take seconds to make the
    // box's fonts ready, and no loop runs meanwhile.
    int firings = 0;
    ULONGLONG boxUp = 0;
    Win32TimerService timers;
    timers.setFireHandler([&](std::size_t) {
        if (!modalBox()) return;
        if (boxUp == 0) boxUp = GetTickCount64();
        if (++firings == 8) closeBox();
    });
    timers.start(0, 50);
    // Closes the box in any case; the system's own timers do run in its loop.
    const UINT_PTR safetyNet =
        SetTimer(nullptr, 0, 30000, [](HWND, UINT, UINT_PTR, DWORD) { closeBox(); });
    MessageBoxW(nullptr, L"The program's timers run while this box is open.", L"RZV modal loop",
                MB_OK);
    const auto closed = GetTickCount64();
    KillTimer(nullptr, safetyNet);
    EXPECT_GE(firings, 8);
    ASSERT_NE(boxUp, 0u) << "no timer fired while the box was open";
    EXPECT_LT(closed - boxUp, 2500u);
}

}  // namespace
}  // namespace rzv
