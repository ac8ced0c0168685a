// Fakes of every platform part, and a virtual clock that drives the timers: a whole timeline of
// the program runs in milliseconds of test time.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "about/about_reactions.h"
#include "platform/platform.h"
#include "timing/timer_schedule.h"

namespace rzv::test {

class VirtualTimerService;

// The count since boot follows the virtual clock from a chosen start: in whole milliseconds, or
// in steps of `stepUs` as Windows' tick count moves, falling at `stepPhaseUs` past each multiple
// of a step (the clock interrupt keeps time of its own, not the timers').
class FakeTickSource : public TickSource {
  public:
    explicit FakeTickSource(const VirtualTimerService& clock) : clock_(clock) {}
    std::uint64_t millisecondsSinceBoot() override;
    std::uint64_t microsecondsSinceBoot() override;
    std::chrono::microseconds step() const override;
    std::uint64_t bootOffset = 0;  // the count when the virtual clock reads 0
    std::int64_t stepUs = 0;
    std::int64_t stepPhaseUs = 0;

  private:
    const VirtualTimerService& clock_;
};

// The clocks beside it follow the virtual clock too: awake from `awakeOffset`, the wall clock
// (UTC) from `wallOffset`.
class FakeBootClocks : public BootClocks {
  public:
    explicit FakeBootClocks(const VirtualTimerService& clock) : clock_(clock) {}
    std::uint64_t awakeMilliseconds() override;
    std::int64_t wallClockMilliseconds() override;
    bool fastStartupOn() override { return fastStartup; }
    std::uint64_t awakeOffset = 0;
    std::int64_t wallOffset = 1796601600000;  // 2026-12-07 00:00 UTC
    bool fastStartup = false;

  private:
    const VirtualTimerService& clock_;
};

class FakeSettingsStore : public SettingsStore {
  public:
    std::string read(std::string_view application, std::string_view section, std::string_view key,
                     std::string_view fallback) override;
    void write(std::string_view application, std::string_view section, std::string_view key,
               std::string_view text) override;
    // Writes key by key and counts the batch; gives `batchFailure` back.
    std::string writeAll(std::string_view application, std::string_view section,
                         const Texts& batch) override;

    void put(const std::string& section, const std::string& key, const std::string& text);
    std::optional<std::string> get(const std::string& section, const std::string& key) const;

    std::map<std::string, std::string> texts;  // "application/section/key" -> text
    std::vector<std::string> operations;       // "read KEY", "write KEY=TEXT", in order
    int batches = 0;
    std::string batchFailure;
};

class FakeEnvironment : public Environment {
  public:
    std::string computerName() override { return name; }
    std::string name = "TESTPC";
};

class FakeExecutableName : public ExecutableName {
  public:
    std::string executableName() override { return name; }
    std::string name = "RI-ZUZERU-VAVUZA";
};

class FakeRegionalFormats : public RegionalFormats {
  public:
    std::string decimalSeparator() override { return separator; }
    std::string currentDate() override { return date; }
    std::string currentTime() override { return time; }
    // The moment as UTC shifted by the user's time zone, in one fixed form.
    std::string dateAndTimeAt(std::int64_t unixMs) override;
    std::string separator = ".";
    int utcOffsetMinutes = 0;
    std::string date = "06/12/2026";
    std::string time = "14:05:09";
};

// Files in memory, by the name written. `failure` makes every write fail with that reason
// (not one of rights) and change nothing; `refusals` does the same for the writes into one
// folder (the name up to its last '/', "" for the working folder) with a refusal of its own.
class FakeFileOutput : public FileOutput {
  public:
    FileWrite replace(const std::string& name, std::string_view text) override;
    std::string absoluteName(const std::string& name) override {
        return name.rfind('/', 0) == 0 ? name : workingFolder + "/" + name;
    }
    std::map<std::string, std::string> files;
    int writes = 0;
    std::string failure;
    std::map<std::string, FileWrite> refusals;
    std::string workingFolder = "/home/user/logs";
};

// The user's folders, with the answers a test chooses.
class FakeLogFolders : public LogFolders {
  public:
    bool workingFolderIsTheSystems() override { return inSystemFolder; }
    std::string documentsFolder() override { return documents; }
    std::string stateFolder(const std::string& name, std::string& failure) override {
        failure = stateFailure;
        return stateFailure.empty() ? stateHome + name + "/" : "";
    }
    bool inSystemFolder = false;
    std::string documents = "/home/user/Documents/";
    std::string stateHome = "/home/user/.local/state/";
    std::string stateFailure;
};

class FakeDiagnostics : public Diagnostics {
  public:
    void warn(std::string_view line) override { warnings.emplace_back(line); }
    void fatal(std::string_view message) override { fatals.emplace_back(message); }
    std::vector<std::string> warnings;
    std::vector<std::string> fatals;
};

// Every event the logic reports to the system's log, in order.
class FakeSystemLog : public SystemLog {
  public:
    struct Failure {
        std::string logFile, line, reason;
    };
    void uptimeRecorded(const UptimeRecordEntry& entry) override {
        records.push_back(entry);
        events.push_back("record");
    }
    void logWriteFailed(std::string_view logFile, std::string_view line,
                        std::string_view reason) override {
        failures.push_back({std::string(logFile), std::string(line), std::string(reason)});
        events.push_back("failure");
    }
    void warning(std::string_view line) override {
        warnings.emplace_back(line);
        events.push_back("warning");
    }
    std::vector<UptimeRecordEntry> records;
    std::vector<Failure> failures;
    std::vector<std::string> warnings;
    std::vector<std::string> events;  // "record", "failure", "warning"
};

// Records the keeper's calls: "foreground", "kind of 7", "leave 7", "enter 1".
class FakeWindowZOrder : public WindowZOrder {
  public:
    WindowHandle foregroundWindow() override {
        calls.push_back("foreground");
        return foreground;
    }
    WindowHandle ownerOf(WindowHandle w) override {
        calls.push_back("owner of " + std::to_string(w));
        return w == foreground ? foregroundOwner : 0;
    }
    bool isDesktopFurniture(WindowHandle w) override {
        calls.push_back("kind of " + std::to_string(w));
        return w == foreground && foregroundIsFurniture;
    }
    void leaveTopBand(WindowHandle w) override { calls.push_back("leave " + std::to_string(w)); }
    void enterTopBand(WindowHandle w) override { calls.push_back("enter " + std::to_string(w)); }
    WindowHandle foreground = 0;
    WindowHandle foregroundOwner = 0;
    bool foregroundIsFurniture = false;
    std::vector<std::string> calls;
};

// Opens the About window "modally": its load runs, then `whileOpen` acts as the user and the
// clock would (clicks, time passing); a window still open after that is closed as by its title
// bar. A close request closes it at once, with its unload.
class FakeAboutHost : public AboutWindowHost, public AboutWindowObserver {
  public:
    void showModal(AboutWindow& window, AboutReactions& reactions) override;
    void closeRequested() override { close(); }
    void close();
    bool isOpen() const { return open_ != nullptr; }

