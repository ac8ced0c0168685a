#include "gui/win32/about_dialog.h"

#include "core/line_ends.h"
#include "gui/win32/dpi.h"
#include "gui/win32/message_loop.h"
#include "gui/win32/top_level_window.h"
#include "gui/win32/window_text.h"
#include "os/win32/wide_text.h"

namespace rzv {
namespace {

constexpr wchar_t kClassName[] = L"QV_ZIV_ABOUT";

}  // namespace

Win32AboutDialog::Win32AboutDialog(HWND owner, AboutWindow& model, AboutReactions& reactions,
                                   Win32Waker& timers)
    : owner_(owner), model_(model), reactions_(reactions), timers_(timers) {
    registerTopLevelClass(kClassName, 0, &forwardToWindow<Win32AboutDialog>);
    CreateWindowExW(WS_EX_DLGMODALFRAME, kClassName, widen(kAboutCaption).c_str(),
                    WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN, CW_USEDEFAULT,
                    CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr,
                    GetModuleHandleW(nullptr), this);
    // The caption under the log copy names it for a screen reader.
    ControlNaming naming;
    naming.captions.push_back(
        {rowOf(ControlKind::Label, indexOf(AboutLabel::OUTPUT_LOG_LABEL)),
         rowOf(ControlKind::Field, indexOf(AboutField::OUTPUT_REPORT_TEXTBOX))});
    controls_.create(window_, kAboutControls.data(), kAboutControls.size(), naming);
    controls_.place(dpiOf(window_));
    // OK is the default button: Enter presses it wherever the focus is.
    SendMessageW(controls_.handleOf(rowOf(ControlKind::Button, 0)), BM_SETSTYLE, BS_DEFPUSHBUTTON,
                 TRUE);
    model_.setObserver(this);
}

Win32AboutDialog::~Win32AboutDialog() {
    model_.setObserver(nullptr);
    if (window_) {
        // Left open by a quit of the whole program: no unload, the owner gets its input back.
        EnableWindow(owner_, TRUE);
        SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
        DestroyWindow(window_);
    }
}

std::size_t Win32AboutDialog::rowOf(ControlKind kind, std::size_t id) {
    return rowIn(kAboutControls.data(), kAboutControls.size(), kind, id);
}

void Win32AboutDialog::close() {
    if (!window_) return;
    unload_([this] {
        model_.notePlacement(placement_.current(window_));
        reactions_.unload();
    });
    // The owner first, so that it, not another program, becomes active.
    EnableWindow(owner_, TRUE);
    const HWND window = window_;
    window_ = nullptr;
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    DestroyWindow(window);
}

void Win32AboutDialog::focusOk() {
    SetFocus(controls_.handleOf(rowOf(ControlKind::Button, indexOf(AboutButton::OK_BUTTON))));
}

void Win32AboutDialog::labelChanged(AboutLabel l) {
    SetWindowTextW(controls_.handleOf(rowOf(ControlKind::Label, indexOf(l))),
                   widen(model_.caption(l)).c_str());
}

void Win32AboutDialog::reportChanged() {
    setTextIfChanged(controls_.handleOf(rowOf(ControlKind::Field, 0)),
                     widen(withCrLf(model_.report())));
}

void Win32AboutDialog::placementChanged() {
    placement_.apply(window_, model_.placement());
}

void Win32AboutDialog::onCommand(int id, int code) {
    if (id == IDCANCEL) return close();           // Esc
    if (id == IDOK) return reactions_.okClick();  // Enter
    const std::size_t row = controls_.rowOfId(id);
    if (row == controls_.size()) return;
    const ControlLayout& c = controls_.rowOf(row);
    if (c.kind == ControlKind::Button && code == BN_CLICKED) reactions_.okClick();
    if (c.kind == ControlKind::Label && c.id == indexOf(AboutLabel::CREATOR_TEXTBOX) &&
        code == STN_DBLCLK)
        reactions_.creatorDoubleClick();
}

LRESULT Win32AboutDialog::onMessage(UINT message, WPARAM w, LPARAM l) {
    if (keepTimersThroughSystemLoops(window_, message, w, timers_)) return 0;
    if (moveFocusOnRequest(window_, message, w, l)) return 0;
    switch (message) {
        case DM_GETDEFID:
            // OK is the default button: Enter presses it wherever the focus is.
            return MAKELRESULT(
                ChildControls::idOf(rowOf(ControlKind::Button, indexOf(AboutButton::OK_BUTTON))),
                DC_HASDEFID);
        case WM_COMMAND:
            onCommand(LOWORD(w), HIWORD(w));
            return 0;
        case WM_CTLCOLORSTATIC: {
            const std::size_t row = controls_.rowOfHandle(reinterpret_cast<HWND>(l));
            if (row < controls_.size())
                if (HBRUSH brush = colourLook(reinterpret_cast<HDC>(w), controls_.rowOf(row).look,
                                              kBlack, brushes_))
                    return reinterpret_cast<LRESULT>(brush);
            return DefWindowProcW(window_, message, w, l);
        }
        case WM_MOVE:
            // OK writes where the window is now, not where it opened.
            model_.notePlacement(placement_.current(window_));
            return 0;
        case WM_DPICHANGED:
            takeSuggestedRectangle(window_, l);
            placement_.fitClient(window_, HIWORD(w));  // the designed client, the new frame
            controls_.place(HIWORD(w));
            return 0;
        case WM_CLOSE:
            close();
            return 0;
        default:
            return DefWindowProcW(window_, message, w, l);
    }
}

void Win32AboutHost::showModal(AboutWindow& window, AboutReactions& reactions) {
    Win32AboutDialog about(owner_, window, reactions, timers_);
    open_ = &about;
    reactions.load();  // its place and size, and the copy of the latest record
    // Taken before the owner is disabled: a disabled window may lose its focus at once.
    const HWND lastFocus = GetFocus();
    EnableWindow(owner_, FALSE);
    ShowWindow(about.handle(), SW_SHOW);
    about.focusOk();  // first in the tab order: Enter and Space press it at once
    runMessageLoop(timers_, about.handle(), [&about] { return about.isClosed(); });
    open_ = nullptr;
    // However it closed, the control that had the focus has it again (a reader says where the
    // user is), unless the program is ending.
    if (lastFocus && IsWindow(lastFocus) && IsWindowVisible(lastFocus)) SetFocus(lastFocus);
}

void Win32AboutHost::closeOpenWindow() {
    if (open_) open_->close();
}

}  // namespace rzv
