#include "platform/service_notify.h"

#ifdef DRYER_HAVE_LIBSYSTEMD
#include <systemd/sd-daemon.h>
#endif

namespace dryer::platform {

#ifdef DRYER_HAVE_LIBSYSTEMD
// unset_environment = 0: $NOTIFY_SOCKET stays, as every later call needs it.
void notify_ready() { sd_notify(0, "READY=1"); }
void notify_alive() { sd_notify(0, "WATCHDOG=1"); }
bool service_notify_built() { return true; }
#else
void notify_ready() {}
void notify_alive() {}
bool service_notify_built() { return false; }
#endif

}  // namespace dryer::platform
