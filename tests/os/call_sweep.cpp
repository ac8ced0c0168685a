// Preloaded into the save driver by the sweep: counts the file-system calls made on one folder and
// makes the Nth of them fail, once or from then on, as a failing disk or network folder would.
//   RZV_SWEEP_FOLDER   the folder (absolute, no trailing slash); calls on other files pass
//   RZV_SWEEP_FAIL_AT  N: the call that fails (1 is the first; unset or 0: none)
//   RZV_SWEEP_ERRNO    EIO (the default) or ENOSPC
//   RZV_SWEEP_PERSIST  1: every call from the Nth on fails
//   RZV_SWEEP_REPORT   a file that receives, at exit, one line per call: "N call path [failed]"
#include <dlfcn.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

template <typename Function>
Function real(const char* name) {
    return reinterpret_cast<Function>(dlsym(RTLD_NEXT, name));
}

thread_local bool inside = false;  // our own calls pass untouched

struct Sweep {
    std::string folder;
    long failAt = 0;
    bool persist = false;
    int error = EIO;
    long calls = 0;
    std::vector<std::string> log;
    Sweep() {
        if (const char* f = std::getenv("RZV_SWEEP_FOLDER")) folder = f;
        if (const char* n = std::getenv("RZV_SWEEP_FAIL_AT")) failAt = std::atol(n);
        if (const char* p = std::getenv("RZV_SWEEP_PERSIST")) persist = std::strcmp(p, "1") == 0;
        if (const char* e = std::getenv("RZV_SWEEP_ERRNO"))
            error = std::strcmp(e, "ENOSPC") == 0 ? ENOSPC : EIO;
    }
    ~Sweep() {
        const char* report = std::getenv("RZV_SWEEP_REPORT");
        if (!report) return;
        inside = true;
        if (std::FILE* out = std::fopen(report, "w")) {
            for (const auto& line : log) std::fprintf(out, "%s\n", line.c_str());
            std::fclose(out);
        }
    }
};

Sweep& sweep() {
    static Sweep instance;
    return instance;
}

bool inFolder(const char* path) {
    const std::string& folder = sweep().folder;
    if (!path || folder.empty()) return false;
    return std::strncmp(path, folder.c_str(), folder.size()) == 0 &&
           (path[folder.size()] == '\0' || path[folder.size()] == '/');
}

std::string pathOf(int fd) {
    static const auto readlinkReal = real<ssize_t (*)(const char*, char*, size_t)>("readlink");
    char link[64], path[4096];
    std::snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
    const ssize_t length = readlinkReal(link, path, sizeof path - 1);
    if (length <= 0) return {};
    path[length] = '\0';
    return path;
}

// Whether this call, on `path`, fails; counts it when it is on the folder.
bool fails(const char* call, const char* path) {
    if (inside || !inFolder(path)) return false;
    inside = true;
    Sweep& s = sweep();
    const long n = ++s.calls;
    const bool failing = s.failAt > 0 && (n == s.failAt || (s.persist && n > s.failAt));
    s.log.push_back(std::to_string(n) + " " + call + " " + path + (failing ? " failed" : ""));
    inside = false;
    if (failing) errno = s.error;
    return failing;
}

bool failsOn(const char* call, int fd) {
    if (inside) return false;
    inside = true;
    const std::string path = pathOf(fd);
    inside = false;
    return fails(call, path.c_str());
}

mode_t modeOf(int flags, va_list& args) {
    return (flags & O_CREAT) || (flags & O_TMPFILE) == O_TMPFILE ? va_arg(args, mode_t) : 0;
}

}  // namespace

extern "C" {

int open(const char* path, int flags, ...) {
    static const auto next = real<int (*)(const char*, int, ...)>("open");
    va_list args;
    va_start(args, flags);
    const mode_t mode = modeOf(flags, args);
    va_end(args);
    return fails("open", path) ? -1 : next(path, flags, mode);
}

int open64(const char* path, int flags, ...) {
    static const auto next = real<int (*)(const char*, int, ...)>("open64");
    va_list args;
    va_start(args, flags);
    const mode_t mode = modeOf(flags, args);
    va_end(args);
    return fails("open", path) ? -1 : next(path, flags, mode);
}

ssize_t read(int fd, void* data, size_t size) {
    static const auto next = real<ssize_t (*)(int, void*, size_t)>("read");
    return failsOn("read", fd) ? -1 : next(fd, data, size);
}

ssize_t write(int fd, const void* data, size_t size) {
    static const auto next = real<ssize_t (*)(int, const void*, size_t)>("write");
    return failsOn("write", fd) ? -1 : next(fd, data, size);
}

int close(int fd) {
    static const auto next = real<int (*)(int)>("close");
    // A failing close still closes the descriptor, as Linux does.
    if (failsOn("close", fd)) {
        const int error = errno;
        next(fd);
        errno = error;
        return -1;
    }
    return next(fd);
}

int fsync(int fd) {
    static const auto next = real<int (*)(int)>("fsync");
    return failsOn("fsync", fd) ? -1 : next(fd);
}

int fdatasync(int fd) {
    static const auto next = real<int (*)(int)>("fdatasync");
    return failsOn("fdatasync", fd) ? -1 : next(fd);
}

int fchmod(int fd, mode_t mode) {
    static const auto next = real<int (*)(int, mode_t)>("fchmod");
    return failsOn("fchmod", fd) ? -1 : next(fd, mode);
}

int ftruncate(int fd, off_t length) {
    static const auto next = real<int (*)(int, off_t)>("ftruncate");
    return failsOn("ftruncate", fd) ? -1 : next(fd, length);
}

int fstat(int fd, struct stat* status) {
    static const auto next = real<int (*)(int, struct stat*)>("fstat");
    return failsOn("fstat", fd) ? -1 : next(fd, status);
}

int stat(const char* path, struct stat* status) {
    static const auto next = real<int (*)(const char*, struct stat*)>("stat");
    return fails("stat", path) ? -1 : next(path, status);
}

int lstat(const char* path, struct stat* status) {
    static const auto next = real<int (*)(const char*, struct stat*)>("lstat");
    return fails("lstat", path) ? -1 : next(path, status);
}

ssize_t readlink(const char* path, char* buffer, size_t size) {
    static const auto next = real<ssize_t (*)(const char*, char*, size_t)>("readlink");
    return fails("readlink", path) ? -1 : next(path, buffer, size);
}

int rename(const char* from, const char* to) {
    static const auto next = real<int (*)(const char*, const char*)>("rename");
    return fails("rename", to) ? -1 : next(from, to);
}

int unlink(const char* path) {
    static const auto next = real<int (*)(const char*)>("unlink");
    return fails("unlink", path) ? -1 : next(path);
}

int mkdir(const char* path, mode_t mode) {
    static const auto next = real<int (*)(const char*, mode_t)>("mkdir");
    return fails("mkdir", path) ? -1 : next(path, mode);
}

}  // extern "C"
