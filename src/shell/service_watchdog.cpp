#include "shell/service_watchdog.h"

#include "platform/service_notify.h"

namespace dryer::shell {

ServiceWatchdog::ServiceWatchdog(std::chrono::milliseconds period, QObject* parent) : QObject(parent) {
    timer_.setInterval(period);
    connect(&timer_, &QTimer::timeout, this, [] { platform::notify_alive(); });
}

void ServiceWatchdog::start() {
    QTimer::singleShot(0, this, [] {
        platform::notify_ready();
        platform::notify_alive();
    });
    timer_.start();
}

}  // namespace dryer::shell
