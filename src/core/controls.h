// The controls of the main window, each by its own name.
//
// The names are the window's vocabulary: reactions, the layout table, the settings keys and the
// widgets all speak of `Field::DAYS_TB` or `Timer::LOG_TIMER`, never of an index.
#pragma once

#include <cstddef>

namespace rzv {

// Text boxes: the value fields, the uptime display and the report box.
enum class Field {
    START_TB,
    TOTAL_MIL_SEC,
    TOTAL_MIL_MIN,
    TOTAL_MIL_HOUR,
    TOTAL_MIL_DAY,
    TOTAL_MIL_WEEK,
    TOTAL_MIL_MONTH,
    TOTAL_MIL_YEAR,
    SECS_TB,
    MINS_TB,
    HOURS_TB,
    DAYS_TB,
    WEEKS_TB,
    MONTHS_TB,
    YEARS_TB,
    DAYS_MIRROR_TB,
    DAYS_ROUNDED_TB,
    HOURS_24_TB,
    HOURS_FULL,
    HOURS_LEFT_TB,
    HOURS_ROUNDED_TB,
    MINS_60_TB,
    MINUTES_LEFT_X_60_TB,
    MINUTES_ROUNDED_X_60_TB,
    MINUTES_DIFFERENCE_LEFT_TB,
    MINUTES_DIFFERENCE_ROUNDED_TB,
    SECS_60_TB,
    SECONDS_LEFT_TB,
    SECONDS_ROUNDED_TB,
    SECONDS_DIFFERENCE_TB,
    SECONDS_DIFFERENCE_ROUNDED_TB,
    OUTPUT_REPORT_TEXTBOX,
    TOP_BOTTOM_LOG_LINE,
    DATE_TIME_TEXTBOX,
    PC_NAME_TEXTBOX,
    QV_UPTIME_DISPLAY_TEXTBOX,
};
constexpr std::size_t kFieldCount = static_cast<std::size_t>(Field::QV_UPTIME_DISPLAY_TEXTBOX) + 1;

enum class Label {
    QV_TITLE_1,
    QV_TITLE_2,
    STATUS_LABEL,
    CURRENT_STATUS_LABEL,
    UPTIME_TEXT_LABEL,
    START_LABEL,
    Label13,
    Label9,
    Label8,
    Label7,
    Label6,
    Label5,
    Label4,
    Label3,
};
constexpr std::size_t kLabelCount = static_cast<std::size_t>(Label::Label3) + 1;

enum class Tickbox { AUTOSTART_TICKBOX, AUTOCLOSE_TICKBOX, AlwaysOnTop_TICKBOX };
constexpr std::size_t kTickboxCount = static_cast<std::size_t>(Tickbox::AlwaysOnTop_TICKBOX) + 1;

enum class Button { ABOUT_BUTTON, START_STOP_BUTTON };
constexpr std::size_t kButtonCount = static_cast<std::size_t>(Button::START_STOP_BUTTON) + 1;

enum class Timer {
    UPTIME_TIMER,
    DAY_UPTIME_TIMER,
    HOUR_UPTIME_TIMER,
    MINUTE_UPTIME_TIMER,
    SECOND_UPTIME_TIMER,
    QV_DISPLAY_UPDATE_TIMER,
    AlwaysOnTopTimer,
    AUTOSTART_TIMER,
    LOG_TIMER,
    AUTOCLOSE_TIMER,
    TOTALS_TIMER,
};
constexpr std::size_t kTimerCount = static_cast<std::size_t>(Timer::TOTALS_TIMER) + 1;

// The six timers of the uptime pipeline, always switched together and in this order.
constexpr Timer kUptimeTimers[] = {Timer::UPTIME_TIMER,        Timer::DAY_UPTIME_TIMER,
                                   Timer::HOUR_UPTIME_TIMER,   Timer::MINUTE_UPTIME_TIMER,
                                   Timer::SECOND_UPTIME_TIMER, Timer::QV_DISPLAY_UPDATE_TIMER};

enum class WholeNumber {
    DAYS_ROUNDED,
    HOURS_ROUNDED,
    MINUTES_DIFFERENCE_ROUNDED,
    SECONDS_DIFFERENCE_ROUNDED,
};
constexpr std::size_t kWholeNumberCount =
    static_cast<std::size_t>(WholeNumber::SECONDS_DIFFERENCE_ROUNDED) + 1;

// A tickbox's state. Greyed shows a dimmed tick and only ever comes from an edited settings
// store; every test asks for Ticked, so Greyed counts as not ticked. The store keeps them as
// "0", "1" and "2", converted in the settings and nowhere else.
enum class TickState { Clear, Ticked, Greyed };

// Colour numbers, packed 0x00BBGGRR.
constexpr unsigned kBlack = 0;
constexpr unsigned kRed = 255;
constexpr unsigned kGreen = 65280;

template <typename E>
constexpr std::size_t indexOf(E e) {
    return static_cast<std::size_t>(e);
}

}  // namespace rzv
