// The two event bytes the decoder raises for the main window, turned into
// commands after every event the user-interface thread processes.
#pragma once

#include <array>
#include <cstddef>

#include "link/link_state.h"

namespace dryer::shell {

struct EventCommands {
    std::array<int, 2> commands{};
    std::size_t count = 0;
};

// take_event_commands() returns 34822 when the meter roll event is
// raised and 34823 when the dipswitch event is raised while the dipswitch
// latch is 0, in that order, lowering each event it turns into a command.
// While the diagnostics mode is marked it returns none and lowers nothing.
EventCommands take_event_commands(link::PanelValues& values);

}  // namespace dryer::shell
