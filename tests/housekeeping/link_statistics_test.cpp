// The system information's link statistics after a real exchange over a
// pseudo-terminal, the test playing the controller.
#include <gtest/gtest.h>

#include "link/link_cycle.h"
#include "platform/serial_port.h"
#include "tests/link/link_test_support.h"
#include "views/view_selection/view_selection_model.h"

namespace dryer::views {
namespace {

using namespace link::test;

TEST(LinkStatistics, counts_frames_rejections_replies_and_the_last_loss) {
    Pty pty(temp_link("statistics"));
    ASSERT_TRUE(pty.ok());
    platform::SerialPort port(pty.path());
    ASSERT_TRUE(port.open());
    link::LinkState s;
    link::LinkCycle cycle(s, port);
    // Sends bytes as the controller, runs one cycle and takes its reply.
    auto exchange = [&](const std::uint8_t* data, std::size_t n) {
        if (n > 0) {
            pty.send(data, n);
            ASSERT_TRUE(wait_input(port, n));
        }
        EXPECT_EQ(cycle.run_cycle(), link::CycleResult::idle_reply);
        EXPECT_EQ(pty.receive(kIdle.size()), kIdle);
    };
    Frame good = Frame::of(s);
    const link::StatusFrame& g = good.seal();
    link::StatusFrame bad = g;
    bad[20] ^= 0x01;

    exchange(g.data(), g.size());
    exchange(nullptr, 0);                  // nothing arrived: no rejection
    exchange(g.data(), 200);               // short
    exchange(bad.data(), bad.size());      // wrong check bytes
    for (int i = 0; i < 10; ++i) (void)link::link_alive_second_tick(s);  // the link is lost
    EXPECT_EQ(link::load(s.link_alive), 0u);
    LinkFigures lost = link_figures(s.stats);
    EXPECT_EQ(lost.losses, 1u);
    ASSERT_TRUE(lost.last_loss_began.has_value());
    EXPECT_FALSE(lost.last_loss_ended.has_value());
    EXPECT_EQ(link_statistics_lines(lost).back(), "Last loss ended: not yet");
    exchange(g.data(), g.size());          // the first frame ends it

    const LinkFigures f = link_figures(s.stats);
    EXPECT_EQ(f.frames_accepted, 2u);
    EXPECT_EQ(f.rejected_length, 1u);
    EXPECT_EQ(f.rejected_check, 1u);
    EXPECT_EQ(f.replies_sent, 5u);
    EXPECT_EQ(f.losses, 1u);
    ASSERT_TRUE(f.last_loss_ended.has_value());
    const std::vector<std::string> lines = link_statistics_lines(f);
    ASSERT_EQ(lines.size(), 7u);
    EXPECT_EQ(lines[0], "Frames accepted: 2");
    EXPECT_EQ(lines[1], "Rejected, wrong length: 1");
    EXPECT_EQ(lines[2], "Rejected, wrong check bytes: 1");
    EXPECT_EQ(lines[3], "Replies sent: 5");
    EXPECT_EQ(lines[4], "Link losses: 1");
    EXPECT_TRUE(lines[6].starts_with("Last loss ended: "));
    EXPECT_NE(lines[6], "Last loss ended: not yet");
}

TEST(SystemInformation, six_lines_with_whole_memory_figures) {
    const platform::LocalTime t{2026, 12, 9, 3, 13, 5, 9, 0};  // Wednesday 13:05:09
    const auto text = [](unsigned n) { return "T" + std::to_string(n); };
    // More than 4 GiB: the figure is shown whole, not wrapped to 32 bits.
    const auto lines = system_information_lines(text, t, MemoryStatus{8'589'934'592ull, 5'000'000'000ull});
    EXPECT_EQ(lines, (std::vector<std::string>{"T423: 2.10", "1:05:09 PM", "Wednesday  Dec 09, 2026",
                                               "T424: 8589934592 Bytes", "T425: 5000000000 Bytes", "T426"}));
    EXPECT_EQ(system_information_lines(text, t, std::nullopt)[3], "T424: 0 Bytes");
}

TEST(SystemInformation, meminfo_parsing) {
    const struct {
        const char* text;
        std::optional<MemoryStatus> expected;
    } rows[] = {
        {"MemTotal:       16318352 kB\nMemFree:  1 kB\nMemAvailable:    8000000 kB\n",
         MemoryStatus{16318352ull * 1024, 8000000ull * 1024}},
        {"MemTotal: 100 kB\n", std::nullopt},
        {"MemTotal: x kB\nMemAvailable: 1 kB\n", std::nullopt},
        {"MemTotalX: 5 kB\nMemTotal: 2 kB\nMemAvailable: 1 kB", MemoryStatus{2048, 1024}},
        {"MemTotal: 99999999999999999999 kB\nMemAvailable: 1 kB\n", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& r : rows) {
        const auto got = parse_meminfo(r.text);
        ASSERT_EQ(got.has_value(), r.expected.has_value()) << r.text;
        if (got) {
            EXPECT_EQ(got->total, r.expected->total);
            EXPECT_EQ(got->available, r.expected->available);
        }
    }
    EXPECT_TRUE(read_memory_status().has_value());
}

}  // namespace
}  // namespace dryer::views
