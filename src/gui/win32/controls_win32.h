// What the two windows share on screen: twips at a window's DPI, the designed fonts and
// colours, and one child control per row of a layout table.
#pragma once

#include <windows.h>

#include <array>
#include <map>
#include <string>
#include <vector>

#include "core/layout.h"
#include "core/main_window.h"
#include "gui/win32/dpi_win32.h"

namespace rzv {

// A control's twips at its window's DPI, clamped as every placement is.
int pixelsOf(double twips, UINT dpi);

// The dialog face: "MS Sans Serif" where it is a TrueType face, otherwise its TrueType twin of
// the same metrics. On Windows "MS Sans Serif" is a bitmap font (sserife.fon) that comes in a
// few pixel sizes only and turns jagged when scaled.
const wchar_t* dialogFace();

// The designed fonts at one DPI, made again when the DPI changes.
class Fonts {
  public:
    Fonts() = default;
    Fonts(const Fonts&) = delete;
    Fonts& operator=(const Fonts&) = delete;
    ~Fonts() { release(); }
    void make(UINT dpi);
    HFONT of(Look look) const;

  private:
    void release();
    std::array<HFONT, kLookCount> fonts_{};  // by look
};

// Solid brushes by colour number, made once each.
class Brushes {
  public:
    Brushes() = default;
    Brushes(const Brushes&) = delete;
    Brushes& operator=(const Brushes&) = delete;
    ~Brushes();
    HBRUSH of(unsigned colour);

  private:
    std::map<unsigned, HBRUSH> brushes_;
};

// A colour number (0x00BBGGRR) is a COLORREF as it stands.
inline COLORREF colorRefOf(unsigned colour) {
    return static_cast<COLORREF>(colour);
}

// A window's own outer placement in twips: its edges at the reference resolution, its size
// the designed client area (the outer size less the designed frame) at the window's DPI, with
// the frame the system really draws around it. A window still where it was put keeps its
// twips exactly; converting its pixels back would round them. A minimised or maximised window
// reports the place it is restored to.
class OuterPlacement {
  public:
    void apply(HWND window, const Placement& placement);
    Placement current(HWND window) const;
    // Fits the outer size to the designed client area again at a new DPI.
    void fitClient(HWND window, UINT dpi) const;

  private:
    Placement placement_{};
};

// How a window's controls are named for a screen reader. A Windows reader names a control
// without words of its own (a text box, a value label) by the static text right before it in
// the z order: each caption is made just before the control it names, and a text box without
// one gets a hidden static of its own that holds its name.
struct ControlNaming {
    struct Caption {
        std::size_t caption, named;  // rows of the layout table
    };
    std::vector<Caption> captions;
    // Names for text boxes without a caption; any other such box is named by its control name.
    std::vector<std::pair<std::size_t, const char*>> names;
};

// The row of a control in a layout table; `count` when it is not there.
std::size_t rowIn(const ControlLayout* table, std::size_t count, ControlKind kind, std::size_t id);

// The child controls of one window, made from its layout table in focus order (so that Tab
// follows it), each with its name before it, placed and given their fonts at the window's DPI.
class ChildControls {
  public:
    static constexpr int kFirstId = 1000;

    void create(HWND parent, const ControlLayout* table, std::size_t count,
                const ControlNaming& naming);
    void place(UINT dpi);
    HWND handleOf(std::size_t row) const { return handles_[row]; }
    const ControlLayout& rowOf(std::size_t row) const { return table_[row]; }
    std::size_t size() const { return handles_.size(); }
    // The row of a control id or a child handle; size() when there is none.
    std::size_t rowOfId(int id) const;
    std::size_t rowOfHandle(HWND child) const;
    static int idOf(std::size_t row) { return kFirstId + static_cast<int>(row); }
    HFONT fontOf(Look look) const { return fonts_.of(look); }

  private:
    HWND parent_ = nullptr;
    const ControlLayout* table_ = nullptr;
    std::vector<HWND> handles_;
    Fonts fonts_;
};

// Green text for the title and display looks, on `back`; nullptr leaves the system's colours.
HBRUSH colourLook(HDC dc, Look look, unsigned back, Brushes& brushes);

std::wstring textOf(HWND window);
// Sets the text only when it differs: an unchanged control is not repainted.
void setTextIfChanged(HWND window, const std::wstring& text);

HICON programIcon(int size);

}  // namespace rzv
