#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace rzv {

// One uptime record as the system's log takes it: the record itself and, beside it, the figures
// an administrator queries without reading the text.
struct UptimeRecordEntry {
    std::string record;        // the nine lines joined by CR LF, as the report box holds them
    std::uint64_t uptimeMs;    // the count since boot the record's uptime was made from
    std::string uptimeText;    // the display text of line 6 ("3d, 4h, 5m, 6s")
    std::string computerName;  // as line 5 shows it
    std::string logFile;       // the log file's absolute name
    bool logWritten;           // whether the log file now holds the record
    std::string bootTime;      // the moment of the last start, UTC: "2026-12-08T09:12:44Z"
    std::uint64_t awakeMs;     // awake since then, and asleep (or hibernated)
    std::uint64_t asleepMs;
    bool fastStartup;  // whether Shut down keeps the count going (Windows)
};

// The system's own log (the journal, the event log), which administrators collect from many
// computers. Every call is best effort: it never waits, never fails the caller, and says
// nothing where the system keeps no such log.
class SystemLog {
  public:
    virtual ~SystemLog() = default;
    virtual void uptimeRecorded(const UptimeRecordEntry& entry) = 0;
    // `line`: the failure in one line, naming the file; `reason`: the system's words for it.
    virtual void logWriteFailed(std::string_view logFile, std::string_view line,
                                std::string_view reason) = 0;
    // A warning of one line (a stored value that is not valid, a setting that was not saved).
    virtual void warning(std::string_view line) = 0;
};

// Where the system keeps no log the program can reach.
class NoSystemLog : public SystemLog {
  public:
    void uptimeRecorded(const UptimeRecordEntry&) override {}
    void logWriteFailed(std::string_view, std::string_view, std::string_view) override {}
    void warning(std::string_view) override {}
};

}  // namespace rzv
