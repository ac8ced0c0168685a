// The real platform parts on Qt.
#pragma once

#include <QObject>
#include <QTimer>
#include <memory>
#include <vector>

#include "platform/diagnostics.h"
#include "platform/environment.h"
#include "platform/executable_name.h"
#include "platform/regional_formats.h"
#include "platform/settings_store.h"
#include "platform/timer_service.h"

namespace rzv {

class QtEnvironment : public Environment {
  public:
    std::string computerName() override;
};

// Qt's per-user native store: on Linux $XDG_CONFIG_HOME/<application>.conf with one group per
// section, on Windows the registry under HKEY_CURRENT_USER\Software\<application>.
class QtSettingsStore : public SettingsStore {
  public:
    std::string read(std::string_view application, std::string_view section, std::string_view key,
                     std::string_view fallback) override;
    void write(std::string_view application, std::string_view section, std::string_view key,
               std::string_view text) override;
};

class QtExecutableName : public ExecutableName {
  public:
    std::string executableName() override;
};

class QtRegionalFormats : public RegionalFormats {
  public:
    std::string decimalSeparator() override;
};

class QtTimerService : public TimerService {
  public:
    void setFireHandler(FireHandler handler) override { handler_ = std::move(handler); }
    void start(std::size_t timer, int intervalMs) override;
    void stop(std::size_t timer) override;
    void stopAll() override;

  private:
    QTimer& timerFor(std::size_t timer);
    std::vector<std::unique_ptr<QTimer>> timers_;
    FireHandler handler_;
};

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
