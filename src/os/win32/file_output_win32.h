#pragma once

#include <string>

#include "platform/file_output.h"

namespace rzv {

// The new content goes to a temporary file beside the target, flushed to disk, which then
// replaces the target in one step (ReplaceFileW, or MoveFileExW where there is no target yet).
// Where the folder forbids the temporary file but the target itself may be written (a log file
// that an administrator made in a folder the user may not write), the file is rewritten in
// place, as a plain write would; a failure then may leave the old content damaged, and its
// reason says so.
class Win32FileOutput : public FileOutput {
  public:
    std::string replace(const std::string& relativeName, std::string_view text) override;
    std::string absoluteName(const std::string& relativeName) override;
};

}  // namespace rzv
