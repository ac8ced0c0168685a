#include "gui/win32/main_window_view.h"

#include <commctrl.h>

#include "core/caption_links.h"
#include "core/line_ends.h"
#include "gui/win32/dpi.h"
#include "gui/win32/top_level_window.h"
#include "gui/win32/window_text.h"
#include "os/win32/wide_text.h"

namespace rzv {
namespace {

constexpr wchar_t kClassName[] = L"QV_ZIV_MAIN";

std::size_t rowOf(ControlKind kind, std::size_t id) {
    return rowIn(kMainWindowControls.data(), kMainWindowControls.size(), kind, id);
}

// The captions of the shared table; the record's box has none beside it and is named as the
// About window's caption names its copy.
ControlNaming naming() {
    ControlNaming naming;
    for (const CaptionLink& link : kCaptionLinks)
        naming.captions.push_back(
            {rowOf(ControlKind::Label, indexOf(link.caption)), rowOf(link.kind, link.id)});
    naming.names.emplace_back(rowOf(ControlKind::Field, indexOf(Field::OUTPUT_REPORT_TEXTBOX)),
                              "Output Log");
    return naming;
}

}  // namespace

Win32MainWindowView::Win32MainWindowView(MainWindow& model, Win32Waker& timers, Callbacks callbacks)
    : model_(model), timers_(timers), callbacks_(std::move(callbacks)) {
    for (std::size_t row = 0; row < kMainWindowControls.size(); ++row) {
        const ControlLayout& c = kMainWindowControls[row];
        switch (c.kind) {
            case ControlKind::Field:
                fieldRows_[c.id] = row;
                break;
            case ControlKind::Label:
                labelRows_[c.id] = row;
                break;
            case ControlKind::Tickbox:
                tickboxRows_[c.id] = row;
                break;
            case ControlKind::Button:
                buttonRows_[c.id] = row;
                break;
        }
    }
    registerTopLevelClass(kClassName, CS_HREDRAW | CS_VREDRAW,
                          &forwardToWindow<Win32MainWindowView>);
    CreateWindowExW(0, kClassName, widen(kWindowCaption).c_str(),
                    WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, CW_USEDEFAULT, CW_USEDEFAULT,
                    CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, GetModuleHandleW(nullptr),
                    this);
    controls_.create(window_, kMainWindowControls.data(), kMainWindowControls.size(), naming());
    line_ = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_ETCHEDVERT, 0, 0, 0, 0,
                            window_, nullptr, GetModuleHandleW(nullptr), nullptr);
    for (std::size_t t = 0; t < kTickboxCount; ++t) tickboxChanged(static_cast<Tickbox>(t));
    addUptimeTooltip();
    placeControls(dpiOf(window_));
    model_.setObserver(this);
}

// Asks for its text each time it shows (LPSTR_TEXTCALLBACK): the details are made only then.
void Win32MainWindowView::addUptimeTooltip() {
    if (!callbacks_.uptimeDetails) return;
    // Owned by no window: asked to put a window that owns a popup into the always-on-top band,
    // Wine puts it right below that popup instead, out of the band.
    tooltip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                               WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
    if (!tooltip_) return;
    TOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = window_;
    tool.uId = reinterpret_cast<UINT_PTR>(handleOf(Field::QV_UPTIME_DISPLAY_TEXTBOX));
    tool.lpszText = LPSTR_TEXTCALLBACKW;
    SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    // A width lets the lines break where the text breaks them.
    SendMessageW(tooltip_, TTM_SETMAXTIPWIDTH, 0, 800);
}

LRESULT Win32MainWindowView::onNotify(NMHDR* header) {
    if (header->hwndFrom != tooltip_ || header->code != TTN_GETDISPINFOW) return 0;
    tooltipText_ = widen(withCrLf(callbacks_.uptimeDetails()));
    reinterpret_cast<NMTTDISPINFOW*>(header)->lpszText = tooltipText_.data();
    return 0;
}

Win32MainWindowView::~Win32MainWindowView() {
    model_.setObserver(nullptr);
    if (tooltip_) DestroyWindow(tooltip_);
    if (window_) {
        SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
        DestroyWindow(window_);
    }
}

