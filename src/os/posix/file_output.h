// The log file on a POSIX file system, written so that a failing disk never costs the old record.
#pragma once

#include <string>
#include <string_view>

#include "platform/file_output.h"

namespace rzv {

// The new content goes to a hidden file beside the target; every byte is written and checked,
// synced to the disk, and only then renamed over the target, after which the folder is synced.
// Any failure before the rename removes the hidden file and leaves the target as it was.
//
// A symbolic link is followed only to a regular file, and never where the kernel's protected
// symlinks rule would refuse it: a link in a sticky, world-writable folder whose owner is neither
// the folder's owner nor the user. The new content then replaces the link's target.
//
// One exception: when the folder forbids creating the hidden file but the file itself may be
// written, it is rewritten in place, as a plain write would; a failure there may leave it damaged
// and its reason says so.
//
// Names and content are written as their UTF-8 bytes: the encoding Qt and the desktop give file
// names and 8-bit text on these systems.
//
// A writer that holds the file's lock may name its hidden file after the target alone
// (".<name>.tmp"): one left behind by a failed removal is then replaced by the next save instead
// of lying there for good.
class PosixFileOutput : public FileOutput {
  public:
    struct Options {
        const char* content = "record";  // what the file holds, for the reasons
        bool lockedName = false;
    };
    PosixFileOutput() = default;
    explicit PosixFileOutput(Options options) : options_(options) {}
    FileWrite replace(const std::string& name, std::string_view text) override;
    std::string absoluteName(const std::string& relativeName) override;

  private:
    Options options_;
};

}  // namespace rzv
