// The program's message loop on Windows: window messages and the timers' one waitable timer,
// waited for together.
#pragma once

#include <windows.h>

#include <functional>

#include "gui/win32/waker.h"

namespace rzv {

// Runs the message loop until `finished()` says so or WM_QUIT comes (which a nested loop passes
// on to the outer one); returns the quit code, or 0. Keyboard messages for `dialog` and its
// controls go through IsDialogMessage: Tab, the arrow keys, Enter and Esc.
int runMessageLoop(Win32Waker& timers, HWND dialog,
                   const std::function<bool()>& finished = nullptr);

}  // namespace rzv
