// For systems whose programs hear of the end of a session through their windows (Windows:
// WM_QUERYENDSESSION), not through a signal.
#include "platform/os_parts.h"

namespace rzv {
namespace {

class NoTerminationRequests : public TerminationRequests {
  public:
    int wakeDescriptor() const override { return -1; }
    bool takePending() override { return false; }
};

}  // namespace

std::unique_ptr<TerminationRequests> os::makeTerminationRequests() {
    return std::make_unique<NoTerminationRequests>();
}

}  // namespace rzv
