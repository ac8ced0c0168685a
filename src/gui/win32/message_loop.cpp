#include "gui/win32/message_loop.h"

namespace rzv {

int runMessageLoop(Win32Waker& timers, HWND dialog, const std::function<bool()>& finished) {
    const HANDLE timer = timers.waitHandle();
    for (;;) {
        if (finished && finished()) return 0;
        timers.leftModalLoop();  // this loop has the control again: any modal loop has ended
        const DWORD woke =
            MsgWaitForMultipleObjectsEx(1, &timer, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        if (woke == WAIT_OBJECT_0) {
            timers.wake();
            continue;
        }
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                if (finished) PostQuitMessage(static_cast<int>(msg.wParam));  // for the outer loop
                return static_cast<int>(msg.wParam);
            }
            timers.noteOwnDialogMessage(&msg);
            const bool forDialog = dialog && IsDialogMessageW(dialog, &msg);
            timers.noteOwnDialogMessage(nullptr);
            if (!forDialog) {
                TranslateMessage(&msg);
                DispatchMessageW(&msg);
            }
            if (finished && finished()) return 0;
            // A steady stream of messages must not hold the timers back.
            if (WaitForSingleObject(timer, 0) == WAIT_OBJECT_0) timers.wake();
        }
    }
}

}  // namespace rzv
