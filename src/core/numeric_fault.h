#pragma once

#include <stdexcept>

namespace rzv {

// A numeric fault inside a reaction (division by zero, overflow, a text that is no number where
// one must be). It abandons the rest of the reaction; the program reports it and ends.
class NumericFault : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

}  // namespace rzv
