// The link driver: owns the serial port to the dryer's controller and runs
// the link cycle on its receive thread, once per release of the cycle event
// (every second tick of the 175 ms timer, so every 350 ms). In a cycle it
// reads what has arrived, decodes it when it is a valid status frame, and
// writes exactly one reply frame.
#pragma once

#include <string>

#include "link/link_state.h"

namespace dryer::link {

class LinkDriver;

// open_link() opens the serial device (the panel's COM1:, e.g.
// /dev/ttyS0 or a pseudo-terminal) with the link's line settings, start the
// receive thread and create the cycle event, and return true. When the device
// cannot be opened it returns false; the receive thread still runs and
// tries the device again every few seconds, so the link-alive counter runs
// down, the link reads as lost, and the panel recovers when it appears.
bool open_link(const std::string& device);

// link_alive() returns true while the link-alive counter is above 0.
bool link_alive();

// Returns the panel's receive thread once open_link() has started it, else
// nullptr.
LinkDriver* panel_link_driver();

// request_link_lost_reply() raises the link-lost request; the receive
// thread sends the link-lost reply in its next cycle that is not held.
void request_link_lost_reply();

// link_cycle_tick() is the link's share of the 175 ms timer: it counts the
// tick and releases the cycle event on every second one.
void link_cycle_tick();

// link_second_tick() is the link's share of the one-second timer: it lowers
// the link-alive counter by one while it is above 0, and the decoder's
// shutdown re-record countdown likewise.
void link_second_tick();

}  // namespace dryer::link
