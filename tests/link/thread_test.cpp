// The receive thread and the auto-reset event with two threads at work; run
// under ThreadSanitizer too (label "threads").
#include <gtest/gtest.h>

#include <thread>

#include "link/link_cycle.h"
#include "link/link_driver.h"
#include "link_test_support.h"
#include "platform/auto_reset_event.h"
#include "platform/serial_port.h"

using namespace dryer::link;
using namespace dryer::link::test;
using dryer::platform::AutoResetEvent;
using namespace std::chrono_literals;

TEST(AutoResetEvent, double_set_leaves_one_signal) {
    AutoResetEvent ev;
    ev.set();
    ev.set();
    EXPECT_TRUE(ev.wait({}, 0ms));
    EXPECT_FALSE(ev.wait({}, 0ms));
}

TEST(AutoResetEvent, wakes_a_waiting_thread_and_stops_on_request) {
    AutoResetEvent ev;
    std::atomic<int> woken{0};
    std::jthread t([&](std::stop_token st) {
        while (ev.wait(st)) woken.fetch_add(1);
    });
    ev.set();
    while (woken.load() == 0) std::this_thread::sleep_for(1ms);
    t.request_stop();
    t.join();
    EXPECT_EQ(woken.load(), 1);
}

// Waits until the driver has finished n cycles in all.
static bool wait_cycles(const LinkDriver& d, std::uint32_t n) {
    const auto end = std::chrono::steady_clock::now() + 5s;
    while (d.cycles_run() < n) {
        if (std::chrono::steady_clock::now() > end) return false;
        std::this_thread::sleep_for(1ms);
    }
    return true;
}

TEST(LinkDriver, runs_a_cycle_on_every_second_tick) {
    LinkState s;
    Pty pty(temp_link("driver"));
    dryer::platform::SerialPort port(pty.path());
    ASSERT_TRUE(port.open());
    LinkDriver driver(s, port);
    driver.start();
    driver.cycle_tick();  // odd tick: no cycle
    driver.cycle_tick();
    ASSERT_TRUE(wait_cycles(driver, 1));
    EXPECT_EQ(pty.receive(7), kIdle);

    // A setting raised on this thread while the receive thread runs.
    s.settings.set(off::fan_heater_count, 2);
    s.flags.raise(row::fan_heater_count);
    const std::uint32_t before = driver.cycles_run();
    pty.drain();
    driver.cycle_tick();
    driver.cycle_tick();
    ASSERT_TRUE(wait_cycles(driver, before + 1));
    EXPECT_EQ(pty.receive(8), (std::vector<std::uint8_t>{0x08, 0x01, 0x00, 0x03, 0x01, 0x02, 0x4C, 0xC2}));

    // The controller echoes it; the next cycle is idle again.
    Frame f;
    for (std::size_t k = 0; k < kPayloadSize; ++k) f.bytes[k] = s.status.get(k);
    f.set(off::fan_heater_count, 2);
    pty.send(f.seal());
    ASSERT_TRUE(wait_input(port, kStatusFrameSize));
    driver.cycle_tick();
    driver.cycle_tick();
    ASSERT_TRUE(wait_cycles(driver, before + 2));
    EXPECT_EQ(pty.receive(7), kIdle);
    EXPECT_FALSE(s.flags.raised(row::fan_heater_count));
    driver.stop();
}

TEST(LinkDriver, stops_while_waiting_and_with_no_tick_ever) {
    LinkState s;
    Pty pty(temp_link("idle-driver"));
    dryer::platform::SerialPort port(pty.path());
    ASSERT_TRUE(port.open());
    LinkDriver driver(s, port);
    driver.start();
    std::this_thread::sleep_for(5ms);
    driver.stop();
    EXPECT_EQ(driver.cycles_run(), 0u);
}

// The panel's process-wide driver over link_state(): a device missing at
// start-up lets the link run down, and is picked up when it appears.
TEST(PanelLink, process_wide_driver_waits_for_a_missing_device) {
    const std::filesystem::path device = temp_link("late-panel");
    std::filesystem::remove(device);
    EXPECT_FALSE(dryer::link::open_link(device.string()));
    for (int i = 0; i < 9; ++i) link_second_tick();
    EXPECT_TRUE(link_alive());
    link_second_tick();
    EXPECT_FALSE(link_alive());

    Pty pty(device);  // the adapter is plugged in
    request_link_lost_reply();
    // The thread tries the device every few cycles; tick until it answers.
    std::vector<std::uint8_t> got;
    for (int i = 0; i < 200 && got.size() < 4; ++i) {
        link_cycle_tick();
        link_cycle_tick();
        const auto more = pty.receive(4 - got.size(), 5ms);
        got.insert(got.end(), more.begin(), more.end());
    }
    EXPECT_EQ(got, kLinkLost);
}
