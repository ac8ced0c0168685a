#pragma once

#include <string>
#include <string_view>

namespace rzv {

// Whole-file output by a name relative to the working directory.
class FileOutput {
  public:
    virtual ~FileOutput() = default;
    // Replaces the file's content with `text`, all or nothing: the file holds either its old
    // content or the new, whole. Name and text are UTF-8, written the way the system names files
    // and keeps 8-bit text. Empty on success, else the reason, on one line.
    virtual std::string replace(const std::string& relativeName, std::string_view text) = 0;
    // The absolute name `relativeName` stands for now: the working folder joined with it, as
    // UTF-8. Where the working folder cannot be named, `relativeName` itself.
    virtual std::string absoluteName(const std::string& relativeName) = 0;
};

}  // namespace rzv
