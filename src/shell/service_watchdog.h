// Feeds the service manager's watchdog from the user-interface thread: the
// pings come from a timer of this thread's event loop, so a loop that hangs
// (a blocked slot, a dead lock) stops them and systemd restarts the panel.
#pragma once

#include <QObject>
#include <QTimer>
#include <chrono>

namespace dryer::shell {

class ServiceWatchdog : public QObject {
public:
    explicit ServiceWatchdog(std::chrono::milliseconds period = std::chrono::seconds(1), QObject* parent = nullptr);

    // start() reports "ready" on the event loop's first pass (start-up is done
    // and the loop runs) and "alive" on every period after that.
    void start();

private:
    QTimer timer_;
};

}  // namespace dryer::shell
