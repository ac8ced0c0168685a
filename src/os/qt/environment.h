#pragma once

#include "platform/environment.h"

namespace rzv {

// The computer's name: COMPUTERNAME when it is set (even empty), else the host name.
class QtEnvironment : public Environment {
  public:
    std::string computerName() override;
};

}  // namespace rzv
