#pragma once

#include <string_view>

namespace rzv {

// Where the program tells of trouble.
class Diagnostics {
  public:
    virtual ~Diagnostics() = default;
    // One line for the technically minded (stderr), the program goes on.
    virtual void warn(std::string_view line) = 0;
    // A failure the program survives and also reports to the system's log as an event of its
    // own (the log file that cannot be written): the same line as a warning, kept apart so the
    // system's log does not take it a second time as one.
    virtual void warnOfReportedFailure(std::string_view line) { warn(line); }
    // A fault that ends the program: shown to the user, then the program exits with a non-zero
    // status once control returns to the event loop.
    virtual void fatal(std::string_view message) = 0;
};

}  // namespace rzv
