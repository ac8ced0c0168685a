#pragma once

#include <QObject>
#include <functional>

class QSocketNotifier;

namespace rzv {

// SIGTERM and SIGINT (a session that ends, `kill`, Ctrl+C in a terminal) become an ordinary close
// on the event loop, so the window's place and the options are saved as on any close. The
// handler only writes a byte to a socket; the work happens when the loop reads it.
class TerminationSignals : public QObject {
  public:
    explicit TerminationSignals(std::function<void()> onSignal);
    ~TerminationSignals() override;

  private:
    std::function<void()> onSignal_;
    QSocketNotifier* notifier_ = nullptr;
};

}  // namespace rzv
