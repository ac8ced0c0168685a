// The uptime pipeline: six timer reactions linked only through value fields. They run at the
// shortest period, so the timer service fires them as one round in ascending timer number, the
// order of this chain: each stage reads what the one before it wrote in the same round.
//
// Its first stage, the breakdown: reads the tick source, writes the count into START_TB,
// divides it by each unit of the unit table into YEARS_TB ... SECS_TB, and derives the whole
// days.
#pragma once

#include <string_view>

#include "core/main_window.h"
#include "platform/tick_source.h"

namespace rzv {

void onUptimeTimer(MainWindow& window, TickSource& ticks, std::string_view separator);

}  // namespace rzv
