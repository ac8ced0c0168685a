// What the program's two top-level windows share: their window class, the window procedure
// that hands each message to the object that made the window, and the messages they answer
// alike.
#pragma once

#include <windows.h>

#include "gui/win32/waker.h"

namespace rzv {

// Registers the class once per process: the program's icon, the dialog face, double-clicks.
void registerTopLevelClass(const wchar_t* name, UINT extraStyle, WNDPROC procedure);

// The window procedure of a window created with a Window object as its creation parameter: the
// object rides in the window's user data from WM_NCCREATE on (Window::attach) and answers every
// message (Window::onMessage); before and after it, the system's defaults do.
template <typename Window>
LRESULT CALLBACK forwardToWindow(HWND handle, UINT message, WPARAM w, LPARAM l) {
    if (message == WM_NCCREATE) {
        auto* window =
            static_cast<Window*>(reinterpret_cast<const CREATESTRUCTW*>(l)->lpCreateParams);
        window->attach(handle);
        SetWindowLongPtrW(handle, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(window));
    }
    auto* window = reinterpret_cast<Window*>(GetWindowLongPtrW(handle, GWLP_USERDATA));
    if (!window) return DefWindowProcW(handle, message, w, l);
    return window->onMessage(message, w, l);
}

// The window moved to a monitor of another DPI: it takes the rectangle the system suggests.
void takeSuggestedRectangle(HWND window, LPARAM suggested);

// While the system runs a loop of its own (moving, sizing, a menu), ours is held back: a system
// timer keeps the timer service going until it ends. True when `message` was one of these.
bool keepTimersThroughSystemLoops(HWND window, UINT message, WPARAM w, Win32Waker& timers);

// WM_NEXTDLGCTL, which the dialog manager's controls send to the window they are in as if it
// were a dialog. True when `message` was one.
bool moveFocusOnRequest(HWND window, UINT message, WPARAM w, LPARAM l);

}  // namespace rzv
