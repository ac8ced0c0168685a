// Wakes the program's timers from the Win32 message loop: one waitable timer, set one-shot to
// the moment asked for (high resolution where the system offers it), waited for by the message
// loop together with the window messages. Windows' own SetTimer is 10-16 ms coarse and is not
// used for the program's timers.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>

#include "platform/waker.h"

namespace rzv {

class Win32Waker : public Waker {
  public:
    Win32Waker();
    ~Win32Waker() override;
    Win32Waker(const Win32Waker&) = delete;
    Win32Waker& operator=(const Win32Waker&) = delete;

    // The timers' clock: the performance counter in microseconds.
    static std::int64_t nowMicros();

    void setWake(Wake wake) override { wake_ = std::move(wake); }
    void wakeAt(std::optional<std::int64_t> moment) override;

    // For the message loop: the handle that is signalled at the moment asked for, and the wake.
    HANDLE waitHandle() const { return timer_; }
    void wake();
    // From a WM_TIMER of a system loop that is not ours (a window being moved or sized, a
    // menu): wakes the timers if their moment has come.
    void serviceFromForeignLoop();
    // A modal loop of the system's runs on this thread (a control's menu or scroll bar, a
    // message box, a dialog): it never waits for our timer, so a system timer wakes it until
    // our loop has the control again (leftModalLoop). Every message that loop takes also
    // wakes the timers whose moment has come.
    void enteredModalLoop();
    void leftModalLoop();
    // For the message loop: the message it hands to the dialog manager is its own, not a
    // modal loop's.
    void noteOwnDialogMessage(const MSG* message) { ownDialogMessage_ = message; }

  private:
    static LRESULT CALLBACK onModalLoopMessage(int code, WPARAM w, LPARAM l);
    static void CALLBACK onModalLoopTimer(HWND, UINT, UINT_PTR, DWORD);

    HANDLE timer_ = nullptr;
    std::optional<std::int64_t> armedFor_;
    Wake wake_;
    // The message filter hook that sees every modal loop of this thread, and the system timer
    // that wakes them.
    HHOOK modalLoopHook_ = nullptr;
    UINT_PTR modalLoopTimer_ = 0;
    const MSG* ownDialogMessage_ = nullptr;
};

}  // namespace rzv
