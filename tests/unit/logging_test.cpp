#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "fakes/fake_platform.h"
#include "fakes/fake_window_system.h"
#include "logging/log_writer.h"
#include "wiring/reactions.h"
#include "wiring/system_log_diagnostics.h"

namespace rzv {
namespace {

using test::FakePlatform;
using test::FakeWindowSystem;

constexpr const char* kSection = "RI-ZUZERU-VAVUZA";
constexpr const char* kLog = "RI-ZUZERU-VAVUZA.LOG";
const std::string kRule(56, '=');

// The whole program on fake platform parts, driven by the virtual clock.
class LoggingRunTest : public ::testing::Test {
  protected:
    LoggingRunTest() {
        fake.ticks.bootOffset = 273896000;  // 3d 4h 4m 56s at 0 s, 3d 4h 5m 7s at 11 s
        fake.environment.name = "OFFICE-PC";
        window.setObserver(&windowSystem);
    }
    void store(const char* key, const char* text) {
        fake.settings.put(fake.executable.name, key, text);
    }
    void startUp(bool autostart, bool autoclose) {
        store("AUTOSTART_TICKBOX", autostart ? "1" : "0");
        store("AUTOCLOSE_TICKBOX", autoclose ? "1" : "0");
        reactions.load();
    }
    void clickStartStop() { reactions.click(Button::START_STOP_BUTTON); }
    // Moves the clock to `ms` after the start of the test.
    void at(std::int64_t ms) { fake.timers.advance(ms - fake.timers.now()); }

    std::string status() const { return window.caption(Label::CURRENT_STATUS_LABEL); }
    std::string button() const { return window.caption(Button::START_STOP_BUTTON); }
    bool running(Timer t) const { return fake.timers.isRunning(indexOf(t)); }
    bool uptimeLive() const {
        for (Timer t : kUptimeTimers)
            if (!running(t)) return false;
        return true;
    }
    const std::string* logFile() const {
        auto found = fake.files.files.find(kLog);
        return found == fake.files.files.end() ? nullptr : &found->second;
    }

