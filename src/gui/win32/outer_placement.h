// A top-level window's outer placement in twips.
#pragma once

#include <windows.h>

#include "core/main_window.h"

namespace rzv {

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

}  // namespace rzv
