// Preloaded into the real program by the end-to-end checks: one system call fails for one chosen
// file, as a full or failing disk makes it fail. Every other file and call is left alone.
//   RZV_FAULT_FILE   part of the file's name; the hidden file written beside it carries it too
//   RZV_FAULT_CALL   write, short-write (half the bytes, then the error), sync (fsync and
//                    fdatasync) or rename (onto the file)
//   RZV_FAULT_ERRNO  ENOSPC (the default) or EIO
#include <dlfcn.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

template <typename Function>
Function real(const char* name) {
    return reinterpret_cast<Function>(dlsym(RTLD_NEXT, name));
}

bool chosen(const char* call) {
    const char* wanted = std::getenv("RZV_FAULT_CALL");
    return wanted && std::strcmp(wanted, call) == 0 && std::getenv("RZV_FAULT_FILE");
}

bool namesChosenFile(const char* path) {
    return path && std::strstr(path, std::getenv("RZV_FAULT_FILE"));
}

bool isChosenFile(int fd) {
    char link[64], path[4096];
    std::snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
    const ssize_t length = readlink(link, path, sizeof path - 1);
    if (length <= 0) return false;
    path[length] = '\0';
    return namesChosenFile(path);
}

int fail() {
    const char* name = std::getenv("RZV_FAULT_ERRNO");
    errno = name && std::strcmp(name, "EIO") == 0 ? EIO : ENOSPC;
    return -1;
}

}  // namespace

extern "C" ssize_t write(int fd, const void* data, size_t size) {
    static const auto next = real<ssize_t (*)(int, const void*, size_t)>("write");
    const bool shortWrite = chosen("short-write");
    if ((!chosen("write") && !shortWrite) || !isChosenFile(fd)) return next(fd, data, size);
    static bool halfWritten = false;
    if (!shortWrite || halfWritten || size < 2) return fail();
    halfWritten = true;
    return next(fd, data, size / 2);
}

extern "C" int fsync(int fd) {
    static const auto next = real<int (*)(int)>("fsync");
    return chosen("sync") && isChosenFile(fd) ? fail() : next(fd);
}

extern "C" int fdatasync(int fd) {
    static const auto next = real<int (*)(int)>("fdatasync");
    return chosen("sync") && isChosenFile(fd) ? fail() : next(fd);
}

extern "C" int rename(const char* from, const char* to) {
    static const auto next = real<int (*)(const char*, const char*)>("rename");
    return chosen("rename") && namesChosenFile(to) ? fail() : next(from, to);
}
