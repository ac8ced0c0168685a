#pragma once

#include "platform/diagnostics.h"

namespace rzv {

// Warnings to the standard error stream (a console, a redirection, or nowhere) and to the
// debugger output; a fatal fault in a message box, after which the message loop ends with a
// non-zero exit code.
class Win32Diagnostics : public Diagnostics {
  public:
    void warn(std::string_view line) override;
    void fatal(std::string_view message) override;
    int exitCode() const { return exitCode_; }

  private:
    int exitCode_ = 0;
};

}  // namespace rzv
