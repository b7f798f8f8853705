// The settings-edit path and the link's counters with two threads at work;
// run under ThreadSanitizer too (label "threads").
#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <barrier>
#include <thread>

#include "link/decoder.h"
#include "link/link_cycle.h"
#include "link/reply_builder.h"
#include "link/settings_edit.h"
#include "link_test_support.h"

using namespace dryer::link;
using namespace dryer::link::test;

namespace {

// One-byte settings lowered by their plain echo: many rows race at once.
constexpr std::array<int, 26> kRaceRows = {28, 29, 30, 31, 32, 33, 34, 35, 36, 37, 38, 39, 44,
                                           45, 46, 49, 58, 59, 60, 61, 64, 65, 69, 80, 81, 82};

// The receive thread's part: build a reply and decode a frame in which the
// controller reports, for every item, the value it last received, so the
// echoes it decodes are of values older than the newest commit.
void controller_loop(LinkState& s, std::stop_token stop) {
    std::array<std::uint8_t, kImageSize> echo{};
    TransmitBuffer tx{};
    while (!stop.stop_requested()) {
        if (build_reply(s, tx)) {
            const std::size_t end = tx[0] - 2u;
            for (std::size_t at = 2; at + 3 <= end; at += 3u + tx[at + 2]) {
                const std::size_t code = (tx[at] << 8) | tx[at + 1];
                if (tx[at + 2] == 1 && code < kImageSize) echo[code] = tx[at + 3];
            }
        }
        Frame f = Frame::of(s);
        for (const int r : kRaceRows) f.set(kReplyRows[static_cast<std::size_t>(r)].code, echo[kReplyRows[static_cast<std::size_t>(r)].code]);
        decode_status_frame(s, f.seal());
    }
}

bool any_raised(const LinkState& s) {
    for (const int r : kRaceRows) {
        if (s.flags.raised(r)) return true;
    }
    return false;
}

// Rows whose commit was lost: the flag is down while the controller reports
// something other than the setting. Only the editing thread writes these
// settings, so between its commits a lowered flag means the last commit was
// echoed (the flag is read first, then the bytes).
int lost_commits(const LinkState& s) {
    int lost = 0;
    for (const int r : kRaceRows) {
        const std::size_t at = kReplyRows[static_cast<std::size_t>(r)].code;
        if (!s.flags.raised(r) && s.status.get(at) != s.settings.get(at)) ++lost;
    }
    return lost;
}

// An editing thread commits value after value to 26 settings while the
// receive thread decodes frames that echo older values. No commit is ever
// dropped by the echo of an older one, and once the flags are down the
// controller reports the last value committed to every row.
TEST(SettingsEditThreads, the_last_commit_always_reaches_the_controller) {
    LinkState s;
    std::jthread controller([&](std::stop_token st) { controller_loop(s, st); });
    int lost = 0;
    std::uint8_t value = 0;
    for (int i = 0; i < 20000 && lost == 0; ++i) {
        lost += lost_commits(s);
        const std::array<std::uint8_t, 1> bytes{++value};
        for (const int r : kRaceRows) ASSERT_TRUE(commit_bytes(s, r, bytes, "race"));
    }
    EXPECT_EQ(lost, 0) << "commits dropped by the echo of an older value";
    while (any_raised(s) && lost_commits(s) == 0) std::this_thread::yield();
    for (const int r : kRaceRows) {
        EXPECT_EQ(s.status.get(kReplyRows[static_cast<std::size_t>(r)].code), value) << "row " << r;
    }
}

// The one-second tick lowers the link-alive counter and the shutdown
// re-record countdown while the receive thread reloads them; a reload is
// never overwritten by the tick's stale value.
TEST(SettingsEditThreads, a_counter_reload_racing_the_second_tick_is_never_lost) {
    LinkState s;
    constexpr int kRounds = 50000;
    std::barrier sync(2);
    std::jthread receive([&] {
        for (int i = 0; i < kRounds; ++i) {
            sync.arrive_and_wait();
            store(s.link_alive, kLinkAliveReload);
            store(s.values.rerecord_countdown, std::uint32_t{100});
            sync.arrive_and_wait();
        }
    });
    int lost = 0;
    for (int i = 0; i < kRounds; ++i) {
        store(s.link_alive, std::uint32_t{1});
        store(s.values.rerecord_countdown, std::uint32_t{1});
        sync.arrive_and_wait();
        link_second_tick_on(s);
        sync.arrive_and_wait();
        // Either order of the two is fine; a lost reload would leave 0.
        const std::uint32_t alive = load(s.link_alive);
        const std::uint32_t rerecord = load(s.values.rerecord_countdown);
        // (Counted, not asserted here: the other thread waits at the barrier.)
        if (alive < kLinkAliveReload - 1 || rerecord < 99) ++lost;
    }
    EXPECT_EQ(lost, 0) << "reloads overwritten by the second tick";
}

}  // namespace
