#include "os/posix/file_output.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstring>
#include <random>

#include "os/posix/descriptor.h"
#include "os/posix/paths.h"
#include "platform/os_parts.h"

namespace rzv {
namespace {

constexpr int kMaxLinkHops = 40;  // the kernel's own limit
constexpr int kNameAttempts = 100;

using posix::baseOf;
using posix::Descriptor;
using posix::folderOf;
using posix::reasonOf;

WriteRefusal refusalOf(int error) {
    switch (error) {
        case EACCES:
        case EPERM:
        case EROFS:
            return WriteRefusal::Rights;
        case ENOSPC:
        case EDQUOT:
            return WriteRefusal::FullDisk;
        default:
            return WriteRefusal::Other;
    }
}

// The failure of a call that set `error`, in the system's words unless `reason` says more.
FileWrite failed(int error, std::string reason = {}) {
    return {reason.empty() ? reasonOf(error) : std::move(reason), refusalOf(error)};
}

// A refusal that is the program's own choice, not the system's.
FileWrite refused(std::string reason) {
    return {std::move(reason), WriteRefusal::Other};
}

// Where the content goes: the named file itself, or the regular file its links lead to.
struct Target {
    std::string path;
    bool exists = false;
    struct stat status {};
};

// The rule of the kernel's protected symlinks: in a sticky, world-writable folder (/tmp) only
// links of the folder's owner or of the user are followed, so nobody can plant one there that
// leads the program to overwrite a file of its user.
std::string linkRefusal(const std::string& link, const struct stat& linkStatus) {
    struct stat folder {};
    if (::stat(folderOf(link).c_str(), &folder) != 0) return reasonOf(errno);
    const bool shared = (folder.st_mode & S_ISVTX) && (folder.st_mode & S_IWOTH);
    if (shared && linkStatus.st_uid != folder.st_uid && linkStatus.st_uid != ::geteuid())
        return "the symbolic link " + link + " belongs to another user in a shared folder";
    return {};
}

std::string linkTarget(const std::string& link, std::string& target) {
    std::string buffer(PATH_MAX, '\0');
    const ssize_t length = ::readlink(link.c_str(), buffer.data(), buffer.size());
    if (length < 0) return reasonOf(errno);
    if (length == 0 || static_cast<std::size_t>(length) == buffer.size())
        return reasonOf(length == 0 ? ENOENT : ENAMETOOLONG);
    buffer.resize(static_cast<std::size_t>(length));
    target = buffer.front() == '/' ? buffer : folderOf(link) + "/" + buffer;
    return {};
}

// Whatever stops a link from being followed is the link's fault, never a question of the
// folder's rights.
FileWrite resolve(const std::string& name, Target& target) {
    target.path = name;
    for (int hops = 0; hops <= kMaxLinkHops; ++hops) {
        if (::lstat(target.path.c_str(), &target.status) != 0) {
            const int error = errno;
            // A missing file is created; a link leading nowhere is not followed.
            if (error == ENOENT && hops == 0) return {};
            return hops == 0 ? failed(error)
                             : refused("the symbolic link leads to " + target.path + ": " +
                                       reasonOf(error));
        }
        if (S_ISREG(target.status.st_mode)) {
            target.exists = true;
            return {};
        }
        if (!S_ISLNK(target.status.st_mode))
            return refused(hops == 0 ? "it is not a regular file"
                                     : "the symbolic link leads to " + target.path +
                                           ", which is not a regular file");
        if (auto refusal = linkRefusal(target.path, target.status); !refusal.empty())
            return refused(refusal);
        if (auto failure = linkTarget(target.path, target.path); !failure.empty())
            return refused(failure);
    }
    return refused(reasonOf(ELOOP));
}

FileWrite writeAll(int fd, std::string_view text) {
    while (!text.empty()) {
        const ssize_t written = ::write(fd, text.data(), text.size());
        if (written < 0 && errno == EINTR) continue;
        if (written < 0) return failed(errno);
        if (written == 0) return failed(ENOSPC);  // no progress: the disk is full
        text.remove_prefix(static_cast<std::size_t>(written));
    }
    return {};
}

// Writes, syncs and closes.
FileWrite writeDurably(Descriptor& file, std::string_view text) {
    if (auto write = writeAll(file.get(), text); !write.written()) return write;
    if (::fsync(file.get()) != 0)
        return failed(errno, "cannot sync it to the disk: " + reasonOf(errno));
    const int error = file.close();
    return error == 0 ? FileWrite{} : failed(error);
}

// A hidden file beside the target, created new (never an existing one, never through a link).
// A new log gets the usual permissions (0666 less the umask), a replaced one keeps its own.
int createTemporaryBeside(const Target& target, bool lockedName, std::string& temporary) {
    static std::mt19937 random{std::random_device{}()};
    const mode_t mode = target.exists ? (target.status.st_mode & 0777) : 0666;
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        temporary = folderOf(target.path) + "/." + baseOf(target.path) + "." +
                    std::to_string(random() % 1000000000u) + ".tmp";
        if (lockedName) temporary = folderOf(target.path) + "/." + baseOf(target.path) + ".tmp";
        const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (fd >= 0 && target.exists && ::fchmod(fd, mode) != 0) {
            const int error = errno;  // the umask narrowed the mode and it cannot be widened
            ::close(fd);
            ::unlink(temporary.c_str());
            errno = error;
            return -1;
        }
        if (fd >= 0 || errno != EEXIST) return fd;
        // Under the lock a file of that name is a leftover of a failed save.
        if (lockedName && attempt > 0) return -1;
        if (lockedName && ::unlink(temporary.c_str()) != 0) return -1;
    }
    return -1;
}

// The rename is durable only once the folder is synced. The new record is in place by then, so
// the reason says that the old one is gone.
FileWrite syncFolder(const std::string& folder, const char* content) {
    Descriptor handle(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (handle.get() >= 0 && ::fsync(handle.get()) == 0) return {};
    return refused(std::string("the new ") + content +
                   " replaced the old one, but its folder cannot be synced to the disk (" +
                   reasonOf(errno) + "), so a crash may still lose it");
}

FileWrite replaceAtomically(const Target& target, std::string_view text, int fd,
                            const std::string& temporary, const char* content) {
    Descriptor file(fd);
    auto write = writeDurably(file, text);
    if (write.written() && ::rename(temporary.c_str(), target.path.c_str()) != 0)
        write = failed(errno);
    if (!write.written()) {
        ::unlink(temporary.c_str());
        return write;
    }
    return syncFolder(folderOf(target.path), content);
}

// A folder that admits no new file but holds a log the user may write (a log made ready by an
// administrator): the only way to write it is in place, as a plain write would.
FileWrite rewriteInPlace(const Target& target, std::string_view text, int folderError,
                         const char* content) {
    Descriptor file(::open(target.path.c_str(), O_WRONLY | O_NOFOLLOW | O_CLOEXEC));
    if (file.get() < 0) return failed(folderError);
    struct stat opened {};
    if (::fstat(file.get(), &opened) != 0 || opened.st_dev != target.status.st_dev ||
        opened.st_ino != target.status.st_ino)
        return refused("the file changed while it was being opened");
    const std::string damaged =
        std::string(" (its folder admits no new file, so it was rewritten in place: the old ") +
        content + " may be damaged)";
    auto write = ::ftruncate(file.get(), 0) == 0 ? writeDurably(file, text) : failed(errno);
    if (!write.written()) write.failure += damaged;
    return write;
}

}  // namespace

FileWrite PosixFileOutput::replace(const std::string& name, std::string_view text) {
    Target target;
    if (auto refusal = resolve(name, target); !refusal.written()) return refusal;
    std::string temporary;
    const int fd = createTemporaryBeside(target, options_.lockedName, temporary);
    if (fd >= 0) return replaceAtomically(target, text, fd, temporary, options_.content);
    const int error = errno;
    if ((error == EACCES || error == EPERM) && target.exists)
        return rewriteInPlace(target, text, error, options_.content);
    return failed(error);
}

std::string PosixFileOutput::absoluteName(const std::string& relativeName) {
    if (!relativeName.empty() && relativeName.front() == '/') return relativeName;
    std::string folder(256, '\0');
    while (!getcwd(folder.data(), folder.size())) {
        if (errno != ERANGE || folder.size() > (1u << 20)) return relativeName;
        folder.resize(folder.size() * 2);
    }
    folder.resize(std::strlen(folder.c_str()));
    if (folder.back() != '/') folder += '/';
    return folder + relativeName;
}

std::unique_ptr<FileOutput> os::makeFileOutput() {
    return std::make_unique<PosixFileOutput>();
}

std::unique_ptr<FileOutput> os::makeLockedFileOutput() {
    return std::make_unique<PosixFileOutput>(PosixFileOutput::Options{"file", true});
}

}  // namespace rzv
