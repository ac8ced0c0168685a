#include "gui/win32/controls_win32.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <string_view>

#include "core/line_ends.h"
#include "core/looks.h"
#include "core/placement_pixels.h"
#include "os/win32/wide_text.h"

namespace rzv {
namespace {

// Arial and MS Sans Serif as designed (the dialog face stands for the latter).
HFONT makeFont(const wchar_t* face, double points, bool bold, UINT dpi) {
    LOGFONTW font{};
    font.lfHeight = -static_cast<LONG>(std::lround(points * dpi / 72.0));
    font.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfQuality = CLEARTYPE_QUALITY;
    const std::wstring_view name(face);
    std::copy_n(name.begin(), std::min<std::size_t>(name.size(), LF_FACESIZE - 1), font.lfFaceName);
    return CreateFontIndirectW(&font);
}

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

// Focusable controls in focus order, then the others in table order.
std::vector<std::size_t> focusOrder(const ControlLayout* table, std::size_t count) {
    std::vector<std::size_t> order(count);
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [table](std::size_t a, std::size_t b) {
        const int fa = table[a].focus == kNoFocus ? 1 << 30 : table[a].focus;
        const int fb = table[b].focus == kNoFocus ? 1 << 30 : table[b].focus;
        return fa < fb;
    });
    return order;
}

// One child window to make: a control, or the hidden static that names the control.
struct Slot {
    std::size_t row;
    bool nameOnly;
};

// The focus order with each caption moved to right before the control it names, and a name
// before each text box that has no caption. Statics take no focus: Tab is not changed.
std::vector<Slot> creationOrder(const ControlLayout* table, std::size_t count,
                                const ControlNaming& naming) {
    auto captionOf = [&](std::size_t row) {
        for (const auto& c : naming.captions)
            if (c.named == row) return c.caption;
        return count;
    };
    auto isCaption = [&](std::size_t row) {
        return std::any_of(naming.captions.begin(), naming.captions.end(),
                           [row](const ControlNaming::Caption& c) { return c.caption == row; });
    };
    std::vector<Slot> slots;
    for (const std::size_t row : focusOrder(table, count)) {
        if (isCaption(row)) continue;  // made with the control it names
        if (const std::size_t caption = captionOf(row); caption < count)
            slots.push_back({caption, false});
        else if (table[row].kind == ControlKind::Field)
            slots.push_back({row, true});
        slots.push_back({row, false});
    }
    return slots;
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

const char* handNameOf(const ControlNaming& naming, const ControlLayout& c, std::size_t row) {
    for (const auto& [named, name] : naming.names)
        if (named == row) return name;
    return c.name;
}

}  // namespace

std::size_t rowIn(const ControlLayout* table, std::size_t count, ControlKind kind, std::size_t id) {
    for (std::size_t row = 0; row < count; ++row)
        if (table[row].kind == kind && table[row].id == id) return row;
    return count;
}

int pixelsOf(double twips, UINT dpi) {
    return pixelsAtDpi(twips, static_cast<int>(dpi));
}

namespace {

bool isTrueType(const wchar_t* face) {
    const HFONT font = makeFont(face, 8.25, false, USER_DEFAULT_SCREEN_DPI);
    const HDC dc = CreateCompatibleDC(nullptr);
    bool trueType = false;
    if (font && dc) {
        const HGDIOBJ before = SelectObject(dc, font);
        TEXTMETRICW metrics{};
        wchar_t chosen[LF_FACESIZE] = {};
        trueType = GetTextMetricsW(dc, &metrics) && GetTextFaceW(dc, LF_FACESIZE, chosen) > 0 &&
                   (metrics.tmPitchAndFamily & TMPF_TRUETYPE) != 0;
        SelectObject(dc, before);
    }
    if (dc) DeleteDC(dc);
    if (font) DeleteObject(font);
    return trueType;
}

}  // namespace

const wchar_t* dialogFace() {
    static const std::wstring designed = widen(kSansSerifFaces[0]);
    static const std::wstring twin = widen(kSansSerifFaces[1]);
    static const wchar_t* const face =
        isTrueType(designed.c_str()) ? designed.c_str() : twin.c_str();
    return face;
}

void Fonts::make(UINT dpi) {
    release();
    // Windows has Arial; the dialog face stands for the sans serif.
    static const std::wstring arial = widen(kArialFaces[0]);
    for (std::size_t i = 0; i < fonts_.size(); ++i) {
        const LookFont design = fontOf(static_cast<Look>(i));
        fonts_[i] = makeFont(design.face == Face::Arial ? arial.c_str() : dialogFace(),
                             design.points, design.bold, dpi);
    }
}

HFONT Fonts::of(Look look) const {
    const auto i = static_cast<std::size_t>(look);
    return i < fonts_.size() ? fonts_[i] : fonts_[0];
}

void Fonts::release() {
    for (HFONT& font : fonts_) {
        if (font) DeleteObject(font);
        font = nullptr;
    }
}

Brushes::~Brushes() {
    for (auto& entry : brushes_) DeleteObject(entry.second);
}

HBRUSH Brushes::of(unsigned colour) {
    auto found = brushes_.find(colour);
    if (found == brushes_.end())
        found = brushes_.emplace(colour, CreateSolidBrush(colorRefOf(colour))).first;
    return found->second;
}

void OuterPlacement::apply(HWND window, const Placement& placement) {
    placement_ = placement;
    // Moved first: the size is for the DPI of the monitor the window lands on.
    SetWindowPos(window, nullptr, positionPixels(placement.left), positionPixels(placement.top), 0,
                 0, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOSIZE);
    fitClient(window, dpiOf(window));
}

void OuterPlacement::fitClient(HWND window, UINT dpi) const {
    const int width = pixelsOf(static_cast<double>(placement_.width) - 2 * kDesignFrameSide, dpi);
    const int height =
        pixelsOf(static_cast<double>(placement_.height) - kDesignFrameTop - kDesignFrameSide, dpi);
    const RECT client{0, 0, std::max(1, width), std::max(1, height)};
    const RECT outer =
        outerOfClient(client, static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE)),
                      static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE)), dpi);
    SetWindowPos(window, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOMOVE);
}

