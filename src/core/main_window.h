// The main window as data: every control's text, caption, tick and enabled state, the display's
// colour, the timers, the four whole numbers and the window's placement, each by its name.
//
// Reactions read and write this model only; the widgets follow it through MainWindowObserver,
// which hears of a change only when a value really changed, so a field rewritten with the same
// text costs no repaint.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/controls.h"
#include "platform/timer_service.h"
#include "platform/window_z_order.h"

namespace rzv {

class MainWindowObserver {
  public:
    virtual ~MainWindowObserver() = default;
    virtual void fieldChanged(Field) {}
    virtual void labelChanged(Label) {}
    virtual void buttonChanged(Button) {}
    virtual void tickboxChanged(Tickbox) {}  // its value or its enabled state
    virtual void displayColourChanged() {}
    virtual void placementChanged() {}
    virtual void closeRequested() {}
};

// Events that the model raises itself: a tickbox whose value changes, by a click or by a write.
class MainWindowEvents {
  public:
    virtual ~MainWindowEvents() = default;
    virtual void tickboxValueChanged(Tickbox) = 0;
    // The user clicked the tickbox; its change event follows.
    virtual void tickboxClicked(Tickbox) {}
    // The window system now shows, or no longer shows, value fields beyond the default size.
    virtual void valueFieldsInViewChanged() {}
};

// The window's outer edges and size in twips. A window system that neither places windows nor
// tells where they are (Wayland) leaves the position unknown: left and top are then only what
// was asked for, and saving them would replace a place the user chose with a guess.
struct Placement {
    float left, top, width, height;
    bool positionKnown = true;
};

class MainWindow {
  public:
    explicit MainWindow(TimerService& timers);
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    void setObserver(MainWindowObserver* observer) { observer_ = observer ? observer : &silent_; }
    void setEvents(MainWindowEvents* events) { events_ = events; }

    const std::string& text(Field f) const { return fields_[indexOf(f)]; }
    void setText(Field f, std::string_view text);

    const std::string& caption(Label l) const { return labels_[indexOf(l)]; }
    void setCaption(Label l, std::string_view caption);
    const std::string& caption(Button b) const { return buttons_[indexOf(b)]; }
    void setCaption(Button b, std::string_view caption);

    TickState value(Tickbox t) const { return tickboxes_[indexOf(t)].value; }
    // A change raises the tickbox's change event.
    void setValue(Tickbox t, TickState value);
    // The user's click: a ticked box is cleared, a clear or greyed one ticked.
    void click(Tickbox t);
    // Whether the user has clicked the tickbox since the window opened.
    bool clickedByUser(Tickbox t) const { return tickboxes_[indexOf(t)].clicked; }
    static constexpr TickState afterClick(TickState value) {
        return value == TickState::Ticked ? TickState::Clear : TickState::Ticked;
    }
    bool isEnabled(Tickbox t) const { return tickboxes_[indexOf(t)].enabled; }
    void setEnabled(Tickbox t, bool enabled);

    unsigned displayBackColour() const { return displayBackColour_; }
    void setDisplayBackColour(unsigned colour);

    int interval(Timer t) const { return timers_[indexOf(t)].intervalMs; }
    bool isEnabled(Timer t) const { return timers_[indexOf(t)].enabled; }
    // Re-timing does not enable; an enabled timer starts its new interval afresh.
    void setInterval(Timer t, int intervalMs);
    void enable(Timer t);
    void disable(Timer t);

    std::int32_t number(WholeNumber n) const { return numbers_[indexOf(n)]; }
    void setNumber(WholeNumber n, std::int32_t value) { numbers_[indexOf(n)] = value; }

    Placement placement() const { return placement_; }
    // Moves and sizes the window.
    void setPlacement(Placement placement);
    // The window system reports where the user has put the window.
    void notePlacement(Placement placement) { placement_ = placement; }

    // The window's native handle, for the always-on-top keeper.
    WindowHandle nativeHandle() const { return nativeHandle_; }
    void setNativeHandle(WindowHandle handle) { nativeHandle_ = handle; }

    // What the window system shows: whether value fields beyond the default size (which the
    // uptime timers rewrite as the count moves) are in view, and how long the screen keeps one
    // frame. The uptime timers wake no more often than a person can see a change.
    bool valueFieldsInView() const { return valueFieldsInView_; }
    void setValueFieldsInView(bool inView);
    int framePeriodMs() const { return framePeriodMs_; }
    void setFramePeriodMs(int periodMs) {
        framePeriodMs_ = periodMs > 0 ? periodMs : kFramePeriodMs;
    }
    static constexpr int kFramePeriodMs = 16;  // a 60 Hz screen, when the window system won't say

    // Asks the window system to close the window as the user's close does.
    void requestClose() { observer_->closeRequested(); }

    // A start asked to log once and close itself, whatever the stored options
    // (--log-and-close): the options it shows ticked are the user's only once clicked.
    bool logAndCloseStart() const { return logAndCloseStart_; }
    void setLogAndCloseStart(bool logAndClose) { logAndCloseStart_ = logAndClose; }
    // Whether the logging run under way has nobody to watch it: such a start's run, until the
    // user takes it over (START/STOP, Auto Start or Auto Close clicked).
    bool unattended() const { return unattended_; }
    void setUnattended(bool unattended) { unattended_ = unattended; }
    // The status the program ends with once its window has closed.
    int exitStatus() const { return exitStatus_; }
    void setExitStatus(int status) { exitStatus_ = status; }

  private:
    struct TickboxState {
        TickState value;
        bool enabled;
        bool clicked;
    };
    struct TimerState {
        int intervalMs;
        bool enabled;
    };

    void syncTimer(Timer t);

    TimerService& timerService_;
    MainWindowObserver silent_;
    MainWindowObserver* observer_ = &silent_;
    MainWindowEvents* events_ = nullptr;

    std::array<std::string, kFieldCount> fields_;
    std::array<std::string, kLabelCount> labels_;
    std::array<std::string, kButtonCount> buttons_;
    std::array<TickboxState, kTickboxCount> tickboxes_{};
    std::array<TimerState, kTimerCount> timers_{};
    std::array<std::int32_t, kWholeNumberCount> numbers_{};
    unsigned displayBackColour_ = kBlack;
    Placement placement_{};
    WindowHandle nativeHandle_ = 0;
    bool valueFieldsInView_ = false;
    int framePeriodMs_ = kFramePeriodMs;
    bool logAndCloseStart_ = false;
    bool unattended_ = false;
    int exitStatus_ = 0;
};

}  // namespace rzv
