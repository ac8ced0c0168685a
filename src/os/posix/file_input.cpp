#include "os/posix/file_input.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/os_parts.h"

namespace rzv {

std::string PosixFileInput::read(const std::string& name, std::string& content, bool& exists) {
    content.clear();
    exists = false;
    const int fd = ::open(name.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return errno == ENOENT ? std::string() : std::strerror(errno);
    exists = true;
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) {
            const int error = errno;
            ::close(fd);
            content.clear();
            return std::strerror(error);
        }
        if (got == 0) break;
        content.append(buffer, static_cast<std::size_t>(got));
    }
    // A failing close of a file read whole says the disk is in trouble: trust nothing read.
    if (::close(fd) != 0) {
        content.clear();
        return std::strerror(errno);
    }
    return {};
}

std::unique_ptr<FileInput> os::makeFileInput() {
    return std::make_unique<PosixFileInput>();
}

}  // namespace rzv