    FakePlatform fake;
    MainWindow window{fake.timers};
    MainWindowReactions reactions{window, fake.platform, fake.about};
    FakeWindowSystem windowSystem{reactions, fake};
};

std::string expectedRecord(const std::string& dateTime, const std::string& name,
                           const std::string& uptime) {
    return kRule + "\r\n- QUORVANE - RI-ZUZERU-VAVUZA - QV-ZIV -\r\n" + kRule + "\r\n" + dateTime +
           "\r\nPC Name = " + name + "\r\nCurrent UpTime = " + uptime + "\r\n" + kRule +
           "\r\n\r\n" + kRule;
}

TEST_F(LoggingRunTest, unattendedRunLogsOnceAndClosesItselfAfter21Seconds) {
    startUp(true, true);
    EXPECT_EQ(status(), "!!! AUTOSTARTING !!!");
    at(9999);
    EXPECT_EQ(status(), "!!! AUTOSTARTING !!!");
    EXPECT_EQ(window.text(Field::QV_UPTIME_DISPLAY_TEXTBOX), "3d, 4h, 5m, 5s");
    at(10000);
    EXPECT_EQ(status(), "!!! LOGGING UPTIME !!!");
    EXPECT_FALSE(running(Timer::AUTOSTART_TIMER));
    EXPECT_TRUE(running(Timer::LOG_TIMER));
    at(10999);
    EXPECT_EQ(logFile(), nullptr);
    at(11000);
    ASSERT_NE(logFile(), nullptr);
    const auto record = expectedRecord("- 06/12/2026 - 14:05:09 -", "OFFICE-PC", "3d, 4h, 5m, 7s");
    EXPECT_EQ(*logFile(), record + "\r\n");
    EXPECT_EQ(window.text(Field::OUTPUT_REPORT_TEXTBOX), record);
    EXPECT_EQ(window.text(Field::DATE_TIME_TEXTBOX), "- 06/12/2026 - 14:05:09 -");
    EXPECT_EQ(status(), "!!! AUTOCLOSING !!!");
    EXPECT_FALSE(running(Timer::LOG_TIMER));
    EXPECT_TRUE(running(Timer::AUTOCLOSE_TIMER));
    at(20999);
    EXPECT_FALSE(windowSystem.closed);
    window.notePlacement({2000, 3000, 4380, 2325});
    at(21000);
    EXPECT_TRUE(windowSystem.closed);
    EXPECT_EQ(status(), "!!! AUTOCLOSING !!!");
    EXPECT_EQ(fake.settings.get(kSection, "AUTOSTART_TICKBOX"), "1");
    EXPECT_EQ(fake.settings.get(kSection, "AUTOCLOSE_TICKBOX"), "1");
    EXPECT_EQ(fake.settings.get(kSection, "MAIN_Left"), "2000");
    EXPECT_EQ(fake.settings.get(kSection, "MAIN_Top"), "3000");
    at(60000);
    EXPECT_EQ(fake.files.writes, 1);
}

TEST_F(LoggingRunTest, clickStartedRunLogsAndRestsInIdleWithTheUptimeLive) {
    startUp(false, false);
    at(500);
    clickStartStop();
    EXPECT_EQ(status(), "!!! STARTING !!!");
    EXPECT_EQ(button(), "STOP");
    EXPECT_EQ(window.displayBackColour(), kBlack);
    EXPECT_EQ(window.text(Field::QV_UPTIME_DISPLAY_TEXTBOX), "TIMERS DISABLED");  // until a tick
    EXPECT_TRUE(window.isEnabled(Tickbox::AUTOCLOSE_TICKBOX));
    at(501);
    EXPECT_EQ(window.text(Field::QV_UPTIME_DISPLAY_TEXTBOX), "3d, 4h, 4m, 56s");
    at(10500);
    EXPECT_EQ(status(), "!!! LOGGING UPTIME !!!");
    at(11500);
    ASSERT_NE(logFile(), nullptr);
    EXPECT_EQ(status(), "!!! LOGGING UPTIME !!!");  // Auto Close is clear
    at(21500);
    EXPECT_EQ(status(), "READY...");
    EXPECT_EQ(button(), "START");
    EXPECT_FALSE(windowSystem.closed);
    EXPECT_TRUE(uptimeLive());
    EXPECT_FALSE(running(Timer::AUTOCLOSE_TIMER));
    at(30000);
    EXPECT_EQ(window.text(Field::QV_UPTIME_DISPLAY_TEXTBOX), "3d, 4h, 5m, 26s");
}

class StopDuringRunTest : public LoggingRunTest,
                          public ::testing::WithParamInterface<std::int64_t> {};

TEST_P(StopDuringRunTest, abortsWithoutClosingAndGreysAutoClose) {
    fake.files.files[kLog] = "earlier record\r\n";
    startUp(true, true);
    at(GetParam());
    clickStartStop();
    EXPECT_EQ(status(), "!!! ABORTED !!!");
    EXPECT_EQ(button(), "START");
    EXPECT_EQ(window.text(Field::QV_UPTIME_DISPLAY_TEXTBOX), "TIMERS DISABLED");
    EXPECT_EQ(window.displayBackColour(), kRed);
    EXPECT_EQ(window.value(Tickbox::AUTOCLOSE_TICKBOX), TickState::Clear);
    EXPECT_FALSE(window.isEnabled(Tickbox::AUTOCLOSE_TICKBOX));
    EXPECT_EQ(window.value(Tickbox::AUTOSTART_TICKBOX), TickState::Ticked);
    for (Timer t : {Timer::AUTOSTART_TIMER, Timer::LOG_TIMER, Timer::AUTOCLOSE_TIMER})
        EXPECT_FALSE(running(t));
    EXPECT_FALSE(running(Timer::UPTIME_TIMER));
    at(60000);
    EXPECT_FALSE(windowSystem.closed);
    EXPECT_EQ(status(), "!!! ABORTED !!!");
    const bool wroteBeforeTheStop = GetParam() >= 11000;
    EXPECT_EQ(fake.files.writes, wroteBeforeTheStop ? 1 : 0);
    if (!wroteBeforeTheStop) {
        EXPECT_EQ(*logFile(), "earlier record\r\n");
    }
}

// Arming, Logging and Finishing.
INSTANTIATE_TEST_SUITE_P(States, StopDuringRunTest, ::testing::Values(5000, 10500, 15000));

TEST_F(LoggingRunTest, untickingAutoCloseAfterTheWriteKeepsTheProgramOpen) {
    startUp(true, true);
    at(15000);
    EXPECT_EQ(status(), "!!! AUTOCLOSING !!!");
    window.setValue(Tickbox::AUTOCLOSE_TICKBOX, TickState::Clear);
    at(21000);
    EXPECT_FALSE(windowSystem.closed);
    EXPECT_EQ(status(), "READY...");
    EXPECT_EQ(button(), "START");
}

TEST_F(LoggingRunTest, tickingAutoCloseAfterTheWriteClosesTheProgram) {
    startUp(false, false);
    clickStartStop();
    at(15000);
    EXPECT_EQ(status(), "!!! LOGGING UPTIME !!!");
    window.setValue(Tickbox::AUTOCLOSE_TICKBOX, TickState::Ticked);
    at(21000);
    EXPECT_TRUE(windowSystem.closed);
    EXPECT_EQ(fake.settings.get(kSection, "AUTOCLOSE_TICKBOX"), "1");
}

TEST_F(LoggingRunTest, untickingAutoStartDuringARunEndsItInIdle) {
    startUp(true, true);
    at(3000);
    window.setValue(Tickbox::AUTOSTART_TICKBOX, TickState::Clear);
    EXPECT_EQ(window.value(Tickbox::AUTOCLOSE_TICKBOX), TickState::Clear);
    EXPECT_FALSE(window.isEnabled(Tickbox::AUTOCLOSE_TICKBOX));
    at(21000);
    EXPECT_FALSE(windowSystem.closed);
    EXPECT_EQ(status(), "READY...");
    EXPECT_EQ(fake.files.writes, 1);
}

TEST_F(LoggingRunTest, aNewStartFromIdleLogsAgainAndTheFileHoldsOnlyTheLatestRecord) {
    startUp(true, false);
    at(21000);
    EXPECT_EQ(status(), "READY...");
    const std::string first = *logFile();
    clickStartStop();
    EXPECT_EQ(status(), "!!! STARTING !!!");
    EXPECT_TRUE(running(Timer::AUTOSTART_TIMER));
    fake.regional.time = "14:05:30";
    at(32000);
    EXPECT_EQ(fake.files.writes, 2);
    EXPECT_EQ(*logFile(),
              expectedRecord("- 06/12/2026 - 14:05:30 -", "OFFICE-PC", "3d, 4h, 5m, 28s") + "\r\n");
    EXPECT_NE(*logFile(), first);
}

TEST_F(LoggingRunTest, anEmptyComputerNameLeavesLineFiveBare) {
    fake.environment.name = "";
    startUp(true, false);
    at(11000);
    EXPECT_NE(logFile()->find("\r\nPC Name = \r\nCurrent UpTime = "), std::string::npos);
}

TEST_F(LoggingRunTest, theLogFileIsNamedAfterTheExecutable) {
    fake.executable.name = "uptime-at-login";
    startUp(true, false);
    at(11000);
    EXPECT_EQ(fake.files.files.count("uptime-at-login.LOG"), 1u);
}

TEST_F(LoggingRunTest, aLogThatCannotBeWrittenIsSaidPlainlyAndTheRunEndsInIdle) {
    fake.files.files[kLog] = "earlier record\r\n";
    fake.files.failure = "Permission denied";
    startUp(true, true);
    at(11000);
    EXPECT_EQ(status(), "!!! LOG WRITE FAILED !!!");
    EXPECT_EQ(button(), "START");
    EXPECT_EQ(window.text(Field::OUTPUT_REPORT_TEXTBOX),
              expectedRecord("- 06/12/2026 - 14:05:09 -", "OFFICE-PC", "3d, 4h, 5m, 7s"));
    EXPECT_EQ(*logFile(), "earlier record\r\n");
    ASSERT_EQ(fake.diagnostics.warnings.size(), 1u);
    EXPECT_NE(fake.diagnostics.warnings[0].find(kLog), std::string::npos);
    EXPECT_NE(fake.diagnostics.warnings[0].find("Permission denied"), std::string::npos);
    for (Timer t : {Timer::AUTOSTART_TIMER, Timer::LOG_TIMER, Timer::AUTOCLOSE_TIMER})
        EXPECT_FALSE(running(t));
    EXPECT_TRUE(uptimeLive());
    at(60000);
    EXPECT_FALSE(windowSystem.closed);
    EXPECT_EQ(status(), "!!! LOG WRITE FAILED !!!");
    // A new start tries again.
    fake.files.failure.clear();
    clickStartStop();
    at(71000);
    EXPECT_EQ(fake.files.writes, 1);
}

TEST(LogRecord, isNineLinesJoinedByCrLf) {
    test::VirtualTimerService timers;
    MainWindow window(timers);
    window.setText(Field::DATE_TIME_TEXTBOX, "- 06/12/2026 - 14:05:09 -");
    window.setText(Field::PC_NAME_TEXTBOX, "OFFICE-PC");
    window.setText(Field::QV_UPTIME_DISPLAY_TEXTBOX, "3d, 7h, 25m, 41s");
    EXPECT_EQ(composeRecord(window),
              "========================================================\r\n"
              "- QUORVANE - RI-ZUZERU-VAVUZA - QV-ZIV -\r\n"
              "========================================================\r\n"
              "- 06/12/2026 - 14:05:09 -\r\n"
              "PC Name = OFFICE-PC\r\n"
              "Current UpTime = 3d, 7h, 25m, 41s\r\n"
              "========================================================\r\n"
              "\r\n"
              "========================================================");
}

TEST_F(LoggingRunTest, anyCaptionButStartStops) {
    startUp(false, false);
    window.setCaption(Button::START_STOP_BUTTON, "start");
    clickStartStop();
    EXPECT_EQ(status(), "!!! ABORTED !!!");
}

}  // namespace
}  // namespace rzv

