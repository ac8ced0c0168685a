#pragma once

#include "platform/program_diagnostics.h"

namespace rzv {

// A fatal fault also in a message box, and the event loop ends.
class QtDiagnostics : public ProgramDiagnostics {
  public:
    using ProgramDiagnostics::ProgramDiagnostics;

  protected:
    void showFatal(std::string_view message, int exitCode) override;
};

}  // namespace rzv
