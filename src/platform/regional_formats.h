#pragma once

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
};

}  // namespace rzv
