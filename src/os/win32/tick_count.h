#pragma once

#include "platform/tick_source.h"

namespace rzv {

// GetTickCount64: milliseconds since start, including time spent asleep; 64 bits never wrap.
class TickCount : public TickSource {
  public:
    std::uint64_t millisecondsSinceBoot() override;
};

}  // namespace rzv
