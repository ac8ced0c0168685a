// Since when the system runs, and how much of that it was awake: the details beside the uptime,
// which counts sleep (as the system's own count does, and a Fast Startup "shut down" on Windows).
#pragma once

#include <cstdint>
#include <string>

#include "platform/boot_clocks.h"
#include "platform/regional_formats.h"

namespace rzv {

struct SinceBoot {
    std::int64_t bootUnixMs;  // the moment of the last start: the wall clock less the uptime
    std::uint64_t awakeMs;
    std::uint64_t asleepMs;  // the uptime less the time awake, never below 0
    bool fastStartup;
};

// The facts for an uptime of `uptimeMs`, read from the clocks now.
SinceBoot sinceBoot(std::uint64_t uptimeMs, BootClocks& clocks);

// A span in the display's own form: "3d, 4h, 5m, 6s".
std::string spanText(std::uint64_t milliseconds);

// A moment in UTC to the second: "2026-12-08T09:12:44Z".
std::string utcText(std::int64_t unixMilliseconds);

// The uptime display's details, one line each: "Up since <date> <time>", "Awake <span>",
// "Asleep <span>", and where Shut down keeps the count going, why.
std::string sinceBootLines(const SinceBoot& facts, RegionalFormats& formats);

}  // namespace rzv
