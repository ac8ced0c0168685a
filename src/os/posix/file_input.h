#pragma once

#include "platform/file_input.h"

namespace rzv {

class PosixFileInput : public FileInput {
  public:
    std::string read(const std::string& name, std::string& content, bool& exists) override;
};

}  // namespace rzv
