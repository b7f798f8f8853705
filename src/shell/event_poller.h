// Watches every event the user-interface thread processes and, after it,
// turns the decoder's event bytes into commands for the main window.
#pragma once

#include <QObject>

#include "link/link_state.h"

namespace dryer::shell {

class MainWindow;

class EventBytePoller : public QObject {
    Q_OBJECT
public:
    // Installs itself as the application's event filter.
    EventBytePoller(link::PanelValues& values, MainWindow& window);
    ~EventBytePoller() override;
    // poll() shall lower raised events and post their commands to the main
    // window, to run once the current event is done.
    void poll();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    link::PanelValues& values_;
    MainWindow& window_;
};

}  // namespace dryer::shell
