#pragma once

#include <string>

namespace rzv {

class ExecutableName {
  public:
    virtual ~ExecutableName() = default;
    // The running executable's file name without folder and extension.
    virtual std::string executableName() = 0;
};

}  // namespace rzv
