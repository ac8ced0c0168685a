#include "os/posix/file_lock.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <thread>

#include "os/posix/paths.h"
#include "platform/os_parts.h"

namespace rzv {
namespace {

using posix::folderOf;
using posix::makeFolders;
using posix::reasonOf;

constexpr auto kStaleAge = std::chrono::seconds(1);
constexpr auto kPoll = std::chrono::milliseconds(10);
constexpr int kBreakAttempts = 20;  // stale locks broken in one go, against a racing taker

std::string hostName() {
    char name[HOST_NAME_MAX + 1] = {};
    if (::gethostname(name, sizeof name - 1) != 0) return {};
    return name;
}

class PosixFileLock : public FileLock {
  public:
    explicit PosixFileLock(std::string path) : path_(std::move(path)) {}
    ~PosixFileLock() override {
        if (!released_) ::unlink(path_.c_str());
    }
    std::string release() override {
        released_ = true;
        return ::unlink(path_.c_str()) == 0 || errno == ENOENT ? std::string() : reasonOf(errno);
    }

  private:
    std::string path_;
    bool released_ = false;
};

// Whether the lock at `path` is stale. Nothing is said of a lock that is gone by now.
bool isStale(const std::string& path, const std::string& host) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0) return false;
    char buffer[512];
    const ssize_t got = ::read(fd, buffer, sizeof buffer - 1);
    struct stat status {};
    const bool known = ::fstat(fd, &status) == 0;
    ::close(fd);
    if (got == 0) return true;
    if (known) {
        const auto age = std::chrono::system_clock::now() -
                         std::chrono::system_clock::from_time_t(status.st_mtime);
        if (age > kStaleAge || age < -kStaleAge) return true;
    }
    if (got < 0) return false;
    buffer[got] = '\0';
    const std::string content(buffer);
    const auto firstEnd = content.find('\n');
    const std::string pidText = content.substr(0, firstEnd);
    char* end = nullptr;
    const long pid = std::strtol(pidText.c_str(), &end, 10);
    if (pidText.empty() || *end != '\0' || pid <= 0 || pid > INT_MAX) return false;
    // The third line names the host; a lock of another host is judged by its age alone.
    std::string lockHost;
    if (firstEnd != std::string::npos) {
        const auto second = content.find('\n', firstEnd + 1);
        if (second != std::string::npos)
            lockHost = content.substr(second + 1, content.find('\n', second + 1) - second - 1);
    }
    if (!lockHost.empty() && lockHost != host) return false;
    if (pid == ::getpid()) return true;
    return ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH;
}

std::string writeAll(int fd, const std::string& text) {
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t written = ::write(fd, text.data() + done, text.size() - done);
        if (written < 0 && errno == EINTR) continue;
        if (written < 0) return reasonOf(errno);
        if (written == 0) return reasonOf(ENOSPC);
        done += static_cast<std::size_t>(written);
    }
    return {};
}

}  // namespace

std::unique_ptr<FileLock> PosixFileLocks::lock(const std::string& name, std::string& failure) {
    const std::string path = name + ".lock";
    const std::string host = hostName();
    const std::string content =
        std::to_string(::getpid()) + "\n" + programName_ + "\n" + host + "\n";
    const auto deadline = std::chrono::steady_clock::now() + kStaleAge + kPoll * 5;
    bool madeFolders = false;
    int broken = 0;
    for (;;) {
        const int fd =
            ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0644);
        if (fd >= 0) {
            auto trouble = writeAll(fd, content);
            if (::close(fd) != 0 && trouble.empty()) trouble = reasonOf(errno);
            if (trouble.empty()) return std::make_unique<PosixFileLock>(path);
            ::unlink(path.c_str());
            failure = "cannot write its lock " + path + ": " + trouble;
            return nullptr;
        }
        const int error = errno;
        if (error == ENOENT && !madeFolders) {
            madeFolders = true;
            if (auto trouble = makeFolders(folderOf(path)); !trouble.empty()) {
                failure = trouble;
                return nullptr;
            }
            continue;
        }
        if (error != EEXIST) {
            failure = "cannot create its lock " + path + ": " + reasonOf(error);
            return nullptr;
        }
        if (isStale(path, host) && broken < kBreakAttempts) {
            ++broken;
            if (::unlink(path.c_str()) != 0 && errno != ENOENT) {
                failure = "cannot remove the stale lock " + path + ": " + reasonOf(errno);
                return nullptr;
            }
            continue;
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            failure = "another program keeps it locked (" + path + ")";
            return nullptr;
        }
        std::this_thread::sleep_for(kPoll);
    }
}

std::unique_ptr<FileLocks> os::makeFileLocks(const std::string& programName) {
    return std::make_unique<PosixFileLocks>(programName);
}

}  // namespace rzv