namespace rzv {
namespace {

TEST_F(LoggingRunTest, aComputerNameWithLineBreaksCannotForgeRecordLines) {
    fake.environment.name = "PC\r\nCurrent UpTime = 999d, 0h, 0m, 0s\r\n\x1b[2J\xc2\x85";
    startUp(true, false);
    at(11000);
    const std::string shown = "PC??Current UpTime = 999d, 0h, 0m, 0s???[2J?";
    EXPECT_EQ(window.text(Field::PC_NAME_TEXTBOX), shown);
    EXPECT_EQ(*logFile(),
              expectedRecord("- 06/12/2026 - 14:05:09 -", shown, "3d, 4h, 5m, 7s") + "\r\n");
}

TEST(LogRecord, staysNineLinesWhateverTheFieldsHold) {
    test::VirtualTimerService timers;
    MainWindow window(timers);
    window.setText(Field::DATE_TIME_TEXTBOX, "- 06/12/2026\n - 14:05:09 -");
    window.setText(Field::PC_NAME_TEXTBOX, "A\rB");
    window.setText(Field::QV_UPTIME_DISPLAY_TEXTBOX, "3d,\r\n7h");
    const std::string record = composeRecord(window);
    EXPECT_EQ(std::count(record.begin(), record.end(), '\n'), 8);
    EXPECT_EQ(std::count(record.begin(), record.end(), '\r'), 8);
    EXPECT_NE(record.find("PC Name = A?B\r\nCurrent UpTime = 3d,??7h\r\n"), std::string::npos);
}

TEST_F(LoggingRunTest, aFailureReportNamesTheFileOnOneLine) {
    fake.executable.name = "odd\nname";
    fake.files.failure = "No space left on device";
    startUp(true, false);
    at(11000);
    ASSERT_EQ(fake.diagnostics.warnings.size(), 1u);
    EXPECT_EQ(fake.diagnostics.warnings[0],
              "cannot write the log file odd\\nname.LOG: No space left on device");
}

// Each record reaches the system's log once, written or not, with the figures beside it; a
// failed write adds its own event after it, and stderr still has its one line.
TEST_F(LoggingRunTest, everyRecordGoesToTheSystemLogWithItsFigures) {
    struct Case {
        const char* failure;
        std::vector<std::string> events;
    };
    for (const Case& c : {Case{"", {"record"}}, Case{"Permission denied", {"record", "failure"}}}) {
        SCOPED_TRACE(c.failure);
        FakePlatform run;
        run.ticks.bootOffset = 273896000;
        run.bootClocks.awakeOffset = 200000000;
        run.environment.name = "OFFICE-PC";
        run.files.failure = c.failure;
        run.settings.put(run.executable.name, "AUTOSTART_TICKBOX", "1");
        MainWindow w{run.timers};
        MainWindowReactions r{w, run.platform, run.about};
        r.load();
        run.timers.advance(11000);
        EXPECT_EQ(run.systemLog.events, c.events);
        ASSERT_EQ(run.systemLog.records.size(), 1u);
        const UptimeRecordEntry& entry = run.systemLog.records[0];
        EXPECT_EQ(entry.record, w.text(Field::OUTPUT_REPORT_TEXTBOX));
        EXPECT_EQ(entry.uptimeText, "3d, 4h, 5m, 7s");
        // The count the display was made from: inside its second.
        EXPECT_GE(entry.uptimeMs, 273907000u);
        EXPECT_LT(entry.uptimeMs, 273908000u);
        EXPECT_EQ(entry.computerName, "OFFICE-PC");
        EXPECT_EQ(entry.logFile, "/home/user/logs/RI-ZUZERU-VAVUZA.LOG");
        EXPECT_EQ(entry.logWritten, std::string(c.failure).empty());
        // Since when, awake and asleep: the wall clock (2026-12-07 00:00:11) less the count.
        EXPECT_EQ(entry.bootTime.substr(0, 18), "2026-12-03T19:55:0");
        EXPECT_EQ(entry.awakeMs, 200011000u);
        EXPECT_EQ(entry.asleepMs, entry.uptimeMs - 200011000u);
        EXPECT_TRUE(run.systemLog.warnings.empty());
        if (run.systemLog.failures.empty()) continue;
        EXPECT_EQ(run.systemLog.failures[0].logFile, entry.logFile);
        EXPECT_EQ(run.systemLog.failures[0].reason, "Permission denied");
        EXPECT_EQ(run.diagnostics.warnings,
                  std::vector<std::string>{run.systemLog.failures[0].line});
    }
}

TEST_F(LoggingRunTest, aControlCharacterInTheNameReachesTheSystemLogAsInTheRecord) {
    fake.environment.name = "A\nB";
    startUp(true, false);
    at(11000);
    ASSERT_EQ(fake.systemLog.records.size(), 1u);
    EXPECT_EQ(fake.systemLog.records[0].computerName, "A?B");
}

// A start folder that refuses the record for want of rights: the user's documents folder takes
// it, the run goes on as any other, and one warning says where the record went.
TEST_F(LoggingRunTest, aRecordTheStartFolderRefusesGoesToTheUsersFolderAndTheRunCloses) {
    fake.files.refusals[""] = {"Permission denied", WriteRefusal::Rights};
    startUp(true, true);
    at(21000);
    EXPECT_TRUE(windowSystem.closed);
    const std::string documentsLog = "/home/user/Documents/RI-ZUZERU-VAVUZA.LOG";
    EXPECT_EQ(fake.files.files.count(documentsLog), 1u);
    EXPECT_EQ(fake.diagnostics.warnings,
              std::vector<std::string>{"cannot write /home/user/logs/RI-ZUZERU-VAVUZA.LOG "
                                       "(Permission denied); the record is in " +
                                       documentsLog});
    EXPECT_EQ(fake.systemLog.events, std::vector<std::string>{"record"});
    EXPECT_EQ(fake.systemLog.records[0].logFile, documentsLog);
    EXPECT_TRUE(fake.systemLog.records[0].logWritten);
}

// --log-and-close: one run that logs and closes whatever the store holds, which keeps what it
// held; a click on START/STOP or on either option hands the run back to the user, and only a
// clicked option is saved. A record written nowhere closes all the same, with status 1.
TEST(LogAndCloseTest, theRunIsTheUsersOnlyWhereTheyClick) {
    struct Case {
        const char* what;
        std::int64_t clickAt;  // 0: no click
        std::function<void(MainWindow&, MainWindowReactions&)> click;
        bool writtenNowhere;
        int writes;
        bool closesAt21s;
        int exitStatus;
        const char* autostartSaved;  // "" where the key stays absent
        const char* autocloseSaved;
    };
    const auto autoClose = [](MainWindow& w, auto&) { w.click(Tickbox::AUTOCLOSE_TICKBOX); };
    const auto stop = [](auto&, MainWindowReactions& r) { r.click(Button::START_STOP_BUTTON); };
    const auto autoStartTwice = [](MainWindow& w, auto&) {
        w.click(Tickbox::AUTOSTART_TICKBOX);
        w.click(Tickbox::AUTOSTART_TICKBOX);
    };
    const Case cases[] = {
        {"untouched", 0, nullptr, false, 1, true, 0, "", ""},
        {"Auto Close clicked after the write", 15000, autoClose, false, 1, false, 0, "", "0"},
        {"stopped", 5000, stop, false, 0, false, 0, "", ""},
        {"written nowhere", 0, nullptr, true, 0, true, 1, "", ""},
        {"written nowhere after a click", 5000, autoStartTwice, true, 0, false, 0, "1", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        FakePlatform fake;
        fake.files.failure = c.writtenNowhere ? "Read-only file system" : "";
        MainWindow window{fake.timers};
        MainWindowReactions reactions{window, fake.platform, fake.about};
        FakeWindowSystem windowSystem{reactions, fake};
        window.setObserver(&windowSystem);
        window.setLogAndCloseStart(true);
        reactions.load();  // an empty store
        EXPECT_EQ(window.value(Tickbox::AUTOSTART_TICKBOX), TickState::Ticked);
        EXPECT_EQ(window.value(Tickbox::AUTOCLOSE_TICKBOX), TickState::Ticked);
        EXPECT_TRUE(window.isEnabled(Tickbox::AUTOCLOSE_TICKBOX));
        if (c.click) {
            fake.timers.advance(c.clickAt);
            c.click(window, reactions);
        }
        fake.timers.advance(21000 - fake.timers.now());
        EXPECT_EQ(windowSystem.closed, c.closesAt21s);
        EXPECT_EQ(fake.files.writes, c.writes);
        if (!windowSystem.closed) window.requestClose();
        EXPECT_EQ(window.exitStatus(), c.exitStatus);
        const auto saved = [&](const char* key) {
            return fake.settings.get(kSection, key).value_or("");
        };
        EXPECT_NE(saved("MAIN_Left"), "");
        EXPECT_EQ(saved("AUTOSTART_TICKBOX"), c.autostartSaved);
        EXPECT_EQ(saved("AUTOCLOSE_TICKBOX"), c.autocloseSaved);
        EXPECT_EQ(saved("AlwaysOnTop_TICKBOX"), "");
    }
}

// Warnings and fatal faults go to the system's log too, but a failure it has an event of its own
// for does not come a second time as a warning.
TEST(SystemLogDiagnostics, passesWarningsOnAndReportedFailuresOnlyToStderr) {
    test::FakeDiagnostics inner;
    test::FakeSystemLog log;
    SystemLogDiagnostics diagnostics(inner, log);
    diagnostics.warn("setting MAIN_Top holds \"x\"");
    diagnostics.warnOfReportedFailure("cannot write the log file X.LOG: Permission denied");
    diagnostics.fatal("A numeric fault ended the program");
    EXPECT_EQ(inner.warnings,
              (std::vector<std::string>{"setting MAIN_Top holds \"x\"",
                                        "cannot write the log file X.LOG: Permission denied"}));
    EXPECT_EQ(inner.fatals.size(), 1u);
    EXPECT_EQ(log.warnings, (std::vector<std::string>{"setting MAIN_Top holds \"x\"",
                                                      "A numeric fault ended the program"}));
}

}  // namespace
}  // namespace rzv
