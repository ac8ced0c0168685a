#pragma once

#include <string>
#include <string_view>

namespace rzv {

// Whole-file output by a name relative to the working directory.
class FileOutput {
  public:
    virtual ~FileOutput() = default;
    // Replaces the file's content with `text` (UTF-8, written in the system's 8-bit encoding),
    // all or nothing: the file holds either its old content or the new, whole. Empty on success,
    // else the system's reason.
    virtual std::string replace(const std::string& relativeName, std::string_view text) = 0;
};

}  // namespace rzv
