#include "core/since_boot.h"

#include <cstdio>

namespace rzv {
namespace {

constexpr std::int64_t kMsPerDay = 86400000;

// Whole days since 1970-01-01 to a civil date (the proleptic Gregorian calendar).
void civilDate(std::int64_t days, int& year, unsigned& month, unsigned& day) {
    days += 719468;
    const std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const auto dayOfEra = static_cast<unsigned>(days - era * 146097);
    const unsigned yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const unsigned dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const unsigned monthIndex = (5 * dayOfYear + 2) / 153;
    day = dayOfYear - (153 * monthIndex + 2) / 5 + 1;
    month = monthIndex < 10 ? monthIndex + 3 : monthIndex - 9;
    year = static_cast<int>(yearOfEra + era * 400 + (month <= 2));
}

}  // namespace

SinceBoot sinceBoot(std::uint64_t uptimeMs, BootClocks& clocks) {
    const std::uint64_t awake = clocks.awakeMilliseconds();
    return {clocks.wallClockMilliseconds() - static_cast<std::int64_t>(uptimeMs), awake,
            // The two clocks are read a moment apart and round apart: never a negative sleep.
            uptimeMs > awake ? uptimeMs - awake : 0, clocks.fastStartupOn()};
}

std::string spanText(std::uint64_t milliseconds) {
    const std::uint64_t seconds = milliseconds / 1000;
    return std::to_string(seconds / 86400) + "d, " + std::to_string(seconds / 3600 % 24) + "h, " +
           std::to_string(seconds / 60 % 60) + "m, " + std::to_string(seconds % 60) + "s";
}

std::string utcText(std::int64_t unixMilliseconds) {
    // Truncated to the second, also before 1970.
    std::int64_t days = unixMilliseconds / kMsPerDay;
    std::int64_t ms = unixMilliseconds % kMsPerDay;
    if (ms < 0) {
        ms += kMsPerDay;
        --days;
    }
    int year;
    unsigned month, day;
    civilDate(days, year, month, day);
    const auto second = static_cast<unsigned>(ms / 1000);
    char text[40];
    std::snprintf(text, sizeof text, "%04d-%02u-%02uT%02u:%02u:%02uZ", year, month, day,
                  second / 3600, second / 60 % 60, second % 60);
    return text;
}

std::string sinceBootLines(const SinceBoot& facts, RegionalFormats& formats) {
    std::string lines = "Up since " + formats.dateAndTimeAt(facts.bootUnixMs) + "\nAwake " +
                        spanText(facts.awakeMs) + "\nAsleep " + spanText(facts.asleepMs);
    if (facts.fastStartup)
        lines += "\nFast Startup is on: Shut down keeps this count going; Restart starts it again.";
    return lines;
}

}  // namespace rzv
