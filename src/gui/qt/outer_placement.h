// A top-level window's outer placement in twips.
#pragma once

#include <QMargins>
#include <QWidget>

#include "core/main_window.h"

namespace rzv {

// Places a top-level window by its outer edges and size in twips. The window manager tells the
// frame's size only once the window is mapped; until then the designed frame stands in, and the
// client area is fitted once the real frame is known.
class OuterPlacement {
  public:
    OuterPlacement(QWidget* window, int designFrameSide, int designFrameTop)
        : window_(window), designSide_(designFrameSide), designTop_(designFrameTop) {}
    void apply(const Placement& placement);
    // From the window's show, move and resize events.
    void fitOnceFrameIsKnown();
    // Where the window stands now. A window still where it was put keeps its twips exactly;
    // converting its pixels back would round them. On Wayland the position is unknown.
    Placement current() const;

  private:
    QMargins frameMargins() const;
    void fitClient();

    QWidget* window_;
    int designSide_, designTop_;
    Placement placement_{};
    bool frameKnown_ = false;
};

}  // namespace rzv
