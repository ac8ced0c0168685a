// The About window on Windows: modal, owned by the main window (disabled while it is open,
// its timers running in this window's loop), OK the default button (Enter), Esc closes it, a
// double-click on the credit line shows the contact address.
#pragma once

#include <windows.h>

#include "about/about_reactions.h"
#include "about/about_window_host.h"
#include "core/unload_once.h"
#include "gui/win32/brushes.h"
#include "gui/win32/child_controls.h"
#include "gui/win32/outer_placement.h"
#include "gui/win32/waker.h"

namespace rzv {

class Win32AboutDialog : public AboutWindowObserver {
  public:
    Win32AboutDialog(HWND owner, AboutWindow& model, AboutReactions& reactions, Win32Waker& timers);
    ~Win32AboutDialog() override;
    Win32AboutDialog(const Win32AboutDialog&) = delete;
    Win32AboutDialog& operator=(const Win32AboutDialog&) = delete;

    HWND handle() const { return window_; }
    bool isClosed() const { return window_ == nullptr; }
    void focusOk();
    // However it closes: the unload runs once, the owner takes the input back.
    void close();

    void labelChanged(AboutLabel l) override;
    void reportChanged() override;
    void placementChanged() override;
    void closeRequested() override { close(); }

  private:
    template <typename Window>
    friend LRESULT CALLBACK forwardToWindow(HWND, UINT, WPARAM, LPARAM);
    void attach(HWND window) { window_ = window; }
    LRESULT onMessage(UINT message, WPARAM w, LPARAM l);
    void onCommand(int id, int code);
    static std::size_t rowOf(ControlKind kind, std::size_t id);

    HWND owner_;
    AboutWindow& model_;
    AboutReactions& reactions_;
    Win32Waker& timers_;
    HWND window_ = nullptr;
    ChildControls controls_;
    Brushes brushes_;
    OuterPlacement placement_;
    UnloadOnce unload_;
};

class Win32AboutHost : public AboutWindowHost {
  public:
    explicit Win32AboutHost(Win32Waker& timers) : timers_(timers) {}
    void setOwner(HWND owner) { owner_ = owner; }
    void showModal(AboutWindow& window, AboutReactions& reactions) override;
    // Closes the window if it is open, as its title bar's close button does.
    void closeOpenWindow();

  private:
    Win32Waker& timers_;
    HWND owner_ = nullptr;
    Win32AboutDialog* open_ = nullptr;
};

}  // namespace rzv
