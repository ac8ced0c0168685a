// The program's timers on Windows: one waitable timer, set one-shot to the next moment a timer
// falls due (high resolution where the system offers it), waited for by the message loop
// together with the window messages. Windows' own SetTimer is 10-16 ms coarse and is not used
// for the program's timers.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "platform/timer_service.h"
#include "timing/timer_schedule.h"

namespace rzv {

class Win32TimerService : public TimerService {
  public:
    Win32TimerService();
    ~Win32TimerService() override;
    Win32TimerService(const Win32TimerService&) = delete;
    Win32TimerService& operator=(const Win32TimerService&) = delete;

    void setFireHandler(FireHandler handler) override { handler_ = std::move(handler); }
    void start(std::size_t timer, int intervalMs) override { schedule_.start(timer, intervalMs); }
    void stop(std::size_t timer) override { schedule_.stop(timer); }
    void stopAll() override { schedule_.stopAll(); }
    // After each round of the 1 ms timers, how long until the next (1 us to 1 s).
    void setPacer(Pacer timeToNextRound) override {
        schedule_.setPacer(std::move(timeToNextRound));
    }

    // For the message loop: the handle that is signalled when a timer is due, set from the
    // schedule before each wait, and the firing of what is due.
    HANDLE waitHandle() const { return timer_; }
    void arm();
    void fireDue();
    // From a WM_TIMER of a system loop that is not ours (a window being moved or sized, a
    // menu): fires what is due and sets the wait for the next.
    void serviceFromForeignLoop();
    // A modal loop of the system's runs on this thread (a control's menu or scroll bar, a
    // message box, a dialog): it never waits for our timer, so a system timer wakes it until
    // our loop has the control again (leftModalLoop). Every message that loop takes also
    // fires what is due.
    void enteredModalLoop();
    void leftModalLoop();
    // For the message loop: the message it hands to the dialog manager is its own, not a
    // modal loop's.
    void noteOwnDialogMessage(const MSG* message) { ownDialogMessage_ = message; }

    // How often each timer fired, for measurements.
    std::uint64_t firesOf(std::size_t timer) const { return schedule_.firesOf(timer); }
    // Wake-ups of the message loop for timers, for measurements.
    std::uint64_t wakeUps() const { return wakeUps_; }

  private:
    static std::int64_t nowMicros();
    static LRESULT CALLBACK onModalLoopMessage(int code, WPARAM w, LPARAM l);
    static void CALLBACK onModalLoopTimer(HWND, UINT, UINT_PTR, DWORD);

    TimerSchedule schedule_;
    HANDLE timer_ = nullptr;
    std::optional<std::int64_t> armedFor_;
    FireHandler handler_;
    std::uint64_t wakeUps_ = 0;
    // The message filter hook that sees every modal loop of this thread, and the system timer
    // that wakes them.
    HHOOK modalLoopHook_ = nullptr;
    UINT_PTR modalLoopTimer_ = 0;
    const MSG* ownDialogMessage_ = nullptr;
};

}  // namespace rzv
