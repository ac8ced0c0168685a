#include "os/linux/journal_entry.h"

#include <cstdint>

namespace rzv::journal {
namespace {

constexpr std::size_t kLongestName = 64;

// The journal shows a message line by line; a CR would stay in each line as a stray byte and
// turn the whole message into a byte array in journalctl's JSON.
std::string withLineFeeds(std::string_view crlfText) {
    std::string text;
    text.reserve(crlfText.size());
    for (std::size_t i = 0; i < crlfText.size(); ++i) {
        if (crlfText[i] == '\r' && i + 1 < crlfText.size() && crlfText[i + 1] == '\n') continue;
        text += crlfText[i];
    }
    return text;
}

void appendLittleEndian64(std::string& out, std::uint64_t value) {
    for (int byte = 0; byte < 8; ++byte) out += static_cast<char>((value >> (8 * byte)) & 0xFF);
}

std::vector<Field> common(std::string_view message, const char* id, const char* priority,
                          std::string_view identifier) {
    return {{"MESSAGE", std::string(message)},
            {"MESSAGE_ID", id},
            {"PRIORITY", priority},
            {"SYSLOG_IDENTIFIER", std::string(identifier)}};
}

}  // namespace

bool isValidFieldName(std::string_view name) {
    if (name.empty() || name.size() > kLongestName) return false;
    if (name.front() == '_' || (name.front() >= '0' && name.front() <= '9')) return false;
    for (char c : name)
        if (!((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_')) return false;
    return true;
}

std::string encode(const std::vector<Field>& fields) {
    std::string out;
    for (const auto& field : fields) {
        if (!isValidFieldName(field.name)) continue;
        out += field.name;
        if (field.value.find('\n') == std::string::npos) {
            out += '=';
            out += field.value;
        } else {
            out += '\n';
            appendLittleEndian64(out, field.value.size());
            out += field.value;
        }
        out += '\n';
    }
    return out;
}

std::vector<Field> recordFields(const UptimeRecordEntry& entry, std::string_view identifier) {
    auto fields = common(withLineFeeds(entry.record), kUptimeRecordedId, "6", identifier);
    fields.push_back({"UPTIME_MS", std::to_string(entry.uptimeMs)});
    fields.push_back({"UPTIME", entry.uptimeText});
    fields.push_back({"COMPUTER_NAME", entry.computerName});
    fields.push_back({"LOG_FILE", entry.logFile});
    fields.push_back({"LOG_WRITTEN", entry.logWritten ? "1" : "0"});
    fields.push_back({"BOOT_TIME", entry.bootTime});
    fields.push_back({"AWAKE_MS", std::to_string(entry.awakeMs)});
    fields.push_back({"ASLEEP_MS", std::to_string(entry.asleepMs)});
    return fields;
}

std::vector<Field> failureFields(std::string_view logFile, std::string_view line,
                                 std::string_view reason, std::string_view identifier) {
    auto fields = common(line, kLogWriteFailedId, "3", identifier);
    fields.push_back({"LOG_FILE", std::string(logFile)});
    fields.push_back({"REASON", std::string(reason)});
    return fields;
}

std::vector<Field> warningFields(std::string_view line, std::string_view identifier) {
    return common(line, kWarningId, "4", identifier);
}

}  // namespace rzv::journal
