#pragma once

#include <cstdint>
#include <string>

namespace rzv {

// The clock and the user's regional formats.
class RegionalFormats {
  public:
    virtual ~RegionalFormats() = default;
    // The decimal separator of numbers, as UTF-8 ("." or "," in practice).
    virtual std::string decimalSeparator() = 0;
    // Today's date in the user's short-date format ("06/12/2026", "12/6/26").
    virtual std::string currentDate() = 0;
    // The time of day in the user's format, with seconds and without a time zone ("14:05:09",
    // "2:05:09 PM").
    virtual std::string currentTime() = 0;
    // A moment (milliseconds since 1970-01-01 00:00 UTC) as the user's local short date and time
    // of day, both as above, a blank between them.
    virtual std::string dateAndTimeAt(std::int64_t unixMilliseconds) = 0;
};

}  // namespace rzv
