// Cost of one decode and one build on the receive thread.
#include <benchmark/benchmark.h>

#include "link/crc.h"
#include "link/decoder.h"
#include "link/reply_builder.h"

using namespace dryer::link;

namespace {

StatusFrame frame_of(const LinkState& s) {
    StatusFrame f{};
    for (std::size_t k = 0; k < kPayloadSize; ++k) f[k] = s.status.get(k);
    crc_append(f.data(), kPayloadSize);
    return f;
}

void decode_identical_frame(benchmark::State& st) {
    LinkState s;
    const StatusFrame f = frame_of(s);
    for (auto _ : st) {
        decode_status_frame(s, f);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(decode_identical_frame);

// Two frames that differ in every byte, decoded alternately: every field
// changes in every decode.
void decode_every_field_changed(benchmark::State& st) {
    LinkState s;
    StatusFrame a{}, b{};
    for (std::size_t k = 0; k < kPayloadSize; ++k) {
        a[k] = static_cast<std::uint8_t>(k * 7 + 1);
        b[k] = static_cast<std::uint8_t>(~a[k]);
    }
    crc_append(a.data(), kPayloadSize);
    crc_append(b.data(), kPayloadSize);
    bool flip = false;
    for (auto _ : st) {
        decode_status_frame(s, flip ? a : b);
        flip = !flip;
        s.redraw.take();
        benchmark::ClobberMemory();
    }
}
BENCHMARK(decode_every_field_changed);

void build_reply_all_flags(benchmark::State& st) {
    LinkState s;
    TransmitBuffer tx{};
    for (int r = 1; r <= static_cast<int>(kReplyRowCount); ++r) s.flags.raise(r);
    for (auto _ : st) {
        s.flags.raise(row::clock);  // the one-shot row is lowered by each build
        benchmark::DoNotOptimize(build_reply(s, tx));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(build_reply_all_flags);

}  // namespace
