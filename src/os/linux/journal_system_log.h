// The system's log on Linux: the systemd journal, reached through its socket without a library.
// libsystemd's sd_journal_sendv is not used: measured, it blocks on the 11th datagram to a
// socket that nobody reads, which would freeze the window with the journal stalled.
#pragma once

#include <string>
#include <vector>

#include "os/linux/journal_entry.h"
#include "platform/system_log.h"

namespace rzv {

// Each entry is one datagram to the journal's socket; one too large for a datagram goes in a
// sealed memory file whose descriptor an otherwise empty datagram carries, as the journal's
// protocol provides. The socket never blocks: a journal that is busy, stopped or missing drops
// the entry, and the program goes on unaware.
class JournalSystemLog : public SystemLog {
  public:
    static constexpr const char* kSocket = "/run/systemd/journal/socket";

    explicit JournalSystemLog(std::string identifier, std::string socketPath = kSocket)
        : identifier_(std::move(identifier)), socketPath_(std::move(socketPath)) {}

    void uptimeRecorded(const UptimeRecordEntry& entry) override;
    void logWriteFailed(std::string_view logFile, std::string_view line,
                        std::string_view reason) override;
    void warning(std::string_view line) override;

    // Whether the journal's socket took the entry.
    bool send(const std::vector<journal::Field>& fields);

  private:
    std::string identifier_;
    std::string socketPath_;
};

}  // namespace rzv
