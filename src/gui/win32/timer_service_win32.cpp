#include "gui/win32/timer_service_win32.h"

#include <algorithm>

namespace rzv {
namespace {

// Missing from MinGW-w64's headers; Windows 10 1803 and later (and Wine) know it.
constexpr DWORD kHighResolutionTimer = 0x2;

}  // namespace

Win32TimerService::Win32TimerService() : schedule_([] { return nowMicros(); }) {
    timer_ = CreateWaitableTimerExW(nullptr, nullptr, kHighResolutionTimer, TIMER_ALL_ACCESS);
    highResolution_ = timer_ != nullptr;
    if (!timer_) timer_ = CreateWaitableTimerExW(nullptr, nullptr, 0, TIMER_ALL_ACCESS);
}

Win32TimerService::~Win32TimerService() {
    if (timer_) CloseHandle(timer_);
}

std::int64_t Win32TimerService::nowMicros() {
    static const std::int64_t frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return static_cast<std::int64_t>(f.QuadPart);
    }();
    LARGE_INTEGER count;
    QueryPerformanceCounter(&count);
    const std::int64_t c = count.QuadPart;
    return c / frequency * 1000000 + c % frequency * 1000000 / frequency;
}

void Win32TimerService::arm() {
    const std::optional<std::int64_t> due = schedule_.nextDue();
    if (due == armedFor_) return;
    armedFor_ = due;
    if (!due) {
        CancelWaitableTimer(timer_);
        return;
    }
    // Relative, in 100 ns units; a moment already past fires at once.
    const std::int64_t wait = std::max<std::int64_t>(*due - nowMicros(), 1);
    LARGE_INTEGER when;
    when.QuadPart = -wait * 10;
    SetWaitableTimer(timer_, &when, 0, nullptr, nullptr, FALSE);
}

void Win32TimerService::fireDue() {
    ++wakeUps_;
    armedFor_.reset();  // the one-shot has gone off (or is about to be set anew)
    schedule_.fireDue([this](std::size_t timer) {
        if (handler_) handler_(timer);
    });
}

void Win32TimerService::serviceFromForeignLoop() {
    arm();
    if (WaitForSingleObject(timer_, 0) == WAIT_OBJECT_0) fireDue();
    arm();
}

int runMessageLoop(Win32TimerService& timers, HWND dialog, const std::function<bool()>& finished) {
    const HANDLE timer = timers.waitHandle();
    for (;;) {
        if (finished && finished()) return 0;
        timers.arm();
        const DWORD woke =
            MsgWaitForMultipleObjectsEx(1, &timer, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        if (woke == WAIT_OBJECT_0) {
            timers.fireDue();
            continue;
        }
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                if (finished) PostQuitMessage(static_cast<int>(msg.wParam));  // for the outer loop
                return static_cast<int>(msg.wParam);
            }
            if (!dialog || !IsDialogMessageW(dialog, &msg)) {
                TranslateMessage(&msg);
                DispatchMessageW(&msg);
            }
            if (finished && finished()) return 0;
            // A steady stream of messages must not hold the timers back.
            if (WaitForSingleObject(timer, 0) == WAIT_OBJECT_0) timers.fireDue();
        }
    }
}

}  // namespace rzv
