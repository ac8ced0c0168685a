// When the Windows timers fire: the real service with its waitable timer in the message loop
// (the schedule it asks is tested on a clock of the test's own in tests/unit).
#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "gui/win32/timer_service_win32.h"

namespace rzv {
namespace {

// The real service in the real loop: a paced round waits for the pacer, not for the next
// millisecond, and still fires its timers in number order.
TEST(Win32TimerService, pacedRoundsWaitInTheMessageLoop) {
    Win32TimerService timers;
    std::vector<std::size_t> fired;
    int slowFirings = 0;
    timers.setPacer([] { return std::chrono::milliseconds(10); });
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

}  // namespace
}  // namespace rzv
