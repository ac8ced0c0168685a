#include "os/linux/journal_system_log.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <memory>

#include "os/posix/descriptor.h"
#include "platform/os_parts.h"

namespace rzv {
namespace {

using posix::Descriptor;

// The whole payload in a memory file, sealed so that the journal may read it in place: it
// takes no file that its sender could still change.
int sealedMemoryFile(const std::string& payload) {
    const int fd = memfd_create("journal-entry", MFD_CLOEXEC | MFD_ALLOW_SEALING);
    if (fd < 0) return -1;
    std::size_t done = 0;
    while (done < payload.size()) {
        const ssize_t n = write(fd, payload.data() + done, payload.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            close(fd);
            return -1;
        }
        done += static_cast<std::size_t>(n);
    }
    if (fcntl(fd, F_ADD_SEALS, F_SEAL_SHRINK | F_SEAL_GROW | F_SEAL_WRITE | F_SEAL_SEAL) < 0) {
        close(fd);
        return -1;
    }
    return fd;
}

bool sendDescriptor(int socketFd, const sockaddr_un& address, int fd) {
    alignas(cmsghdr) char control[CMSG_SPACE(sizeof(int))] = {};
    msghdr message{};
    message.msg_name = const_cast<sockaddr_un*>(&address);
    message.msg_namelen = sizeof address;
    message.msg_control = control;
    message.msg_controllen = sizeof control;
    cmsghdr* header = CMSG_FIRSTHDR(&message);
    header->cmsg_level = SOL_SOCKET;
    header->cmsg_type = SCM_RIGHTS;
    header->cmsg_len = CMSG_LEN(sizeof(int));
    std::memcpy(CMSG_DATA(header), &fd, sizeof(int));
    return sendmsg(socketFd, &message, MSG_NOSIGNAL | MSG_DONTWAIT) >= 0;
}

}  // namespace

bool JournalSystemLog::send(const std::vector<journal::Field>& fields) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (socketPath_.size() >= sizeof address.sun_path) return false;
    std::memcpy(address.sun_path, socketPath_.c_str(), socketPath_.size() + 1);
    // No journal, no entry: nothing to report, and nobody to report it to.
    if (access(socketPath_.c_str(), F_OK) != 0) return false;
    const Descriptor socketFd(socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0));
    if (socketFd.get() < 0) return false;

    const std::string payload = journal::encode(fields);
    const auto* to = reinterpret_cast<const sockaddr*>(&address);
    if (sendto(socketFd.get(), payload.data(), payload.size(), MSG_NOSIGNAL | MSG_DONTWAIT, to,
               sizeof address) >= 0)
        return true;
    if (errno != EMSGSIZE && errno != ENOBUFS) return false;
    const Descriptor memory(sealedMemoryFile(payload));
    return memory.get() >= 0 && sendDescriptor(socketFd.get(), address, memory.get());
}

void JournalSystemLog::uptimeRecorded(const UptimeRecordEntry& entry) {
    send(journal::recordFields(entry, identifier_));
}

void JournalSystemLog::logWriteFailed(std::string_view logFile, std::string_view line,
                                      std::string_view reason) {
    send(journal::failureFields(logFile, line, reason, identifier_));
}

void JournalSystemLog::warning(std::string_view line) {
    send(journal::warningFields(line, identifier_));
}

std::unique_ptr<SystemLog> os::makeSystemLog(const std::string& programName) {
    return std::make_unique<JournalSystemLog>(programName);
}

}  // namespace rzv
