#include "gui/win32/waker.h"

#include <algorithm>

namespace rzv {
namespace {

// Missing from MinGW-w64's headers; Windows 10 1803 and later (and Wine) know it.
constexpr DWORD kHighResolutionTimer = 0x2;

// The waker of the user-interface thread, for the hook and the system timer.
thread_local Win32Waker* t_waker = nullptr;

}  // namespace

Win32Waker::Win32Waker() {
    timer_ = CreateWaitableTimerExW(nullptr, nullptr, kHighResolutionTimer, TIMER_ALL_ACCESS);
    if (!timer_) timer_ = CreateWaitableTimerExW(nullptr, nullptr, 0, TIMER_ALL_ACCESS);
    // The thread's first waker is the one its modal loops keep going.
    if (!t_waker) {
        t_waker = this;
        modalLoopHook_ =
            SetWindowsHookExW(WH_MSGFILTER, &onModalLoopMessage, nullptr, GetCurrentThreadId());
    }
}

Win32Waker::~Win32Waker() {
    leftModalLoop();
    if (modalLoopHook_) UnhookWindowsHookEx(modalLoopHook_);
    if (t_waker == this) t_waker = nullptr;
    if (timer_) CloseHandle(timer_);
}

LRESULT CALLBACK Win32Waker::onModalLoopMessage(int code, WPARAM w, LPARAM l) {
    // Menus, scroll bars, dialogs and message boxes hand each message they take to this hook.
    Win32Waker* waker = t_waker;
    if (code >= 0 && waker && reinterpret_cast<const MSG*>(l) != waker->ownDialogMessage_) {
        waker->enteredModalLoop();
        waker->serviceFromForeignLoop();
    }
    return CallNextHookEx(nullptr, code, w, l);
}

void CALLBACK Win32Waker::onModalLoopTimer(HWND, UINT, UINT_PTR, DWORD) {
    if (t_waker) t_waker->serviceFromForeignLoop();
}

void Win32Waker::enteredModalLoop() {
    if (!modalLoopTimer_)
        modalLoopTimer_ = SetTimer(nullptr, 0, USER_TIMER_MINIMUM, &onModalLoopTimer);
}

void Win32Waker::leftModalLoop() {
    if (!modalLoopTimer_) return;
    KillTimer(nullptr, modalLoopTimer_);
    modalLoopTimer_ = 0;
}

std::int64_t Win32Waker::nowMicros() {
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

void Win32Waker::wakeAt(std::optional<std::int64_t> moment) {
    if (moment == armedFor_) return;
    armedFor_ = moment;
    if (!moment) {
        CancelWaitableTimer(timer_);
        return;
    }
    // Relative, in 100 ns units; a moment already past fires at once.
    const std::int64_t wait = std::max<std::int64_t>(*moment - nowMicros(), 1);
    LARGE_INTEGER when;
    when.QuadPart = -wait * 10;
    SetWaitableTimer(timer_, &when, 0, nullptr, nullptr, FALSE);
}

void Win32Waker::wake() {
    armedFor_.reset();  // the one-shot has gone off: whatever comes next is set anew
    if (wake_) wake_();
}

void Win32Waker::serviceFromForeignLoop() {
    if (WaitForSingleObject(timer_, 0) == WAIT_OBJECT_0) wake();
}

}  // namespace rzv
