#pragma once

#include <string>
#include <utility>

#include "platform/diagnostics.h"

namespace rzv {

// Warnings to the standard error stream (a console, a redirection, or nowhere) and to the
// debugger output; a fatal fault in a message box where someone can see one, after which the
// message loop ends with a non-zero exit code. Each line and the box's title name `program`.
class Win32Diagnostics : public Diagnostics {
  public:
    explicit Win32Diagnostics(std::string program) : program_(std::move(program)) {}
    void warn(std::string_view line) override;
    void fatal(std::string_view message) override;
    int exitCode() const { return exitCode_; }

  private:
    std::string program_;
    int exitCode_ = 0;
};

// Whether the process's window station is one a user sees. A task that runs "whether the user
// is logged on or not" runs in session 0, where a message box waits for a click that never
// comes, and the task with it.
bool desktopIsVisible();

}  // namespace rzv
