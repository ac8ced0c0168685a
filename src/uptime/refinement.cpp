// The four refinement stages. Each takes the fractional figure of the stage before, subtracts
// the whole units it holds, and passes the remainder on; every intermediate figure travels as
// text.
#include "uptime/field_math.h"
#include "uptime/uptime_timers.h"

namespace rzv {

void onDayUptimeTimer(MainWindow& w) {
    writeWhole(w, Field::DAYS_ROUNDED_TB, w.number(WholeNumber::DAYS_ROUNDED));
}

void onHourUptimeTimer(MainWindow& w, std::string_view sep) {
    const double hoursPerDay = readLeading(w, Field::HOURS_24_TB, sep);
    const double days = readLeading(w, Field::DAYS_ROUNDED_TB, sep);
    writeDecimal(w, Field::HOURS_FULL, days * hoursPerDay, sep);
    const double hoursInDays = readLeading(w, Field::HOURS_FULL, sep);
    const double hours = readLeading(w, Field::HOURS_TB, sep);
    writeDecimal(w, Field::HOURS_LEFT_TB, hours - hoursInDays, sep);
    const auto whole = wholeFigure(w, Field::HOURS_LEFT_TB, Field::TOTAL_MIL_HOUR, sep);
    w.setNumber(WholeNumber::HOURS_ROUNDED, whole);
    writeWhole(w, Field::HOURS_ROUNDED_TB, whole);
}

void onMinuteUptimeTimer(MainWindow& w, std::string_view sep) {
    const double perHour = readLeading(w, Field::MINS_60_TB, sep);
    writeDecimal(w, Field::MINUTES_LEFT_X_60_TB,
                 readLeading(w, Field::HOURS_LEFT_TB, sep) * perHour, sep);
    writeDecimal(w, Field::MINUTES_ROUNDED_X_60_TB,
                 readLeading(w, Field::HOURS_ROUNDED_TB, sep) * perHour, sep);
    writeDecimal(w, Field::MINUTES_DIFFERENCE_LEFT_TB,
                 readLeading(w, Field::MINUTES_LEFT_X_60_TB, sep) -
                     readLeading(w, Field::MINUTES_ROUNDED_X_60_TB, sep),
                 sep);
    const auto whole = wholeFigure(w, Field::MINUTES_DIFFERENCE_LEFT_TB, Field::TOTAL_MIL_MIN, sep);
    w.setNumber(WholeNumber::MINUTES_DIFFERENCE_ROUNDED, whole);
    writeWhole(w, Field::MINUTES_DIFFERENCE_ROUNDED_TB, whole);
}

void onSecondUptimeTimer(MainWindow& w, std::string_view sep) {
    const double perMinute = readLeading(w, Field::SECS_60_TB, sep);
    writeDecimal(w, Field::SECONDS_LEFT_TB,
                 readLeading(w, Field::MINUTES_DIFFERENCE_LEFT_TB, sep) * perMinute, sep);
    writeDecimal(w, Field::SECONDS_ROUNDED_TB,
                 readLeading(w, Field::MINUTES_DIFFERENCE_ROUNDED_TB, sep) * perMinute, sep);
    writeDecimal(w, Field::SECONDS_DIFFERENCE_TB,
                 readLeading(w, Field::SECONDS_LEFT_TB, sep) -
                     readLeading(w, Field::SECONDS_ROUNDED_TB, sep),
                 sep);
    const auto whole = wholeFigure(w, Field::SECONDS_DIFFERENCE_TB, Field::TOTAL_MIL_SEC, sep);
    w.setNumber(WholeNumber::SECONDS_DIFFERENCE_ROUNDED, whole);
    writeWhole(w, Field::SECONDS_DIFFERENCE_ROUNDED_TB, whole);
}

}  // namespace rzv
