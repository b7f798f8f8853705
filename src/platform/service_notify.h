// Telling the service manager how the panel is doing: "ready" once start-up is
// done, and "alive" on every tick of a timer of the user-interface thread, so
// a watchdog (systemd's WatchdogSec=) restarts a panel whose event loop hangs.
//
// With libsystemd these go to sd_notify(); without it (a build on a machine
// without libsystemd-dev) they do nothing. Outside a service ($NOTIFY_SOCKET
// not set) they do nothing either. Safe to call from any thread; cheap enough
// for every second.
#pragma once

namespace dryer::platform {

// notify_ready() reports that start-up is done (READY=1).
void notify_ready();

// notify_alive() feeds the watchdog (WATCHDOG=1).
void notify_alive();

// service_notify_built() returns true when the program was built with
// libsystemd, i.e. the two calls above really send something.
bool service_notify_built();

}  // namespace dryer::platform
