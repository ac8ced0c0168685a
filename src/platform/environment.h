#pragma once

#include <string>

namespace rzv {

class Environment {
  public:
    virtual ~Environment() = default;
    // The computer's name as the COMPUTERNAME variable gives it; where the platform does not set
    // that variable, its host name.
    virtual std::string computerName() = 0;
};

}  // namespace rzv
