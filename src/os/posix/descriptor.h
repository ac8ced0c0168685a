#pragma once

#include <unistd.h>

#include <cerrno>

namespace rzv::posix {

// A file descriptor, closed on every path out.
class Descriptor {
  public:
    explicit Descriptor(int fd) : fd_(fd) {}
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    int get() const { return fd_; }
    // Closes it now, for a caller that must know whether the close worked (a written file):
    // 0, or the errno value.
    int close() {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0 ? 0 : errno;
    }

  private:
    int fd_;
};

}  // namespace rzv::posix
