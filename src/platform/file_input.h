#pragma once

#include <string>

namespace rzv {

// Whole-file input by name.
class FileInput {
  public:
    virtual ~FileInput() = default;
    // The file's whole content into `content`. A missing file is no failure: `content` is then
    // empty and `exists` false. Empty on success, else the reason, on one line.
    virtual std::string read(const std::string& name, std::string& content, bool& exists) = 0;
};

}  // namespace rzv
