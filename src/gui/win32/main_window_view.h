// The main window on Windows: one native control per row of the layout table, at its designed
// place in twips for the window's DPI, kept in step with the model both ways. A control is
// touched only when its value changed, and a value field out of sight not until it comes into
// view. Out of view a control is hidden and no Tab stop; a screen reader names each text box by
// the caption made right before it (the shared caption table).
#pragma once

#include <windows.h>

#include <array>
#include <functional>
#include <string>

#include "core/main_window.h"
#include "core/unload_once.h"
#include "core/view_rules.h"
#include "gui/win32/brushes.h"
#include "gui/win32/child_controls.h"
#include "gui/win32/outer_placement.h"
#include "gui/win32/waker.h"

namespace rzv {

class Win32MainWindowView : public MainWindowObserver {
  public:
    struct Callbacks {
        std::function<void(Button)> click;
        std::function<void()> unload;                // runs once, when the window closes
        std::function<void()> closeOwned;            // closes an owned window that is open (About)
        std::function<std::string()> uptimeDetails;  // the display's tooltip, when it shows
    };

    Win32MainWindowView(MainWindow& model, Win32Waker& timers, Callbacks callbacks);
    ~Win32MainWindowView() override;
    Win32MainWindowView(const Win32MainWindowView&) = delete;
    Win32MainWindowView& operator=(const Win32MainWindowView&) = delete;

    HWND handle() const { return window_; }
    void show(int how);

    void fieldChanged(Field f) override;
    void labelChanged(Label l) override;
    void buttonChanged(Button b) override;
    void tickboxChanged(Tickbox t) override;
    void displayColourChanged() override;
    void placementChanged() override;
    void closeRequested() override;

  private:
    template <typename Window>
    friend LRESULT CALLBACK forwardToWindow(HWND, UINT, WPARAM, LPARAM);
    void attach(HWND window) { window_ = window; }
    LRESULT onMessage(UINT message, WPARAM w, LPARAM l);
    LRESULT onActivate(UINT message, WPARAM w, LPARAM l);
    void onCommand(int id, int code);
    LRESULT onColour(HDC dc, HWND child, UINT message, WPARAM w, LPARAM l);
    void placeControls(UINT dpi);
    void showWhatIsInView();
    void showField(Field f);
    void noteFramePeriod();
    void unloadOnce();
    void addUptimeTooltip();
    LRESULT onNotify(NMHDR* header);
    HWND handleOf(Field f) const { return controls_.handleOf(fieldRows_[indexOf(f)]); }

    MainWindow& model_;
    Win32Waker& timers_;
    Callbacks callbacks_;
    HWND window_ = nullptr;
    HWND line_ = nullptr;
    HWND tooltip_ = nullptr;
    std::wstring tooltipText_;  // what the tooltip shows, made when it asks
    HWND lastFocus_ = nullptr;
    ChildControls controls_;
    Brushes brushes_;
    OuterPlacement placement_;
    std::array<std::size_t, kFieldCount> fieldRows_{};
    std::array<std::size_t, kLabelCount> labelRows_{};
    std::array<std::size_t, kTickboxCount> tickboxRows_{};
    std::array<std::size_t, kButtonCount> buttonRows_{};
    // Fields written while out of sight; shown when they come into view.
    DeferredFields deferred_;
    UnloadOnce unload_;
};

}  // namespace rzv
