#pragma once

#include "platform/termination_requests.h"

namespace rzv {

// SIGTERM, SIGINT and SIGHUP (a session that ends, `kill`, Ctrl+C, a closed terminal) become a
// request that the event loop turns into an ordinary close, so the window's place and the
// options are saved as on any close. The handler only writes a byte to a pipe; one instance at a
// time owns the handlers.
class TerminationSignals : public TerminationRequests {
  public:
    TerminationSignals();
    ~TerminationSignals() override;
    TerminationSignals(const TerminationSignals&) = delete;
    TerminationSignals& operator=(const TerminationSignals&) = delete;

    int wakeDescriptor() const override;
    bool takePending() override;
};

}  // namespace rzv
