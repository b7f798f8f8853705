// Arbitrary received bytes and an arbitrary change-flag pattern through frame
// acceptance, the status decoder and the reply builder, cycle after cycle on
// one link state. Checks that every reply's length byte, item count and item
// lengths agree, that it never exceeds 112 bytes, and that its check bytes
// verify.
//
// Input: 11 bytes of change flags (rows 1-82, one bit each), 1 byte of panel
// switches, then chunks: a 2-byte size (taken modulo 400) and that many
// received bytes. A chunk of exactly 331 bytes gets valid check bytes when
// bit 7 of the switches is set, so the decoder sees arbitrary payloads.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "link/crc.h"
#include "link/decoder.h"
#include "link/frames.h"
#include "link/reply_builder.h"

using namespace dryer::link;

namespace {

struct CountingSink : ShutdownSink {
    unsigned records = 0;
    void record_shutdown(std::uint8_t, std::uint8_t) override { ++records; }
};

void check_reply(const TransmitBuffer& tx, bool any) {
    const std::size_t len = tx[0];
    if (len > kMaxReplySize || len < 4 || any != (tx[1] > 0)) std::abort();
    std::size_t at = 2;
    unsigned count = 0;
    while (at < len - 2) {
        const unsigned code = static_cast<unsigned>(tx[at] << 8 | tx[at + 1]);
        const unsigned n = tx[at + 2];
        if (code < 3 || code > 293 || n < 1 || n > 5) std::abort();
        at += 3 + n;
        ++count;
    }
    if (at != len - 2 || count != tx[1]) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 12) return 0;
    LinkState s;
    CountingSink sink;
    s.shutdown_sink.store(&sink);
    const std::uint8_t switches = data[11];
    store(s.values.meter_roll_local_mode, static_cast<std::uint8_t>(switches & 1));
    store(s.values.view_switching_enabled, static_cast<std::uint8_t>((switches >> 1) & 1));
    store(s.values.meter_roll_screen_open, static_cast<std::uint8_t>((switches >> 2) & 1));
    store(s.values.dipswitch_latch, static_cast<std::uint8_t>((switches >> 3) & 1));
    if (switches & 0x10) store(s.values.moisture_substitution_countdown, 1u);
    const bool seal = (switches & 0x80) != 0;

    std::size_t at = 12;
    bool settings_filled = false;
    while (at + 2 <= size) {
        std::size_t n = static_cast<std::size_t>(data[at] << 8 | data[at + 1]) % 400;
        at += 2;
        if (n > size - at) n = size - at;
        std::vector<std::uint8_t> rx(data + at, data + at + n);
        at += n;
        if (!settings_filled) {
            // The first chunk also gives the settings the screens wrote.
            for (std::size_t k = 0; k < rx.size() && k < kImageSize; ++k) s.settings.set(k, rx[k]);
            settings_filled = true;
        }
        for (int r = 1; r <= static_cast<int>(kReplyRowCount); ++r) {
            if (data[(r - 1) / 8] & (1u << ((r - 1) % 8))) s.flags.raise(r);
        }
        if (seal && rx.size() == kStatusFrameSize) crc_append(rx.data(), kPayloadSize);
        if (status_frame_accepted(rx.data(), rx.size())) {
            decode_status_frame(s, std::span<const std::uint8_t, kStatusFrameSize>(rx.data(), kStatusFrameSize));
        }
        TransmitBuffer tx{};
        const bool any = build_reply(s, tx);
        check_reply(tx, any);
        if (any) {
            const std::size_t len = finish_item_reply(tx);
            if (!crc_verify(tx.data(), len - 2)) std::abort();
        }
        decoder_second_tick(s);
    }
    return 0;
}
