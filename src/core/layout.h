// The main window as designed: every control's name, design text, place in twips, look and
// place in the keyboard focus order, and every timer's design state. The model takes its design
// state from these tables and the widgets their geometry, so a control is described once.
#pragma once

#include <array>
#include <cstddef>

#include "core/controls.h"

namespace rzv {

struct TwipsRect {
    int left, top, width, height;
};

enum class ControlKind { Field, Label, Tickbox, Button };

// A control's font and colours, described in core/looks.h.
enum class Look { Plain, Title, Caption, Display };
inline constexpr std::size_t kLookCount = 4;

constexpr int kNoFocus = -1;

struct ControlLayout {
    ControlKind kind;
    std::size_t id;  // the Field, Label, Tickbox or Button it describes
    const char* name;
    const char* designText;
    TwipsRect rect;
    Look look;
    int focus;
    bool multiLine;
};

struct TimerDesign {
    Timer id;
    bool enabledInDesign;
    int startupIntervalMs;  // 0: never given an interval
};

struct TickboxDesign {
    TickState value;
    bool enabled;
};

inline constexpr std::size_t kControlCount =
    kFieldCount + kLabelCount + kTickboxCount + kButtonCount;

extern const std::array<ControlLayout, kControlCount> kMainWindowControls;
extern const std::array<TimerDesign, kTimerCount> kTimerDesign;

const ControlLayout& layoutOf(Field f);
const ControlLayout& layoutOf(Label l);
const ControlLayout& layoutOf(Tickbox t);
const ControlLayout& layoutOf(Button b);
TickboxDesign designOf(Tickbox t);

// The window itself, in twips.
inline constexpr const char* kWindowName = "QV_ZIV_MAIN";
inline constexpr const char* kWindowCaption = "RI-ZUZERU-VAVUZA";
inline constexpr int kDesignClientWidth = 12090;
inline constexpr int kDesignClientHeight = 7725;
// The frame that the design assumes around the client area (caption bar and borders).
inline constexpr int kDesignFrameSide = 45;
inline constexpr int kDesignFrameTop = 330;
// Line1, the divider of the off-screen area: from (x, top) to (x, bottom).
inline constexpr int kLine1X = 5160;
inline constexpr int kLine1Top = 3600;
inline constexpr int kLine1Bottom = 7680;

}  // namespace rzv
