// A lock file beside the locked file, "<name>.lock", holding the holder's process id, program
// name and host name on three lines: the lock Qt's settings take on the same file, so earlier
// versions of the program and this one exclude each other. Qt's own lock file class is not used:
// measured, it took 1.1 s to take over an empty lock, which a crash while writing leaves behind.
#pragma once

#include <string>

#include "platform/file_lock.h"

namespace rzv {

// A save holds the lock for milliseconds. A lock is stale, and is removed at once, when it is
// empty, names a process of this host that is gone or this very process (whose failed removal
// left it), or is older than a second. A live holder is waited for until the lock is a second
// old; then it is stale too, so nobody waits longer than about a second.
class PosixFileLocks : public FileLocks {
  public:
    explicit PosixFileLocks(std::string programName) : programName_(std::move(programName)) {}
    std::unique_ptr<FileLock> lock(const std::string& name, std::string& failure) override;

  private:
    std::string programName_;
};

}  // namespace rzv