void Win32MainWindowView::show(int how) {
    ShowWindow(window_, how);
    UpdateWindow(window_);
    SetFocus(controls_.handleOf(buttonRows_[indexOf(Button::START_STOP_BUTTON)]));
    showWhatIsInView();
}

void Win32MainWindowView::placeControls(UINT dpi) {
    controls_.place(dpi);
    noteFramePeriod();
    SetWindowPos(line_, nullptr, pixelsOf(kLine1X, dpi) - 1, pixelsOf(kLine1Top, dpi), 2,
                 pixelsOf(kLine1Bottom - kLine1Top, dpi), SWP_NOZORDER | SWP_NOACTIVATE);
    showWhatIsInView();
}

void Win32MainWindowView::showWhatIsInView() {
    RECT client;
    GetClientRect(window_, &client);
    // Out of view a control is out of reach too: hidden, and no Tab stop for the dialog manager
    // or a reader. It keeps its place in the z order for when it comes back.
    auto showIfInView = [&](HWND child, bool tabStop) {
        RECT r;
        GetWindowRect(child, &r);
        MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&r), 2);
        const bool inView = isInView({r.left, r.top, r.right, r.bottom}, client.right - client.left,
                                     client.bottom - client.top);
        const LONG_PTR style = GetWindowLongPtrW(child, GWL_STYLE);
        if (inView == ((style & WS_VISIBLE) != 0)) return;
        if (tabStop)
            SetWindowLongPtrW(child, GWL_STYLE, inView ? style | WS_TABSTOP : style & ~WS_TABSTOP);
        ShowWindow(child, inView ? SW_SHOWNA : SW_HIDE);
    };
    for (std::size_t row = 0; row < controls_.size(); ++row)
        showIfInView(controls_.handleOf(row), controls_.rowOf(row).focus != kNoFocus);
    showIfInView(line_, false);
    deferred_.catchUp([this](Field f) { return IsWindowVisible(handleOf(f)) != 0; },
                      [this](Field f) { showField(f); });
    model_.setValueFieldsInView(valueFieldsInView(
        [this](Field f) { return (GetWindowLongPtrW(handleOf(f), GWL_STYLE) & WS_VISIBLE) != 0; }));
}

void Win32MainWindowView::noteFramePeriod() {
    // The refresh rate of the monitor the window is on.
    const HDC dc = GetDC(window_);
    const int hertz = dc ? GetDeviceCaps(dc, VREFRESH) : 0;
    if (dc) ReleaseDC(window_, dc);
    model_.setFramePeriodMs(framePeriodMsAt(hertz));
}

void Win32MainWindowView::showField(Field f) {
    deferred_.shown(f);
    setTextIfChanged(handleOf(f), widen(withCrLf(model_.text(f))));
}

void Win32MainWindowView::fieldChanged(Field f) {
    if (deferred_.showNow(f, IsWindowVisible(handleOf(f)) != 0)) showField(f);
}

void Win32MainWindowView::labelChanged(Label l) {
    const HWND label = controls_.handleOf(labelRows_[indexOf(l)]);
    SetWindowTextW(label, widen(model_.caption(l)).c_str());
}

void Win32MainWindowView::buttonChanged(Button b) {
    SetWindowTextW(controls_.handleOf(buttonRows_[indexOf(b)]), widen(model_.caption(b)).c_str());
}

void Win32MainWindowView::tickboxChanged(Tickbox t) {
    const HWND box = controls_.handleOf(tickboxRows_[indexOf(t)]);
    const TickState value = model_.value(t);
    const WPARAM state = value == TickState::Ticked   ? BST_CHECKED
                         : value == TickState::Greyed ? BST_INDETERMINATE
                                                      : BST_UNCHECKED;
    if (SendMessageW(box, BM_GETCHECK, 0, 0) != static_cast<LRESULT>(state))
        SendMessageW(box, BM_SETCHECK, state, 0);
    if ((IsWindowEnabled(box) != 0) != model_.isEnabled(t)) EnableWindow(box, model_.isEnabled(t));
}

