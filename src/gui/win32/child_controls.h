// One child control per row of a layout table, placed and given its font at the window's DPI.
#pragma once

#include <windows.h>

#include <cstddef>
#include <vector>

#include "core/layout.h"
#include "gui/win32/fonts.h"
#include "gui/win32/reader_order.h"

namespace rzv {

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

}  // namespace rzv
