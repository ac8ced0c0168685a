// The uptime breakdown: one fresh count, seven independent readings of it in the units of the
// unit table, and the whole days.
#include "uptime/breakdown.h"
#include "uptime/field_math.h"
#include "uptime/get_ticks.h"

namespace rzv {
namespace {

struct UnitRow {
    Field unit;
    Field target;
};

// Largest unit first. Each quotient reads its dividend back from START_TB, so all seven come
// from the one count.
constexpr UnitRow kUnitRows[] = {
    {Field::TOTAL_MIL_YEAR, Field::YEARS_TB}, {Field::TOTAL_MIL_MONTH, Field::MONTHS_TB},
    {Field::TOTAL_MIL_WEEK, Field::WEEKS_TB}, {Field::TOTAL_MIL_DAY, Field::DAYS_TB},
    {Field::TOTAL_MIL_HOUR, Field::HOURS_TB}, {Field::TOTAL_MIL_MIN, Field::MINS_TB},
    {Field::TOTAL_MIL_SEC, Field::SECS_TB},
};

}  // namespace

void onUptimeTimer(MainWindow& w, TickSource& ticks, std::string_view separator) {
    w.setText(Field::START_TB, GetTicks64(ticks).wholeText());
    for (const auto& row : kUnitRows) {
        const double divisor = readLeading(w, row.unit, separator);
        const double dividend = readLeading(w, Field::START_TB, separator);
        writeDecimal(w, row.target, checkedQuotient(dividend, divisor), separator);
    }
    w.setText(Field::DAYS_MIRROR_TB, w.text(Field::DAYS_TB));
    w.setNumber(WholeNumber::DAYS_ROUNDED,
                wholeFigure(w, Field::DAYS_TB, Field::TOTAL_MIL_DAY, separator));
}

}  // namespace rzv
