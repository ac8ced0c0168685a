// What both front ends decide alike about the main window on screen: which controls are in
// view, when a value field is brought up to date, whether the uptime timers have value fields
// to feed, and how long the screen keeps one frame. Each front end measures with its toolkit
// and asks these rules; none of them knows a toolkit.
#pragma once

#include <bitset>
#include <functional>

#include "core/controls.h"

namespace rzv {

// A rectangle in pixels of a window's client area, right and bottom exclusive.
struct PixelRect {
    int left, top, right, bottom;
};

// A frame thinner than the designed one leaves the client area a few pixels wider, and the
// edge of an off-screen box would peek in: a control is in view once a useful part of it lies
// in the client area, more than this many pixels inside its right and bottom edges.
inline constexpr int kUsefulPixels = 8;
bool isInView(const PixelRect& control, int clientWidth, int clientHeight);

// Writes to value fields out of sight wait until the field comes into view: a hidden box is not
// rewritten for nobody.
class DeferredFields {
  public:
    // Whether a field just written is to be shown now; one out of view is noted instead.
    bool showNow(Field f, bool inView);
    // The field shows the model's text again.
    void shown(Field f) { waiting_.reset(indexOf(f)); }
    // Calls `show` for every waiting field that `inView` now says is in view.
    void catchUp(const std::function<bool(Field)>& inView, const std::function<void(Field)>& show);

  private:
    std::bitset<kFieldCount> waiting_;
};

// Whether a value field beyond the uptime display is in view: the uptime timers then wake once
// a frame, otherwise once a second.
bool valueFieldsInView(const std::function<bool(Field)>& inView);

// The frame period in whole milliseconds of a screen refreshing `hertz` times a second; 0 when
// the rate is not known (0, or 1 that some drivers report for "the hardware's default").
int framePeriodMsAt(double hertz);

}  // namespace rzv
