#include "os/win32/event_log.h"

#include <windows.h>

#include <memory>

#include "os/win32/wide_text.h"
#include "platform/os_parts.h"

namespace rzv {
namespace {

// ReportEventW refuses an insertion string longer than this.
constexpr std::size_t kLongestString = 31839;

std::wstring insertion(std::string_view utf8) {
    std::wstring text = widen(utf8);
    if (text.size() > kLongestString) text.resize(kLongestString);
    return text;
}

// An event source handle, deregistered when it goes. Registering only once the source's key is
// known to exist: for an unknown source Windows would still log, under a generic source without
// the program's messages.
class EventSource {
  public:
    explicit EventSource(std::string_view name)
        : handle_(RegisterEventSourceW(nullptr, widen(name).c_str())) {}
    EventSource(const EventSource&) = delete;
    EventSource& operator=(const EventSource&) = delete;
    ~EventSource() {
        if (handle_) DeregisterEventSource(handle_);
    }
    void report(EventType type, std::uint32_t id, const std::vector<std::wstring>& strings) const {
        if (!handle_) return;
        std::vector<LPCWSTR> pointers;
        for (const auto& text : strings) pointers.push_back(text.c_str());
        // Best effort: a full or stopped event log changes nothing in the run.
        ReportEventW(handle_, static_cast<WORD>(type), 0, id, nullptr,
                     static_cast<WORD>(pointers.size()), 0, pointers.data(), nullptr);
    }

  private:
    HANDLE handle_;
};

}  // namespace

std::wstring eventSourceKey(std::string_view source) {
    return L"SYSTEM\\CurrentControlSet\\Services\\EventLog\\Application\\" + widen(source);
}

bool isEventSourceRegistered(std::string_view source) {
    if (source.empty()) return false;
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, eventSourceKey(source).c_str(), 0, KEY_QUERY_VALUE,
                      &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

void Win32EventLog::uptimeRecorded(const UptimeRecordEntry& entry) {
    report_(EventType::Information, kEventUptimeRecorded,
            {insertion(entry.record), insertion(std::to_string(entry.uptimeMs)),
             insertion(entry.uptimeText), insertion(entry.computerName), insertion(entry.logFile),
             entry.logWritten ? L"1" : L"0", insertion(entry.bootTime),
             insertion(std::to_string(entry.awakeMs)), insertion(std::to_string(entry.asleepMs)),
             entry.fastStartup ? L"1" : L"0"});
}

void Win32EventLog::logWriteFailed(std::string_view logFile, std::string_view line,
                                   std::string_view reason) {
    report_(EventType::Error, kEventLogWriteFailed,
            {insertion(line), insertion(logFile), insertion(reason)});
}

void Win32EventLog::warning(std::string_view line) {
    report_(EventType::Warning, kEventWarning, {insertion(line)});
}

std::unique_ptr<SystemLog> os::makeSystemLog(const std::string& programName) {
    if (!isEventSourceRegistered(programName)) return std::make_unique<NoSystemLog>();
    auto source = std::make_shared<EventSource>(programName);
    return std::make_unique<Win32EventLog>(
        [source](EventType type, std::uint32_t id, const std::vector<std::wstring>& strings) {
            source->report(type, id, strings);
        });
}

}  // namespace rzv
