// The half of the front ends' diagnostics that is the same on every system: each warning is one
// line "<program>: <text>" on the standard error stream, and a fatal fault, once shown in the
// front end's own way, leaves the exit status 1.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>
#include <utility>

#include "platform/diagnostics.h"

namespace rzv {

class ProgramDiagnostics : public Diagnostics {
  public:
    explicit ProgramDiagnostics(std::string program) : program_(std::move(program)) {}

    void warn(std::string_view line) override {
        std::fprintf(stderr, "%s: %.*s\n", program_.c_str(), static_cast<int>(line.size()),
                     line.data());
        std::fflush(stderr);
        alsoWarn(line);
    }
    void fatal(std::string_view message) final {
        exitCode_ = 1;
        warn(message);
        showFatal(message, exitCode_);
    }
    // Non-zero once a fatal fault was reported.
    int exitCode() const { return exitCode_; }

  protected:
    const std::string& program() const { return program_; }
    // Where else the system shows a warning.
    virtual void alsoWarn(std::string_view) {}
    // Shows the fault to the user where one can see it, and ends the event loop with `exitCode`.
    virtual void showFatal(std::string_view message, int exitCode) = 0;

  private:
    std::string program_;
    int exitCode_ = 0;
};

}  // namespace rzv
