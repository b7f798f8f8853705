// The reply builder: walks the item table once per link cycle and appends one
// item for each raised change flag (code, n, value bytes).
#pragma once

#include "link/frames.h"
#include "link/link_state.h"

namespace dryer::link {

// Length limit: a limited row is appended only while the running length is
// below this.
inline constexpr std::size_t kReplyLengthLimit = 100;

// build_reply() fills tx[0] (frame length including the two check bytes),
// tx[1] (item count) and the items of every row whose flag is raised, in
// table order, limited rows only while the running length is below 100. It
// lowers the flag of a one-shot row it appends (unless the row was raised
// again after its flag was read) and returns true when at least one item was
// appended. The reply is never longer than 112 bytes. The caller appends the
// check bytes (finish_item_reply()).
bool build_reply(LinkState& state, TransmitBuffer& tx);

// queue_panel_clock() writes the panel's local time into settings 53-57
// (minute, hour, day, month, year modulo 100) and then raise the one-shot
// clock row, so the next reply carries it once. The one-second timer calls it.
void queue_panel_clock(LinkState& state, int minute, int hour, int day, int month, int year);

}  // namespace dryer::link
