// When the uptime timers' next round is worth running. Their texts follow the count since boot,
// but what a person can see changes only at a whole second of that count (the display), or once
// a screen frame while the value fields that change every millisecond are in view. Running the
// round just then, and not a thousand times a second, gives the same texts on screen at a sliver
// of the cost; whoever reads the fields in between runs one round first.
#pragma once

#include <chrono>
#include <cstdint>

#include "core/main_window.h"
#include "platform/tick_source.h"

namespace rzv {

// Time from `countUs` (microseconds since boot) to the next round: the instant the count reaches
// the next whole second, or the next frame when that comes sooner and the value fields are in
// view. Always 1 us to 1 s. A count that moves in steps of `step` may still show the second
// before when the round comes: then the round waits one step, not a millisecond at a time.
std::chrono::microseconds timeToNextVisibleChange(
    std::uint64_t countUs, bool valueFieldsInView, int framePeriodMs,
    std::chrono::microseconds step = std::chrono::microseconds(1));

// The same for the count the tick source gives now and what the window shows.
std::chrono::microseconds uptimePace(TickSource& ticks, const MainWindow& window);

}  // namespace rzv
