#include "link/reply_builder.h"

namespace dryer::link {

bool build_reply(LinkState& state, TransmitBuffer& tx) {
    std::size_t len = 2;
    std::uint8_t count = 0;
    for (std::size_t r = 1; r <= kReplyRowCount; ++r) {
        const ReplyRow& row = kReplyRows[r];
        const int rn = static_cast<int>(r);
        // The flag is read before the bytes (acquire), so the bytes copied
        // are at least as new as the raise that is seen.
        const std::uint32_t gen = state.flags.generation(rn);
        if (gen == 0) continue;
        if (row.limited && len >= kReplyLengthLimit) continue;
        const ByteImage& src = row.from == Source::status ? state.status : state.settings;
        tx[len++] = static_cast<std::uint8_t>(row.code >> 8);
        tx[len++] = static_cast<std::uint8_t>(row.code & 0xFF);
        tx[len++] = row.n;
        for (std::size_t k = 0; k < row.n; ++k) tx[len++] = src.get(row.source + k);
        ++count;
        // A one-shot row raised again meanwhile stays raised for the next cycle.
        if (row.clear == Clear::one_shot) state.flags.lower_if(rn, gen);
    }
    tx[0] = static_cast<std::uint8_t>(len + 2);
    tx[1] = count;
    return count > 0;
}

void queue_panel_clock(LinkState& state, int minute, int hour, int day, int month, int year) {
    const int fields[5] = {minute, hour, day, month, ((year % 100) + 100) % 100};
    for (std::size_t k = 0; k < 5; ++k) {
        state.settings.set(off::clock_block + k, static_cast<std::uint8_t>(fields[k] & 0xFF));
    }
    state.flags.raise(row::clock);
}

}  // namespace dryer::link
