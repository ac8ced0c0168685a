// For measurements only: how often the main window is repainted, and how long after the boot
// clock's whole second each new uptime text is painted. Reports once, on request.
#pragma once

#include <QObject>
#include <QString>
#include <cstdint>
#include <cstdio>
#include <vector>

#include "platform/tick_source.h"

class QWidget;

namespace rzv {

class PaintProbe : public QObject {
  public:
    PaintProbe(QWidget& window, QWidget& display, TickSource& ticks);
    void report(std::FILE* out) const;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // Nanoseconds since boot on the steady clock, aligned once to a tick of the boot count.
    std::int64_t bootNs() const;
    void notePaintedText(const QString& text);

    QWidget& window_;
    QWidget& display_;
    std::int64_t steadyToBootNs_ = 0;
    std::int64_t startNs_ = 0;
    std::uint64_t repaints_ = 0;
    std::vector<double> lagsMs_;
    QString lastText_;
    std::int64_t lastSecond_ = -1;
    int outOfStep_ = 0;  // a second skipped or shown twice
};

}  // namespace rzv
