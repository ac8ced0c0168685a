#include "core/layout.h"

namespace rzv {
namespace {

constexpr ControlLayout field(Field f, const char* name, const char* text, TwipsRect r, int focus,
                              Look look = Look::Plain, bool multiLine = false) {
    return {ControlKind::Field, indexOf(f), name, text, r, look, focus, multiLine};
}
constexpr ControlLayout label(Label l, const char* name, const char* text, TwipsRect r,
                              Look look = Look::Plain) {
    return {ControlKind::Label, indexOf(l), name, text, r, look, kNoFocus, false};
}
constexpr ControlLayout tickbox(Tickbox t, const char* name, const char* text, TwipsRect r,
                                int focus) {
    return {ControlKind::Tickbox, indexOf(t), name, text, r, Look::Plain, focus, false};
}
constexpr ControlLayout button(Button b, const char* name, const char* text, TwipsRect r,
                               int focus) {
    return {ControlKind::Button, indexOf(b), name, text, r, Look::Plain, focus, false};
}

#define RZV_FIELD(name, ...) field(Field::name, #name, __VA_ARGS__)
#define RZV_LABEL(name, ...) label(Label::name, #name, __VA_ARGS__)

}  // namespace

const std::array<ControlLayout, kControlCount> kMainWindowControls = {{
    // The eleven visible controls.
    RZV_LABEL(QV_TITLE_1, "QUORVANE", {120, 120, 1695, 255}, Look::Title),
    RZV_LABEL(QV_TITLE_2, "RI-ZUZERU-VAVUZA", {1920, 120, 2295, 255}, Look::Title),
    RZV_LABEL(STATUS_LABEL, "STATUS:", {120, 480, 855, 255}, Look::Caption),
    RZV_LABEL(CURRENT_STATUS_LABEL, "READY...", {960, 480, 3255, 255}, Look::Title),
    tickbox(Tickbox::AUTOSTART_TICKBOX, "AUTOSTART_TICKBOX", "Auto Start", {240, 720, 735, 495}, 1),
    RZV_LABEL(UPTIME_TEXT_LABEL, "UPTIME:", {1080, 840, 855, 255}, Look::Caption),
    RZV_FIELD(QV_UPTIME_DISPLAY_TEXTBOX, "00000X, 00X, 00X, 000X,", {1800, 840, 2415, 315}, 5,
              Look::Display),
    tickbox(Tickbox::AUTOCLOSE_TICKBOX, "AUTOCLOSE_TICKBOX", "Auto Close", {240, 1320, 855, 495},
            2),
    tickbox(Tickbox::AlwaysOnTop_TICKBOX, "AlwaysOnTop_TICKBOX", "Always On Top",
            {1080, 1320, 855, 495}, 3),
    button(Button::ABOUT_BUTTON, "ABOUT_BUTTON", "About", {2040, 1320, 735, 495}, 4),
    button(Button::START_STOP_BUTTON, "START_STOP_BUTTON", "START", {3000, 1320, 1095, 495}, 0),

    // Value fields.
    RZV_FIELD(START_TB, "START_TB", {1200, 3720, 2535, 405}, 13),
    RZV_FIELD(TOTAL_MIL_SEC, "1000", {1200, 4320, 1215, 375}, 20),
    RZV_FIELD(TOTAL_MIL_MIN, "60000", {1200, 4800, 1215, 375}, 19),
    RZV_FIELD(TOTAL_MIL_HOUR, "3600000", {1200, 5280, 1215, 375}, 18),
    RZV_FIELD(TOTAL_MIL_DAY, "86400000", {1200, 5760, 1215, 375}, 17),
    RZV_FIELD(TOTAL_MIL_WEEK, "604800000", {1200, 6240, 1215, 375}, 16),
    RZV_FIELD(TOTAL_MIL_MONTH, "2419200000", {1200, 6720, 1215, 375}, 15),
    RZV_FIELD(TOTAL_MIL_YEAR, "31536000000", {1200, 7200, 1215, 375}, 14),
    RZV_FIELD(SECS_TB, "SECS_TB", {2640, 4320, 1935, 375}, 12),
    RZV_FIELD(MINS_TB, "MINS_TB", {2640, 4800, 1935, 375}, 9),
    RZV_FIELD(HOURS_TB, "HOURS_TB", {2640, 5280, 1935, 375}, 10),
    RZV_FIELD(DAYS_TB, "DAYS_TB", {2640, 5760, 1935, 375}, 11),
    RZV_FIELD(WEEKS_TB, "WEEKS_TB", {2640, 6240, 1935, 375}, 8),
    RZV_FIELD(MONTHS_TB, "MONTHS_TB", {2640, 6720, 1935, 375}, 7),
    RZV_FIELD(YEARS_TB, "YEARS_TB", {2640, 7200, 1935, 375}, 6),
    RZV_FIELD(DAYS_MIRROR_TB, "DAYS_MIRROR_TB", {5280, 3600, 1935, 375}, 34),
    RZV_FIELD(DAYS_ROUNDED_TB, "DAYS_ROUNDED_TB", {5280, 4080, 1935, 375}, 45),
    RZV_FIELD(HOURS_24_TB, "24", {7680, 3600, 375, 375}, 44),
    RZV_FIELD(HOURS_FULL, "HOURS_FULL", {7320, 4080, 1215, 375}, 43),
    RZV_FIELD(HOURS_LEFT_TB, "HOURS_LEFT_TB", {8640, 3600, 1935, 375}, 42),
    RZV_FIELD(HOURS_ROUNDED_TB, "HOURS_ROUNDED_TB", {8640, 4080, 1935, 375}, 41),
    RZV_FIELD(MINS_60_TB, "60", {5760, 4920, 375, 375}, 40),
    RZV_FIELD(MINUTES_LEFT_X_60_TB, "MINUTES_LEFT_X_60_TB", {6240, 4680, 2895, 375}, 39),
    RZV_FIELD(MINUTES_ROUNDED_X_60_TB, "MINUTES_ROUNDED_X_60_TB", {6240, 5160, 2895, 375}, 37),
    RZV_FIELD(MINUTES_DIFFERENCE_LEFT_TB, "MINUTES_DIFFERENCE_LEFT_TB", {9240, 4680, 2295, 375},
              32),
    RZV_FIELD(MINUTES_DIFFERENCE_ROUNDED_TB, "MINUTES_DIFFERENCE_ROUNDED_TB",
              {9240, 5160, 2295, 375}, 31),
    RZV_FIELD(SECS_60_TB, "60", {5760, 6000, 375, 375}, 38),
    RZV_FIELD(SECONDS_LEFT_TB, "SECONDS_LEFT_TB", {6240, 5760, 2175, 375}, 36),
    RZV_FIELD(SECONDS_ROUNDED_TB, "SECONDS_ROUNDED_TB", {6240, 6240, 2175, 375}, 35),
    RZV_FIELD(SECONDS_DIFFERENCE_TB, "SECONDS_DIFFERENCE_TB", {8640, 6000, 2295, 375}, 33),
    RZV_FIELD(SECONDS_DIFFERENCE_ROUNDED_TB, "SECONDS_DIFFERENCE_ROUNDED_TB",
              {8640, 6480, 2295, 375}, 30),
    RZV_FIELD(OUTPUT_REPORT_TEXTBOX, "!!! TIMERS DISABLED !!!\r\n", {4320, 1080, 3615, 1845}, 52,
              Look::Plain, true),
    RZV_FIELD(TOP_BOTTOM_LOG_LINE, "========================================================",
              {5640, 480, 6015, 405}, 53),
    RZV_FIELD(DATE_TIME_TEXTBOX, "DATE_TIME_TEXTBOX", {8520, 1440, 2535, 405}, 54),
    RZV_FIELD(PC_NAME_TEXTBOX, "PC_NAME_TEXTBOX", {8520, 2040, 2535, 405}, 51),

    // Captions of the off-screen area.
    RZV_LABEL(START_LABEL, "START", {240, 3840, 855, 255}),
    RZV_LABEL(Label13, "RESULT", {3840, 3960, 855, 255}),
    RZV_LABEL(Label9, "SECONDS", {240, 4320, 855, 255}),
    RZV_LABEL(Label8, "MINUTES", {240, 4800, 855, 255}),
    RZV_LABEL(Label7, "HOURS", {240, 5280, 855, 255}),
    RZV_LABEL(Label6, "DAYS", {240, 5760, 855, 255}),
    RZV_LABEL(Label5, "WEEKS", {240, 6240, 855, 255}),
    RZV_LABEL(Label4, "MONTHS", {240, 6720, 855, 255}),
    RZV_LABEL(Label3, "YEARS", {240, 7200, 855, 255}),
}};

#undef RZV_FIELD
#undef RZV_LABEL

const std::array<TimerDesign, kTimerCount> kTimerDesign = {{
    {Timer::UPTIME_TIMER, true, 1},
    {Timer::DAY_UPTIME_TIMER, false, 1},
    {Timer::HOUR_UPTIME_TIMER, false, 1},
    {Timer::MINUTE_UPTIME_TIMER, false, 1},
    {Timer::SECOND_UPTIME_TIMER, false, 1},
    {Timer::QV_DISPLAY_UPDATE_TIMER, true, 1},
    {Timer::AlwaysOnTopTimer, true, 1000},
    {Timer::AUTOSTART_TIMER, false, 10000},
    {Timer::LOG_TIMER, false, 1000},
    {Timer::AUTOCLOSE_TIMER, false, 10000},
    {Timer::TOTALS_TIMER, false, 0},
}};

namespace {
const ControlLayout& find(ControlKind kind, std::size_t id) {
    for (const auto& control : kMainWindowControls)
        if (control.kind == kind && control.id == id) return control;
    return kMainWindowControls.front();  // unreachable: every control is in the table
}
}  // namespace

const ControlLayout& layoutOf(Field f) {
    return find(ControlKind::Field, indexOf(f));
}
const ControlLayout& layoutOf(Label l) {
    return find(ControlKind::Label, indexOf(l));
}
const ControlLayout& layoutOf(Tickbox t) {
    return find(ControlKind::Tickbox, indexOf(t));
}
const ControlLayout& layoutOf(Button b) {
    return find(ControlKind::Button, indexOf(b));
}

TickboxDesign designOf(Tickbox t) {
    switch (t) {
        case Tickbox::AUTOSTART_TICKBOX:
            return {TickState::Clear, true};
        case Tickbox::AUTOCLOSE_TICKBOX:
            return {TickState::Clear, false};
        case Tickbox::AlwaysOnTop_TICKBOX:
            return {TickState::Ticked, true};
    }
    return {TickState::Clear, true};
}

}  // namespace rzv
