#pragma once

#include <memory>
#include <string>

namespace rzv {

// A lock taken on a file; it stays until released.
class FileLock {
  public:
    virtual ~FileLock() = default;
    // Empty on success, else the reason, on one line. A lock that cannot be removed is stale
    // for the next taker all the same.
    virtual std::string release() = 0;
};

// Locks that every writer of a shared file takes before it reads and replaces the file.
class FileLocks {
  public:
    virtual ~FileLocks() = default;
    // The lock of the file `name`, creating the file's folder when it is missing; it waits at
    // most about a second for another holder. Nothing, with the reason in `failure`, when it
    // cannot be had.
    virtual std::unique_ptr<FileLock> lock(const std::string& name, std::string& failure) = 0;
};

}  // namespace rzv
