// The link cycle over a real pseudo-terminal, the test playing the
// controller. Cycles are run one by one on the test's thread.
#include <gtest/gtest.h>

#include "link/decoder.h"
#include "link/link_cycle.h"
#include "link_test_support.h"
#include "platform/serial_port.h"

using namespace dryer::link;
using namespace dryer::link::test;
using dryer::platform::SerialPort;

namespace {

class Cycle : public ::testing::Test {
protected:
    Cycle() : pty(temp_link(::testing::UnitTest::GetInstance()->current_test_info()->name())), port(pty.path()) {}
    void SetUp() override {
        ASSERT_TRUE(pty.ok());
        ASSERT_TRUE(port.open());
    }
    // Sends bytes as the controller and waits until the panel's port has them.
    void controller_sends(const std::uint8_t* data, std::size_t n) {
        pty.send(data, n);
        ASSERT_TRUE(wait_input(port, n));
    }
    void controller_sends(Frame f) {
        const StatusFrame& b = f.seal();
        controller_sends(b.data(), b.size());
    }
    // Runs a cycle and returns the reply the controller sees.
    std::vector<std::uint8_t> cycle(CycleResult expected) {
        EXPECT_EQ(cycle_.run_cycle(), expected);
        const std::size_t n = expected == CycleResult::idle_reply       ? kIdleReplySize
                              : expected == CycleResult::link_lost_reply ? kLinkLostReplySize
                                                                        : 8;
        std::vector<std::uint8_t> got = pty.receive(n);
        if (expected == CycleResult::item_reply && got.size() == 8 && got[0] > 8) {
            const std::vector<std::uint8_t> rest = pty.receive(got[0] - 8u);
            got.insert(got.end(), rest.begin(), rest.end());
        }
        return got;
    }

    LinkState s;
    Pty pty;
    SerialPort port;
    LinkCycle cycle_{s, port};
};

}  // namespace

TEST_F(Cycle, idle_reply_in_every_cycle_without_a_controller) {
    for (int i = 0; i < 5; ++i) EXPECT_EQ(cycle(CycleResult::idle_reply), kIdle);
    EXPECT_TRUE(pty.drain().empty()) << "exactly one reply per cycle";
}

TEST_F(Cycle, accepted_frame_is_decoded_and_restores_the_alive_counter) {
    for (int i = 0; i < 10; ++i) link_second_tick_on(s);
    EXPECT_EQ(load(s.link_alive), 0u);
    Frame f = Frame::of(s);
    f.set(off::fan_heater_count, 3);
    controller_sends(f);
    EXPECT_EQ(cycle(CycleResult::idle_reply), kIdle);
    EXPECT_EQ(load(s.link_alive), kLinkAliveReload);
    EXPECT_EQ(s.status.get(off::fan_heater_count), 3);
}

TEST_F(Cycle, overlong_short_and_corrupt_input_is_ignored) {
    Frame f = Frame::of(s);
    f.set(off::module_count, 2);
    const StatusFrame& b = f.seal();
    std::vector<std::uint8_t> longer(b.begin(), b.end());
    longer.push_back(0x55);
    controller_sends(longer.data(), longer.size());
    cycle(CycleResult::idle_reply);
    controller_sends(b.data(), 330);
    cycle(CycleResult::idle_reply);
    std::vector<std::uint8_t> bad(b.begin(), b.end());
    bad[20] ^= 1;
    controller_sends(bad.data(), bad.size());
    cycle(CycleResult::idle_reply);
    EXPECT_EQ(s.status.get(off::module_count), 0);
}

TEST_F(Cycle, split_frame_is_lost) {
    Frame f = Frame::of(s);
    f.set(off::fuel_type, 1);
    const StatusFrame& b = f.seal();
    controller_sends(b.data(), 200);
    cycle(CycleResult::idle_reply);
    controller_sends(b.data() + 200, 131);
    cycle(CycleResult::idle_reply);
    EXPECT_EQ(s.status.get(off::fuel_type), 0);
    // The purge before each reply threw away what was left over.
    controller_sends(b.data(), b.size());
    cycle(CycleResult::idle_reply);
    EXPECT_EQ(s.status.get(off::fuel_type), 1);
}

