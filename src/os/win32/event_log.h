// The system's log on Windows: the Application event log, under an event source named after
// the program, whose messages are the message table compiled into the executable
// (resources/windows/events.mc).
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/system_log.h"

namespace rzv {

// The events' ids, as the message table numbers them (severity and facility bits zero).
inline constexpr std::uint32_t kEventUptimeRecorded = 1;
inline constexpr std::uint32_t kEventLogWriteFailed = 2;
inline constexpr std::uint32_t kEventWarning = 3;

// ReportEventW's types.
enum class EventType : std::uint16_t { Error = 0x0001, Warning = 0x0002, Information = 0x0004 };

// Where the event source is registered: the event log finds the message table through its
// EventMessageFile. The installer writes it; a portable copy has none.
std::wstring eventSourceKey(std::string_view source);
bool isEventSourceRegistered(std::string_view source);

// One information event per record (the nine lines as its first insertion string, then the
// uptime in milliseconds, the display text, the computer name, the log file and 1 or 0 for
// written), one error event for a log file that cannot be written (the line, the file, the
// reason), one warning event per warning (the line). Every event goes to `report`.
class Win32EventLog : public SystemLog {
  public:
    using Report = std::function<void(EventType type, std::uint32_t id,
                                      const std::vector<std::wstring>& strings)>;
    explicit Win32EventLog(Report report) : report_(std::move(report)) {}

    void uptimeRecorded(const UptimeRecordEntry& entry) override;
    void logWriteFailed(std::string_view logFile, std::string_view line,
                        std::string_view reason) override;
    void warning(std::string_view line) override;

  private:
    Report report_;
};

}  // namespace rzv
