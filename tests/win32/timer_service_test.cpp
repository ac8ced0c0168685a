// When the Windows timers fire: the schedule woken by the real waker, its waitable timer in the
// message loop (the schedule itself is tested on a clock of the test's own in tests/unit).
#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "gui/win32/message_loop.h"
#include "gui/win32/waker.h"
#include "timing/timer_schedule.h"

namespace rzv {
namespace {

// The real waker in the real loop: a paced round waits for the pacer, not for the next
// millisecond, and still fires its timers in number order.
TEST(Win32Waker, pacedRoundsWaitInTheMessageLoop) {
    Win32Waker waker;
    TimerSchedule timers(&Win32Waker::nowMicros, waker);
    std::vector<std::size_t> fired;
    int slowFirings = 0;
    timers.setPacer([] { return std::chrono::milliseconds(10); });
    timers.setFireHandler([&](std::size_t t) {
        fired.push_back(t);
        if (t == 7 && ++slowFirings == 3) PostQuitMessage(0);
    });
    for (std::size_t t : {2u, 0u, 1u}) timers.start(t, 1);
    timers.start(7, 50);
    runMessageLoop(waker, nullptr);
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
TEST(Win32Waker, timersFireInsideTheSystemsModalLoops) {
    // Counted from the moment the box is up: a fresh Wine prefix may take seconds to make the
    // box's fonts ready, and no loop runs meanwhile.
    int firings = 0;
    ULONGLONG boxUp = 0;
    Win32Waker waker;
    TimerSchedule timers(&Win32Waker::nowMicros, waker);
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
