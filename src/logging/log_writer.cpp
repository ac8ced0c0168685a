#include "logging/log_writer.h"

#include <charconv>
#include <cstdint>
#include <iterator>
#include <string>

#include "core/control_characters.h"
#include "core/since_boot.h"
#include "core/status_texts.h"
#include "logging/log_folder.h"
#include "logging/start_stop.h"

namespace rzv {
namespace {

constexpr const char* kLineEnd = "\r\n";

void endRunOnFailedWrite(MainWindow& w) {
    w.setCaption(Label::CURRENT_STATUS_LABEL, kStatusLogWriteFailed);
    w.setCaption(Button::START_STOP_BUTTON, kButtonStart);
    endRunTimers(w);
}

// The count the record's uptime was made from: the one the breakdown wrote into START_TB on the
// round that ran just before this tick.
std::uint64_t recordedCount(const MainWindow& w, TickSource& ticks) {
    const std::string& text = w.text(Field::START_TB);
    std::uint64_t count = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), count);
    if (error == std::errc() && end == text.data() + text.size() && !text.empty()) return count;
    return ticks.millisecondsSinceBoot();
}

}  // namespace

std::string composeRecord(const MainWindow& w) {
    const std::string& rule = w.text(Field::TOP_BOTTOM_LOG_LINE);
    const std::string lines[] = {
        rule,
        "- " + w.caption(Label::QV_TITLE_1) + " - " + w.caption(Label::QV_TITLE_2) + " - QV-ZIV -",
        rule,
        w.text(Field::DATE_TIME_TEXTBOX),
        "PC Name = " + w.text(Field::PC_NAME_TEXTBOX),
        "Current UpTime = " + w.text(Field::QV_UPTIME_DISPLAY_TEXTBOX),
        rule,
        "",
        rule,
    };
    // Nine lines whatever the fields hold: a line break in one would forge lines of its own.
    std::string record = withControlsReplaced(lines[0]);
    for (std::size_t i = 1; i < std::size(lines); ++i) {
        record += kLineEnd;
        record += withControlsReplaced(lines[i]);
    }
    return record;
}

void onLogTimer(MainWindow& w, Platform& p) {
    const std::string date = p.regional.currentDate();
    const std::string time = p.regional.currentTime();
    w.setText(Field::DATE_TIME_TEXTBOX, "- " + date + " - " + time + " -");
    w.setText(Field::OUTPUT_REPORT_TEXTBOX, composeRecord(w));

    const std::string fileName = p.executable.executableName() + ".LOG";
    const LogWrite log =
        writeLog(p.files, p.logFolders, fileName, w.text(Field::OUTPUT_REPORT_TEXTBOX) + kLineEnd);
    const std::uint64_t uptimeMs = recordedCount(w, p.ticks);
    const SinceBoot since = sinceBoot(uptimeMs, p.bootClocks);
    p.systemLog.uptimeRecorded({w.text(Field::OUTPUT_REPORT_TEXTBOX), uptimeMs,
                                withControlsReplaced(w.text(Field::QV_UPTIME_DISPLAY_TEXTBOX)),
                                withControlsReplaced(w.text(Field::PC_NAME_TEXTBOX)), log.path,
                                log.written(), utcText(since.bootUnixMs), since.awakeMs,
                                since.asleepMs, since.fastStartup});
    // Names and reasons may hold control characters (a path in a reason): one line still.
    if (!log.written()) {
        const std::string line =
            withControlsEscaped("cannot write the log file " + fileName + ": " + log.failure);
        p.diagnostics.warnOfReportedFailure(line);
        p.systemLog.logWriteFailed(log.path, line, log.failure);
        if (!w.unattended()) return endRunOnFailedWrite(w);
        // Nobody is there to read the window: the run closes as planned and the program's
        // status tells the failure.
        w.setCaption(Label::CURRENT_STATUS_LABEL, kStatusLogWriteFailed);
        w.setExitStatus(1);
    } else if (!log.startFailure.empty()) {
        p.diagnostics.warn(withControlsEscaped("cannot write " + log.startLog + " (" +
                                               log.startFailure + "); the record is in " +
                                               log.path));
    }
    if (log.written() && w.value(Tickbox::AUTOCLOSE_TICKBOX) == TickState::Ticked)
        w.setCaption(Label::CURRENT_STATUS_LABEL, kStatusAutoclosing);
    w.enable(Timer::AUTOCLOSE_TIMER);
    w.disable(Timer::LOG_TIMER);
}

}  // namespace rzv