TEST_F(Cycle, setting_resent_every_cycle_until_echoed) {
    s.settings.set(off::fan_heater_count, 2);
    s.flags.raise(row::fan_heater_count);
    const std::vector<std::uint8_t> item = {0x08, 0x01, 0x00, 0x03, 0x01, 0x02, 0x4C, 0xC2};
    EXPECT_EQ(cycle(CycleResult::item_reply), item);
    EXPECT_EQ(cycle(CycleResult::item_reply), item);
    controller_sends(Frame::of(s).set(off::fan_heater_count, 2));
    EXPECT_EQ(cycle(CycleResult::idle_reply), kIdle);
}

TEST_F(Cycle, link_lost_reply_then_eight_held_cycles) {
    for (int i = 0; i < 10; ++i) link_second_tick_on(s);
    EXPECT_EQ(load(s.link_alive), 0u);
    store(s.link_lost_request, std::uint8_t{1});
    EXPECT_EQ(cycle(CycleResult::link_lost_reply), kLinkLost);
    s.settings.set(off::fan_heater_count, 2);
    s.flags.raise(row::fan_heater_count);
    for (int held = 1; held <= 8; ++held) {
        store(s.link_lost_request, std::uint8_t{1});  // the warning window keeps asking
        EXPECT_EQ(cycle(CycleResult::idle_reply), kIdle) << "held cycle " << held;
    }
    // 9th cycle: the setting goes out; the link-lost request still waits.
    EXPECT_EQ(cycle(CycleResult::item_reply)[0], 8);
    EXPECT_EQ(cycle(CycleResult::link_lost_reply), kLinkLost) << "10th cycle";
}

TEST_F(Cycle, device_vanishes_and_returns) {
    controller_sends(Frame::of(s).set(off::fuel_type, 2));
    cycle(CycleResult::idle_reply);
    pty.close_master();  // the USB adapter is pulled
    EXPECT_EQ(cycle_.run_cycle(), CycleResult::idle_reply) << "the failed write is ignored";
    EXPECT_FALSE(port.is_open());
    for (std::uint32_t i = 1; i < kReopenEveryCycles; ++i) EXPECT_EQ(cycle_.run_cycle(), CycleResult::port_closed);
    pty.open_new();  // it comes back under the same name
    EXPECT_EQ(cycle_.run_cycle(), CycleResult::port_closed);  // this cycle reopens it
    ASSERT_TRUE(port.is_open());
    EXPECT_EQ(cycle(CycleResult::idle_reply), kIdle);
    controller_sends(Frame::of(s).set(off::fuel_type, 3));
    cycle(CycleResult::idle_reply);
    EXPECT_EQ(s.status.get(off::fuel_type), 3);
}

TEST(CycleWithoutDevice, device_missing_at_start_is_picked_up_when_it_appears) {
    LinkState s;
    Pty pty(temp_link("late_device"));
    ASSERT_TRUE(pty.ok());
    SerialPort port(pty.path());  // start-up could not open it
    LinkCycle cycle{s, port};
    for (std::uint32_t i = 1; i < kReopenEveryCycles; ++i) EXPECT_EQ(cycle.run_cycle(), CycleResult::port_closed);
    EXPECT_EQ(cycle.run_cycle(), CycleResult::port_closed);  // this cycle opens it
    ASSERT_TRUE(port.is_open());
    EXPECT_EQ(cycle.run_cycle(), CycleResult::idle_reply);
    EXPECT_EQ(pty.receive(kIdleReplySize), kIdle);
}

TEST(SerialPort, refuses_missing_device_and_plain_file) {
    SerialPort missing("/nonexistent/ttyS9");
    EXPECT_FALSE(missing.open());
    EXPECT_FALSE(missing.is_open());
    EXPECT_EQ(missing.read_some(nullptr, 0), -1);
    const auto file = temp_link("plainfile");
    { std::FILE* f = std::fopen(file.c_str(), "w"); std::fclose(f); }
    SerialPort plain(file.string());
    EXPECT_FALSE(plain.open());
    std::filesystem::remove(file);
}
