// Entries of the systemd journal in its native protocol: one datagram of fields, each
// "NAME=value\n", or, for a value that holds a line break, "NAME\n", the value's length as a
// 64-bit little-endian number, the value's bytes and "\n". Plain bytes in, bytes out: no socket.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/system_log.h"

namespace rzv::journal {

// The entries' MESSAGE_ID, fixed for good: the queries of the administrators who collect them
// name these.
inline constexpr const char* kUptimeRecordedId = "dd0e3b88f3e94ae4929e6867de288a8c";
inline constexpr const char* kLogWriteFailedId = "2363ef8408f2489789f5f91907a080c4";
inline constexpr const char* kWarningId = "e32e1c962a5c444b8e5a3a7286bf057a";

struct Field {
    std::string name;
    std::string value;
};

// A name the journal accepts from a client: 1 to 64 of A-Z, 0-9 and "_", neither starting with
// "_" (the journal's own fields) nor with a digit.
bool isValidFieldName(std::string_view name);

// The datagram's bytes. Fields whose name the journal would refuse are left out.
std::string encode(const std::vector<Field>& fields);

// The entry of one uptime record (PRIORITY 6, its nine lines as the MESSAGE), of a log file
// that could not be written (PRIORITY 3) and of a warning (PRIORITY 4), each under the program's
// name as SYSLOG_IDENTIFIER.
std::vector<Field> recordFields(const UptimeRecordEntry& entry, std::string_view identifier);
std::vector<Field> failureFields(std::string_view logFile, std::string_view line,
                                 std::string_view reason, std::string_view identifier);
std::vector<Field> warningFields(std::string_view line, std::string_view identifier);

}  // namespace rzv::journal
