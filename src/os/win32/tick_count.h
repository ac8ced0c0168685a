#pragma once

#include "platform/tick_source.h"

namespace rzv {

// GetTickCount64: milliseconds since start, including time spent asleep; 64 bits never wrap.
class TickCount : public TickSource {
  public:
    std::uint64_t millisecondsSinceBoot() override;
    // The system's clock interrupt: 64 a second unless a program asks for more.
    std::chrono::microseconds step() const override { return std::chrono::microseconds(15625); }
};

}  // namespace rzv
