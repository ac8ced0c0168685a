#pragma once

#include "platform/diagnostics.h"

namespace rzv {

// Warnings on stderr, each a line naming the program; a fatal fault also in a message box, and
// the event loop ends with status 1.
class QtDiagnostics : public Diagnostics {
  public:
    void warn(std::string_view line) override;
    void fatal(std::string_view message) override;
    // Non-zero once a fatal fault was reported.
    int exitCode() const { return exitCode_; }

  private:
    int exitCode_ = 0;
};

}  // namespace rzv
