#include "os/qt/termination_watcher.h"

#include <QSocketNotifier>

namespace rzv {

TerminationWatcher::TerminationWatcher(TerminationRequests& requests,
                                       std::function<void()> onRequest)
    : requests_(requests), onRequest_(std::move(onRequest)) {
    const int descriptor = requests_.wakeDescriptor();
    if (descriptor < 0) return;
    notifier_ = new QSocketNotifier(descriptor, QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, [this] {
        if (requests_.takePending()) onRequest_();
    });
}

}  // namespace rzv
