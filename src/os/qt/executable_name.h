#pragma once

#include "platform/executable_name.h"

namespace rzv {

class QtExecutableName : public ExecutableName {
  public:
    std::string executableName() override;
};

}  // namespace rzv
