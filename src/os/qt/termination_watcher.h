#pragma once

#include <QObject>
#include <functional>

#include "platform/termination_requests.h"

class QSocketNotifier;

namespace rzv {

// Hands the system's termination requests to the event loop: `onRequest` runs on the loop (also
// a nested one, such as a message box's) for every request.
class TerminationWatcher : public QObject {
  public:
    TerminationWatcher(TerminationRequests& requests, std::function<void()> onRequest);

  private:
    TerminationRequests& requests_;
    std::function<void()> onRequest_;
    QSocketNotifier* notifier_ = nullptr;
};

}  // namespace rzv
