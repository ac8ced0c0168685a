// The event log part: which event each report becomes (type, id, insertion strings), the ids
// the message table compiled into the program gives them, and the registration it checks first.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "events.h"  // the message compiler's ids of resources/windows/events.mc
#include "os/win32/event_log.h"
#include "platform/os_parts.h"

namespace rzv {
namespace {

static_assert(RZV_EVENT_UPTIME_RECORDED == kEventUptimeRecorded);
static_assert(RZV_EVENT_LOG_WRITE_FAILED == kEventLogWriteFailed);
static_assert(RZV_EVENT_WARNING == kEventWarning);
static_assert(static_cast<WORD>(EventType::Information) == EVENTLOG_INFORMATION_TYPE);
static_assert(static_cast<WORD>(EventType::Warning) == EVENTLOG_WARNING_TYPE);
static_assert(static_cast<WORD>(EventType::Error) == EVENTLOG_ERROR_TYPE);

struct Event {
    EventType type;
    std::uint32_t id;
    std::vector<std::wstring> strings;
};

TEST(EventLog, eachReportIsOneEventOfItsTypeAndId) {
    std::vector<Event> events;
    Win32EventLog log([&](EventType type, std::uint32_t id, const std::vector<std::wstring>& s) {
        events.push_back({type, id, s});
    });
    const std::string record =
        "====\r\nPC Name = B\xC3\xBC"
        "RO\r\n====";
    log.uptimeRecorded({record, 273907250, "3d, 4h, 5m, 7s", "B\xC3\xBCRO", "C:\\logs\\X.LOG", true,
                        "2026-12-03T10:00:02Z", 200000000, 73907250, true});
    log.logWriteFailed("C:\\logs\\X.LOG", "cannot write the log file X.LOG: Access is denied",
                       "Access is denied");
    log.warning("setting MAIN_Top holds \"x\"");
    ASSERT_EQ(events.size(), 3u);
    EXPECT_EQ(events[0].type, EventType::Information);
    EXPECT_EQ(events[0].id, 1u);
    EXPECT_EQ(events[0].strings, (std::vector<std::wstring>{
                                     L"====\r\nPC Name = B\u00FCRO\r\n====", L"273907250",
                                     L"3d, 4h, 5m, 7s", L"B\u00FCRO", L"C:\\logs\\X.LOG", L"1",
                                     L"2026-12-03T10:00:02Z", L"200000000", L"73907250", L"1"}));
    EXPECT_EQ(events[1].type, EventType::Error);
    EXPECT_EQ(events[1].id, 2u);
    EXPECT_EQ(events[1].strings,
              (std::vector<std::wstring>{L"cannot write the log file X.LOG: Access is denied",
                                         L"C:\\logs\\X.LOG", L"Access is denied"}));
    EXPECT_EQ(events[2].type, EventType::Warning);
    EXPECT_EQ(events[2].id, 3u);
    EXPECT_EQ(events[2].strings, std::vector<std::wstring>{L"setting MAIN_Top holds \"x\""});
}

TEST(EventLog, anInsertionStringStaysWithinWhatReportEventTakes) {
    std::vector<Event> events;
    Win32EventLog log([&](EventType type, std::uint32_t id, const std::vector<std::wstring>& s) {
        events.push_back({type, id, s});
    });
    log.warning(std::string(40000, 'w'));
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].strings[0].size(), 31839u);
}

// Only a source the installer registered gets events; a portable copy's name has none.
TEST(EventLog, writesOnlyUnderARegisteredSource) {
    const std::string name = "rzv-test-source-" + std::to_string(GetCurrentProcessId());
    EXPECT_FALSE(isEventSourceRegistered(name));
    EXPECT_FALSE(isEventSourceRegistered(""));
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, eventSourceKey(name).c_str(), 0, nullptr, 0,
                              KEY_SET_VALUE, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegCloseKey(key);
    EXPECT_TRUE(isEventSourceRegistered(name));
    const auto log = os::makeSystemLog(name);
    EXPECT_EQ(dynamic_cast<NoSystemLog*>(log.get()), nullptr);
    log->warning("a warning under a registered source");  // reaches the event log, and returns
    RegDeleteKeyW(HKEY_LOCAL_MACHINE, eventSourceKey(name).c_str());
    EXPECT_FALSE(isEventSourceRegistered(name));
    EXPECT_NE(dynamic_cast<NoSystemLog*>(os::makeSystemLog(name).get()), nullptr);
}

}  // namespace
}  // namespace rzv
