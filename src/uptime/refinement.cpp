// The four refinement stages. Each takes the fractional figure of the stage before, subtracts
// the whole units it holds, and passes the remainder on; every intermediate figure travels as
// text.
#include "uptime/refinement.h"
#include "uptime/field_math.h"

namespace rzv {
namespace {

// The whole figure of a remainder, kept both as a whole number and as its text.
void storeWholeFigure(MainWindow& w, Field remainder, Field unit, WholeNumber number,
                      Field wholeText, std::string_view sep) {
    const auto whole = wholeFigure(w, remainder, unit, sep);
    w.setNumber(number, whole);
    writeWhole(w, wholeText, whole);
}

// Minutes from hours and seconds from minutes are the same step: the fractional and the whole
// figure of the larger unit, each times 60, and their difference.
struct SixtiethStage {
    Field fraction, whole, perUnit;              // read
    Field fractionTimes, wholeTimes, remainder;  // written
    Field unit;                                  // the smaller unit's milliseconds
    WholeNumber number;
    Field wholeText;
};

constexpr SixtiethStage kMinuteStage = {Field::HOURS_LEFT_TB,
                                        Field::HOURS_ROUNDED_TB,
                                        Field::MINS_60_TB,
                                        Field::MINUTES_LEFT_X_60_TB,
                                        Field::MINUTES_ROUNDED_X_60_TB,
                                        Field::MINUTES_DIFFERENCE_LEFT_TB,
                                        Field::TOTAL_MIL_MIN,
                                        WholeNumber::MINUTES_DIFFERENCE_ROUNDED,
                                        Field::MINUTES_DIFFERENCE_ROUNDED_TB};

constexpr SixtiethStage kSecondStage = {Field::MINUTES_DIFFERENCE_LEFT_TB,
                                        Field::MINUTES_DIFFERENCE_ROUNDED_TB,
                                        Field::SECS_60_TB,
                                        Field::SECONDS_LEFT_TB,
                                        Field::SECONDS_ROUNDED_TB,
                                        Field::SECONDS_DIFFERENCE_TB,
                                        Field::TOTAL_MIL_SEC,
                                        WholeNumber::SECONDS_DIFFERENCE_ROUNDED,
                                        Field::SECONDS_DIFFERENCE_ROUNDED_TB};

void runSixtiethStage(MainWindow& w, const SixtiethStage& s, std::string_view sep) {
    const double perUnit = readLeading(w, s.perUnit, sep);
    writeDecimal(w, s.fractionTimes, readLeading(w, s.fraction, sep) * perUnit, sep);
    writeDecimal(w, s.wholeTimes, readLeading(w, s.whole, sep) * perUnit, sep);
    writeDecimal(w, s.remainder,
                 readLeading(w, s.fractionTimes, sep) - readLeading(w, s.wholeTimes, sep), sep);
    storeWholeFigure(w, s.remainder, s.unit, s.number, s.wholeText, sep);
}

}  // namespace

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
    storeWholeFigure(w, Field::HOURS_LEFT_TB, Field::TOTAL_MIL_HOUR, WholeNumber::HOURS_ROUNDED,
                     Field::HOURS_ROUNDED_TB, sep);
}

void onMinuteUptimeTimer(MainWindow& w, std::string_view sep) {
    runSixtiethStage(w, kMinuteStage, sep);
}

void onSecondUptimeTimer(MainWindow& w, std::string_view sep) {
    runSixtiethStage(w, kSecondStage, sep);
}

}  // namespace rzv