namespace {

// Where the window stands, or where it is restored to when it is minimised (parked far off
// every screen) or maximised.
bool restoredRectangle(HWND window, RECT& outer) {
    WINDOWPLACEMENT place{};
    place.length = sizeof place;
    if ((IsIconic(window) || IsZoomed(window)) && GetWindowPlacement(window, &place)) {
        outer = place.rcNormalPosition;
        // In workspace coordinates: from the work area's corner, which a taskbar at the left or
        // top moves away from the monitor's.
        MONITORINFO monitor{};
        monitor.cbSize = sizeof monitor;
        if ((GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOOLWINDOW) == 0 &&
            GetMonitorInfoW(MonitorFromRect(&outer, MONITOR_DEFAULTTONEAREST), &monitor))
            OffsetRect(&outer, monitor.rcWork.left - monitor.rcMonitor.left,
                       monitor.rcWork.top - monitor.rcMonitor.top);
        return true;
    }
    return GetWindowRect(window, &outer) != 0;
}

}  // namespace

Placement OuterPlacement::current(HWND window) const {
    RECT outer;
    Placement p = placement_;
    if (!restoredRectangle(window, outer)) return p;
    p.left = edgeTwips(p.left, outer.left, kReferenceDpi);
    p.top = edgeTwips(p.top, outer.top, kReferenceDpi);
    return p;
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

HBRUSH colourLook(HDC dc, Look look, unsigned back, Brushes& brushes) {
    if (!fontOf(look).greenOnBlack) return nullptr;
    SetTextColor(dc, colorRefOf(kGreen));
    SetBkColor(dc, colorRefOf(back));
    return brushes.of(back);
}

std::wstring textOf(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

void setTextIfChanged(HWND window, const std::wstring& text) {
    if (textOf(window) != text) SetWindowTextW(window, text.c_str());
}

HICON programIcon(int size) {
    return static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1), IMAGE_ICON,
                                         size, size, LR_DEFAULTCOLOR | LR_SHARED));
}

}  // namespace rzv
