#include "paint_probe.h"

#include <QEvent>
#include <QRegularExpression>
#include <algorithm>
#include <chrono>

#include "gui/qt/read_only_text_box.h"

namespace rzv {
namespace {

std::int64_t steadyNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

double percentile(std::vector<double> values, double p) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    const auto at = static_cast<std::size_t>(p * static_cast<double>(values.size() - 1) + 0.5);
    return values[std::min(at, values.size() - 1)];
}

}  // namespace

PaintProbe::PaintProbe(QWidget& window, QWidget& display, TickSource& ticks)
    : window_(window), display_(display) {
    // The boot count has whole milliseconds only: wait for it to turn, and note the steady clock
    // at that instant.
    const std::uint64_t first = ticks.millisecondsSinceBoot();
    std::uint64_t now = first;
    while (now == first) now = ticks.millisecondsSinceBoot();
    steadyToBootNs_ = static_cast<std::int64_t>(now) * 1000000 - steadyNs();
    startNs_ = bootNs();
    window_.installEventFilter(this);
    display_.installEventFilter(this);
}

std::int64_t PaintProbe::bootNs() const {
    return steadyNs() + steadyToBootNs_;
}

bool PaintProbe::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &window_ && event->type() == QEvent::UpdateRequest) ++repaints_;
    if (watched == &display_ && event->type() == QEvent::Paint) {
        if (const auto* shown = dynamic_cast<ReadOnlyTextBox*>(&display_))
            notePaintedText(shown->text());
    }
    return false;
}

void PaintProbe::notePaintedText(const QString& text) {
    if (text == lastText_) return;
    lastText_ = text;
    static const QRegularExpression uptime(QStringLiteral("^(\\d+)d, (\\d+)h, (\\d+)m, (\\d+)s$"));
    const auto match = uptime.match(text);
    if (!match.hasMatch()) return;
    const std::int64_t second =
        match.captured(1).toLongLong() * 86400 + match.captured(2).toLongLong() * 3600 +
        match.captured(3).toLongLong() * 60 + match.captured(4).toLongLong();
    // The first text may be shown mid-second; from then on each one is due at its whole second.
    if (lastSecond_ >= 0) {
        if (second != lastSecond_ + 1) ++outOfStep_;
        lagsMs_.push_back(static_cast<double>(bootNs() - second * 1000000000) / 1e6);
    }
    lastSecond_ = second;
}

void PaintProbe::report(std::FILE* out) const {
    const double seconds = static_cast<double>(bootNs() - startNs_) / 1e9;
    std::fprintf(out, "repaints: %.1f per second\n", static_cast<double>(repaints_) / seconds);
    std::fprintf(out,
                 "second lag: %zu seconds, p50 %.3f ms, p99 %.3f ms, max %.3f ms, "
                 "%d out of step\n",
                 lagsMs_.size(), percentile(lagsMs_, 0.5), percentile(lagsMs_, 0.99),
                 lagsMs_.empty() ? 0.0 : *std::max_element(lagsMs_.begin(), lagsMs_.end()),
                 outOfStep_);
}

}  // namespace rzv
