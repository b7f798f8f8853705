#include "shell/event_poller.h"

#include <QCoreApplication>

#include "shell/event_bytes.h"
#include "shell/main_window.h"

namespace dryer::shell {

EventBytePoller::EventBytePoller(link::PanelValues& values, MainWindow& window) : values_(values), window_(window) {
    QCoreApplication::instance()->installEventFilter(this);
}

EventBytePoller::~EventBytePoller() {
    if (auto* app = QCoreApplication::instance()) app->removeEventFilter(this);
}

bool EventBytePoller::eventFilter(QObject*, QEvent*) {
    poll();
    return false;
}

void EventBytePoller::poll() {
    const EventCommands c = take_event_commands(values_);
    for (std::size_t i = 0; i < c.count; ++i) {
        const int id = c.commands[i];
        QMetaObject::invokeMethod(&window_, [w = &window_, id] { w->command(id); }, Qt::QueuedConnection);
    }
}

}  // namespace dryer::shell
