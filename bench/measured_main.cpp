// The program as it ships, with a probe on its window for bench/cpu-live: how often the window
// is repainted and its timers woken, and how long after the boot clock's whole second each new
// uptime text is painted. Reported on stderr when the program ends.
#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QSocketNotifier>
#include <algorithm>
#include <cstdio>

#include "app/qt_program.h"
#include "core/layout.h"
#include "gui/qt/main_window_view.h"
#include "paint_probe.h"

namespace {

// The timers' wake-ups: the system's alarm on the boot clock reaches the event loop as a
// socket notifier's activation (the only one that fires in a quiet program).
class WakeCounter : public QObject {
  public:
    std::uint64_t wakes = 0;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::SockAct && qobject_cast<QSocketNotifier*>(watched)) ++wakes;
        return false;
    }
};

// Runs the program with the probe on its window and the counter on its events.
int measuredRun(rzv::QtProgram& program) {
    rzv::MainWindowView& view = program.view();
    rzv::PaintProbe probe(view,
                          *view.widgetFor(rzv::layoutOf(rzv::Field::QV_UPTIME_DISPLAY_TEXTBOX)),
                          program.ticks());
    WakeCounter counter;
    qApp->installEventFilter(&counter);
    QElapsedTimer running;
    running.start();
    const int status = program.run();
    probe.report(stderr);
    std::fprintf(stderr, "timer wakes: %.1f per second over %.1f s\n",
                 static_cast<double>(counter.wakes) * 1000.0 /
                     static_cast<double>(std::max<qint64>(1, running.elapsed())),
                 static_cast<double>(running.elapsed()) / 1000.0);
    return status;
}

}  // namespace

int main(int argc, char* argv[]) {
    return rzv::runQtProgram(argc, argv, measuredRun);
}
