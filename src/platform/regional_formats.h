#pragma once

#include <string>

namespace rzv {

// The user's regional formats.
class RegionalFormats {
  public:
    virtual ~RegionalFormats() = default;
    // The decimal separator of numbers, as UTF-8 ("." or "," in practice).
    virtual std::string decimalSeparator() = 0;
};

}  // namespace rzv
