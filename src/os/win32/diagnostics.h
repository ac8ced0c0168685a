#pragma once

#include <string>

#include "platform/program_diagnostics.h"

namespace rzv {

// Warnings also to the debugger output; a fatal fault in a message box where someone can see
// one, after which the message loop ends.
class Win32Diagnostics : public ProgramDiagnostics {
  public:
    using ProgramDiagnostics::ProgramDiagnostics;

  protected:
    void alsoWarn(std::string_view line) override;
    void showFatal(std::string_view message, int exitCode) override;
};

// Whether the process's window station is one a user sees. A task that runs "whether the user
// is logged on or not" runs in session 0, where a message box waits for a click that never
// comes, and the task with it.
bool desktopIsVisible();

}  // namespace rzv