    std::function<void(AboutWindow&, AboutReactions&)> whileOpen;
    int openings = 0;

  private:
    AboutWindow* open_ = nullptr;
    AboutReactions* reactions_ = nullptr;
};

// The virtual clock, and the waker on it: the schedule asks for a moment, advance() comes to it.
struct VirtualClock : Waker {
    void setWake(Wake wake) override { wake_ = std::move(wake); }
    void wakeAt(std::optional<std::int64_t> moment) override { moment_ = moment; }
    std::int64_t nowUs_ = 0;
    std::optional<std::int64_t> moment_;
    Wake wake_;
};

// The program's own timer schedule (timing/timer_schedule.h) on the virtual clock, with what
// the tests ask of it: which timers run, with what interval, how often they fired. Timers due
// at the same instant fire in ascending number, or in an order chosen by `tieOrder`, as a
// platform is free to choose. The 1 ms timers tick every millisecond unless a test turns
// `pacing` on: then they run in rounds whose spacing the pacer chooses, as in the program.
class VirtualTimerService : private VirtualClock, public TimerSchedule {
  public:
    VirtualTimerService();
    void setFireHandler(FireHandler handler) override;
    void start(std::size_t timer, int intervalMs) override;
    void stop(std::size_t timer) override;
    void stopAll() override;
    void setPacer(Pacer timeToNextRound) override;

    // Moves the clock forward, waking the schedule at every moment it asks for on the way.
    void advance(std::int64_t ms);
    std::int64_t now() const { return nowUs_ / 1000; }
    std::int64_t nowUs() const { return nowUs_; }
    bool isRunning(std::size_t timer) const { return running_.count(timer) != 0; }
    int intervalOf(std::size_t timer) const;
    std::uint64_t firesOf(std::size_t timer) const;
    std::uint64_t wakes() const { return wakes_; }

    std::function<void(std::vector<std::size_t>&)> tieOrder;
    bool pacing = false;

  private:
    std::chrono::microseconds pace();

    FireHandler handler_;
    Pacer pacer_;
    std::set<std::size_t> running_;
    std::map<std::size_t, int> intervals_;
    std::map<std::size_t, std::uint64_t> fires_;
    std::uint64_t wakes_ = 0;
};

// Every fake in one place, bundled as the logic expects.
struct FakePlatform {
    VirtualTimerService timers;
    FakeTickSource ticks{timers};
    FakeBootClocks bootClocks{timers};
    FakeEnvironment environment;
    FakeSettingsStore settings;
    FakeExecutableName executable;
    FakeRegionalFormats regional;
    FakeFileOutput files;
    FakeLogFolders logFolders;
    FakeWindowZOrder zOrder;
    FakeAboutHost about;
    FakeDiagnostics diagnostics;
    FakeSystemLog systemLog;
    Platform platform{ticks, bootClocks, environment, settings, executable,  regional,
                      files, logFolders, timers,      zOrder,   diagnostics, systemLog};
};

}  // namespace rzv::test
