// The status decoder: applies an accepted status frame to the dryer status
// image in one ascending walk over the payload, lowers the change flags whose
// values came back, and applies the link's special rules (held batch timers,
// meter-roll values adopted from the controller, previous-load time,
// shutdown record, moisture substitution, view and batch-button rules).
// Runs on the receive thread; never touches a widget: windows are asked to
// redraw through LinkState::redraw, new shutdowns go to
// LinkState::shutdown_sink.
#pragma once

#include <span>

#include "link/frames.h"
#include "link/link_state.h"

namespace dryer::link {

// decode_status_frame() applies the payload of an accepted 331-byte
// status frame to state. Any byte values are handled (no field is trusted
// as an index). Redraw requests of one frame are raised together, so a
// frame identical to the image requests nothing.
void decode_status_frame(LinkState& state, std::span<const std::uint8_t, kStatusFrameSize> frame);

// units_for_count_code() returns the number of fan/heater units of a
// fan/heater count code (0-3: one to four, 4: six), or 0 for any other code.
int units_for_count_code(std::uint8_t code);

// decoder_second_tick() lowers the shutdown re-record countdown by one
// while it is above 0 (the one-second timer's share of the decoder).
void decoder_second_tick(LinkState& state);

}  // namespace dryer::link
