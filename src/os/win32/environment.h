#pragma once

#include "platform/environment.h"

namespace rzv {

// COMPUTERNAME, empty when it is not set.
class Win32Environment : public Environment {
  public:
    std::string computerName() override;
};

}  // namespace rzv
