#include "gui/win32/timer_service.h"

#include <algorithm>

namespace rzv {
namespace {

// Missing from MinGW-w64's headers; Windows 10 1803 and later (and Wine) know it.
constexpr DWORD kHighResolutionTimer = 0x2;

// The service of the user-interface thread, for the hook and the system timer.
thread_local Win32TimerService* t_service = nullptr;

}  // namespace

Win32TimerService::Win32TimerService() : schedule_([] { return nowMicros(); }) {
    timer_ = CreateWaitableTimerExW(nullptr, nullptr, kHighResolutionTimer, TIMER_ALL_ACCESS);
    if (!timer_) timer_ = CreateWaitableTimerExW(nullptr, nullptr, 0, TIMER_ALL_ACCESS);
    // The thread's first service is the one its modal loops keep going.
    if (!t_service) {
        t_service = this;
        modalLoopHook_ =
            SetWindowsHookExW(WH_MSGFILTER, &onModalLoopMessage, nullptr, GetCurrentThreadId());
    }
}

Win32TimerService::~Win32TimerService() {
    leftModalLoop();
    if (modalLoopHook_) UnhookWindowsHookEx(modalLoopHook_);
    if (t_service == this) t_service = nullptr;
    if (timer_) CloseHandle(timer_);
}

LRESULT CALLBACK Win32TimerService::onModalLoopMessage(int code, WPARAM w, LPARAM l) {
    // Menus, scroll bars, dialogs and message boxes hand each message they take to this hook.
    Win32TimerService* service = t_service;
    if (code >= 0 && service && reinterpret_cast<const MSG*>(l) != service->ownDialogMessage_) {
        service->enteredModalLoop();
        service->serviceFromForeignLoop();
    }
    return CallNextHookEx(nullptr, code, w, l);
}

void CALLBACK Win32TimerService::onModalLoopTimer(HWND, UINT, UINT_PTR, DWORD) {
    if (t_service) t_service->serviceFromForeignLoop();
}

void Win32TimerService::enteredModalLoop() {
    if (!modalLoopTimer_)
        modalLoopTimer_ = SetTimer(nullptr, 0, USER_TIMER_MINIMUM, &onModalLoopTimer);
}

void Win32TimerService::leftModalLoop() {
    if (!modalLoopTimer_) return;
    KillTimer(nullptr, modalLoopTimer_);
    modalLoopTimer_ = 0;
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

}  // namespace rzv
