#include "os/posix/termination_signals.h"

#include <fcntl.h>
#include <unistd.h>

#include <csignal>

#include "platform/os_parts.h"

namespace rzv {
namespace {

constexpr int kSignals[] = {SIGTERM, SIGINT, SIGHUP};
int pipeEnds[2] = {-1, -1};

void onTerminationSignal(int) {
    const char byte = 1;
    // A full pipe already holds a request; nothing more to say.
    [[maybe_unused]] const auto written = ::write(pipeEnds[1], &byte, 1);
}

}  // namespace

TerminationSignals::TerminationSignals() {
    if (::pipe(pipeEnds) != 0) return;
    for (int end : pipeEnds) {
        ::fcntl(end, F_SETFL, ::fcntl(end, F_GETFL) | O_NONBLOCK);
        ::fcntl(end, F_SETFD, FD_CLOEXEC);
    }
    struct sigaction action {};
    action.sa_handler = onTerminationSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signal : kSignals) sigaction(signal, &action, nullptr);
}

TerminationSignals::~TerminationSignals() {
    for (int signal : kSignals) std::signal(signal, SIG_DFL);
    for (int& end : pipeEnds) {
        if (end >= 0) ::close(end);
        end = -1;
    }
}

int TerminationSignals::wakeDescriptor() const {
    return pipeEnds[0];
}

bool TerminationSignals::takePending() {
    bool pending = false;
    char bytes[16];
    while (pipeEnds[0] >= 0 && ::read(pipeEnds[0], bytes, sizeof bytes) > 0) pending = true;
    return pending;
}

std::unique_ptr<TerminationRequests> os::makeTerminationRequests() {
    return std::make_unique<TerminationSignals>();
}

}  // namespace rzv
