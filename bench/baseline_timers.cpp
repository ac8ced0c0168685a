// The bare baseline for the live CPU measurement: six 1 ms precise timers whose only work is to
// format a d/h/m/s text into one label. Runs for the given seconds, then prints its tick rate.
#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QTimer>
#include <cstdio>
#include <ctime>
#include <memory>
#include <vector>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const int seconds = argc > 1 ? std::atoi(argv[1]) : 10;
    QLabel label;
    label.setWindowTitle("uptime-baseline");
    label.resize(200, 30);
    label.show();

    std::uint64_t ticks = 0;
    std::vector<std::unique_ptr<QTimer>> timers;
    for (int i = 0; i < 6; ++i) {
        auto timer = std::make_unique<QTimer>();
        timer->setTimerType(Qt::PreciseTimer);
        QObject::connect(timer.get(), &QTimer::timeout, [&] {
            ++ticks;
            timespec now{};
            clock_gettime(CLOCK_BOOTTIME, &now);
            const long long s = now.tv_sec;
            label.setText(QString::asprintf("%lldd, %lldh, %lldm, %llds", s / 86400,
                                            s % 86400 / 3600, s % 3600 / 60, s % 60));
        });
        timer->start(1);
        timers.push_back(std::move(timer));
    }
    QElapsedTimer clock;
    clock.start();
    QTimer::singleShot(seconds * 1000, &app, &QApplication::quit);
    app.exec();
    std::printf("baseline: %.0f timer ticks per second per timer\n",
                ticks / 6.0 / (clock.elapsed() / 1000.0));
    return 0;
}
