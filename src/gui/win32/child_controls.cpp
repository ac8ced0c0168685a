#include "gui/win32/child_controls.h"

#include <algorithm>
#include <string>

#include "core/line_ends.h"
#include "gui/win32/dpi.h"
#include "os/win32/wide_text.h"

namespace rzv {

namespace {

struct ControlClass {
    const wchar_t* name;
    DWORD style;
    DWORD exStyle;
};

ControlClass classOf(const ControlLayout& c) {
    const DWORD tab = c.focus != kNoFocus ? WS_TABSTOP : 0;
    switch (c.kind) {
        case ControlKind::Label:
            // SS_NOTIFY: a double-click on a label is heard (the About window's credit line).
            return {L"STATIC", SS_LEFT | SS_NOPREFIX | SS_NOTIFY, 0};
        case ControlKind::Field:
            if (c.multiLine)
                return {L"EDIT",
                        tab | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | ES_AUTOHSCROLL |
                            WS_VSCROLL | WS_HSCROLL,
                        WS_EX_CLIENTEDGE};
            return {L"EDIT",
                    tab | ES_READONLY | ES_AUTOHSCROLL | (c.look == Look::Display ? ES_CENTER : 0),
                    WS_EX_CLIENTEDGE};
        case ControlKind::Tickbox:
            // Three states: a value of 2 from the store shows a dimmed tick. Clicks are ours.
            return {L"BUTTON", tab | BS_3STATE | BS_MULTILINE, 0};
        case ControlKind::Button:
            return {L"BUTTON", tab | BS_PUSHBUTTON, 0};
    }
    return {L"STATIC", 0, 0};
}

// A multi-line box leaves Tab, Enter and Esc to the dialog manager, as a single-line one does:
// Tab and Shift+Tab move on, Enter presses the default button, and Esc is the window's to
// answer. Left to itself the box keeps them all, and closes the window it is in on Esc.
constexpr wchar_t kBoxProcedure[] = L"RZV.BoxProcedure";

LRESULT CALLBACK multiLineBoxProcedure(HWND box, UINT message, WPARAM w, LPARAM l) {
    const auto original = reinterpret_cast<WNDPROC>(GetPropW(box, kBoxProcedure));
    if (!original) return DefWindowProcW(box, message, w, l);
    if (message == WM_GETDLGCODE) {
        LRESULT code = CallWindowProcW(original, box, message, w, l);
        const MSG* key = reinterpret_cast<const MSG*>(l);
        if (key && (key->message == WM_KEYDOWN || key->message == WM_CHAR) &&
            (key->wParam == VK_TAB || key->wParam == VK_RETURN || key->wParam == VK_ESCAPE))
            code &= ~static_cast<LRESULT>(DLGC_WANTALLKEYS | DLGC_WANTMESSAGE | DLGC_WANTTAB);
        return code;
    }
    if ((message == WM_KEYDOWN || message == WM_CHAR) && w == VK_ESCAPE) return 0;
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(box, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
        RemovePropW(box, kBoxProcedure);
    }
    return CallWindowProcW(original, box, message, w, l);
}

void leaveKeysToTheDialogManager(HWND box) {
    const LONG_PTR original = GetWindowLongPtrW(box, GWLP_WNDPROC);
    if (original && SetPropW(box, kBoxProcedure, reinterpret_cast<HANDLE>(original)))
        SetWindowLongPtrW(box, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&multiLineBoxProcedure));
}

}  // namespace

std::size_t rowIn(const ControlLayout* table, std::size_t count, ControlKind kind, std::size_t id) {
    for (std::size_t row = 0; row < count; ++row)
        if (table[row].kind == kind && table[row].id == id) return row;
    return count;
}

void ChildControls::create(HWND parent, const ControlLayout* table, std::size_t count,
                           const ControlNaming& naming) {
    parent_ = parent;
    table_ = table;
    handles_.assign(count, nullptr);
    // Made in focus order: the dialog manager's Tab follows the order of the children.
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    for (const Slot& slot : creationOrder(table, count, naming)) {
        const std::size_t row = slot.row;
        const ControlLayout& c = table[row];
        if (slot.nameOnly) {
            // Never shown: it is there for the reader alone.
            CreateWindowExW(0, L"STATIC", widen(handNameOf(naming, c, row)).c_str(),
                            WS_CHILD | SS_LEFT | SS_NOPREFIX, 0, 0, 0, 0, parent, nullptr, instance,
                            nullptr);
            continue;
        }
        const ControlClass cls = classOf(c);
        const std::wstring text = widen(c.kind == ControlKind::Field ? withCrLf(c.designText)
                                                                     : std::string(c.designText));
        handles_[row] = CreateWindowExW(
            cls.exStyle, cls.name, text.c_str(), WS_CHILD | WS_VISIBLE | cls.style, 0, 0, 0, 0,
            parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(idOf(row))), instance, nullptr);
        if (handles_[row] && c.kind == ControlKind::Field && c.multiLine)
            leaveKeysToTheDialogManager(handles_[row]);
    }
}

void ChildControls::place(UINT dpi) {
    fonts_.make(dpi);
    for (std::size_t row = 0; row < handles_.size(); ++row) {
        const TwipsRect& r = table_[row].rect;
        SetWindowPos(handles_[row], nullptr, pixelsOf(r.left, dpi), pixelsOf(r.top, dpi),
                     pixelsOf(r.width, dpi), pixelsOf(r.height, dpi),
                     SWP_NOZORDER | SWP_NOACTIVATE);
        SendMessageW(handles_[row], WM_SETFONT,
                     reinterpret_cast<WPARAM>(fonts_.of(table_[row].look)), TRUE);
    }
}

std::size_t ChildControls::rowOfId(int id) const {
    const int row = id - kFirstId;
    return row >= 0 && static_cast<std::size_t>(row) < handles_.size()
               ? static_cast<std::size_t>(row)
               : handles_.size();
}

std::size_t ChildControls::rowOfHandle(HWND child) const {
    return static_cast<std::size_t>(std::find(handles_.begin(), handles_.end(), child) -
                                    handles_.begin());
}

}  // namespace rzv