void Win32MainWindowView::displayColourChanged() {
    InvalidateRect(handleOf(Field::QV_UPTIME_DISPLAY_TEXTBOX), nullptr, TRUE);
}

void Win32MainWindowView::placementChanged() {
    placement_.apply(window_, model_.placement());
}

void Win32MainWindowView::closeRequested() {
    // An owned window open at that moment (the modal About window) closes first, as by its own
    // close button, so its unload runs and its loop ends.
    if (callbacks_.closeOwned) callbacks_.closeOwned();
    if (window_) SendMessageW(window_, WM_CLOSE, 0, 0);
}

void Win32MainWindowView::unloadOnce() {
    unload_([this] {
        model_.notePlacement(placement_.current(window_));
        if (callbacks_.unload) callbacks_.unload();
    });
}

void Win32MainWindowView::onCommand(int id, int code) {
    const std::size_t row = controls_.rowOfId(id);
    if (row == controls_.size() || code != BN_CLICKED) return;
    const ControlLayout& c = controls_.rowOf(row);
    if (c.kind == ControlKind::Button) {
        if (callbacks_.click) callbacks_.click(static_cast<Button>(c.id));
    } else if (c.kind == ControlKind::Tickbox) {
        model_.click(static_cast<Tickbox>(c.id));  // the box shows the model's answer
    }
}

LRESULT Win32MainWindowView::onColour(HDC dc, HWND child, UINT message, WPARAM w, LPARAM l) {
    const std::size_t row = controls_.rowOfHandle(child);
    if (row < controls_.size()) {
        const ControlLayout& c = controls_.rowOf(row);
        const bool display =
            c.kind == ControlKind::Field && c.id == indexOf(Field::QV_UPTIME_DISPLAY_TEXTBOX);
        const unsigned back = display ? model_.displayBackColour() : kBlack;
        if (HBRUSH brush = colourLook(dc, c.look, back, brushes_))
            return reinterpret_cast<LRESULT>(brush);
    }
    return DefWindowProcW(window_, message, w, l);
}

// The control that had the focus when the window went inactive (About opening, another
// program) has it again when the window comes back.
LRESULT Win32MainWindowView::onActivate(UINT message, WPARAM w, LPARAM l) {
    if (LOWORD(w) == WA_INACTIVE) {
        const HWND focus = GetFocus();
        if (focus && IsChild(window_, focus)) lastFocus_ = focus;
    } else if (lastFocus_ && IsWindowVisible(lastFocus_) && IsWindowEnabled(lastFocus_)) {
        SetFocus(lastFocus_);
        return 0;
    }
    return DefWindowProcW(window_, message, w, l);
}

LRESULT Win32MainWindowView::onMessage(UINT message, WPARAM w, LPARAM l) {
    if (keepTimersThroughSystemLoops(window_, message, w, timers_)) return 0;
    if (moveFocusOnRequest(window_, message, w, l)) return 0;
    switch (message) {
        case WM_COMMAND:
            onCommand(LOWORD(w), HIWORD(w));
            return 0;
        case WM_NOTIFY:
            return onNotify(reinterpret_cast<NMHDR*>(l));
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLOREDIT:
            return onColour(reinterpret_cast<HDC>(w), reinterpret_cast<HWND>(l), message, w, l);
        case WM_SIZE:
            showWhatIsInView();
            return 0;
        case WM_DPICHANGED:
            takeSuggestedRectangle(window_, l);
            placement_.fitClient(window_, HIWORD(w));  // the designed client, the new frame
            placeControls(HIWORD(w));
            return 0;
        case WM_ACTIVATE:
            return onActivate(message, w, l);
        case WM_QUERYENDSESSION:
            return TRUE;
        case WM_ENDSESSION:
            // The session ends: save as the close button does, then go.
            if (w) closeRequested();
            return 0;
        case WM_CLOSE:
            unloadOnce();
            DestroyWindow(window_);
            return 0;
        case WM_DESTROY:
            // From here on the window's last messages go to the system alone.
            SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
            window_ = nullptr;
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcW(window_, message, w, l);
    }
}

}  // namespace rzv
