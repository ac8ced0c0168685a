#pragma once

namespace rzv {

// Requests from outside to end the program: a signal, a closed terminal or session. The OS part
// only records them, from the moment it exists; the front end's event loop acts on them once
// the window is there, so a request during start-up is kept, not lost.
class TerminationRequests {
  public:
    virtual ~TerminationRequests() = default;
    // A descriptor that turns readable when a request arrives; -1 where requests come another
    // way (or never).
    virtual int wakeDescriptor() const = 0;
    // Whether a request came since the last call; forgets it.
    virtual bool takePending() = 0;
};

}  // namespace rzv
