#pragma once

#include <string>

#include "platform/file_output.h"

namespace rzv {

// The new content goes to a temporary file beside the target, flushed to disk, which then
// replaces the target in one step (ReplaceFileW, or MoveFileExW where there is no target yet).
// Where the folder forbids the temporary file but the target itself may be written (a log file
// that an administrator made in a folder the user may not write), the file is rewritten in
// place, as a plain write would; a failure then may leave the old content damaged, and its
// reason says so. The same happens when the target is held open by a program that lets others
// write it but not delete it (a log viewer), after a few tries over half a second for one that
// holds it only a moment (a virus scanner). The text is written in the system's 8-bit code page
// where that keeps every character, else as UTF-8 with a byte-order mark (asLogText).
class Win32FileOutput : public FileOutput {
  public:
    FileWrite replace(const std::string& name, std::string_view text) override;
    std::string absoluteName(const std::string& relativeName) override;
};

// The temporary file beside `target` (a full path) for the process `processId`: the target's
// name with ".<id>.tmp" after it, or, where that would pass MAX_PATH and the target does not,
// the target's name ending in "~<id>" and no longer than the limit; empty where no such name
// fits.
std::wstring temporaryNameFor(const std::wstring& target, unsigned long processId);

}  // namespace rzv
