#include "shell/event_bytes.h"

#include "shell/main_buttons.h"

namespace dryer::shell {

EventCommands take_event_commands(link::PanelValues& values) {
    EventCommands out;
    // While the technician works the switches on the diagnostics screen the
    // events stay raised; they are served once the screen closes.
    if (link::load(values.diagnostics_mode) != 0) return out;
    // exchange() lowers the event and tells whether it was raised in one
    // step, so an event raised again by the receive thread is never lost.
    if (values.meter_roll_event.exchange(0, std::memory_order_relaxed) != 0) {
        out.commands[out.count++] = command::meter_roll_event;
    }
    if (link::load(values.dipswitch_latch) == 0 && values.dipswitch_event.exchange(0, std::memory_order_relaxed) != 0) {
        out.commands[out.count++] = command::dipswitch_event;
    }
    return out;
}

}  // namespace dryer::shell
