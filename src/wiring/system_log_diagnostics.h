// Diagnostics that also go to the system's log, where an administrator collects them from many
// computers; a program started from the desktop menu has nobody reading its stderr.
#pragma once

#include "platform/diagnostics.h"
#include "platform/system_log.h"

namespace rzv {

class SystemLogDiagnostics : public Diagnostics {
  public:
    SystemLogDiagnostics(Diagnostics& inner, SystemLog& log) : inner_(inner), log_(log) {}
    void warn(std::string_view line) override {
        inner_.warn(line);
        log_.warning(line);
    }
    // Reported to the system's log by its own event already.
    void warnOfReportedFailure(std::string_view line) override {
        inner_.warnOfReportedFailure(line);
    }
    // Also where nobody sees the program's own report (a task in session 0).
    void fatal(std::string_view message) override {
        log_.warning(message);
        inner_.fatal(message);
    }

  private:
    Diagnostics& inner_;
    SystemLog& log_;
};

}  // namespace rzv
