// The panel's link core and the controller stand-in end to end, over a real
// pseudo-terminal: the stand-in serves the master on its own thread, the
// panel's cycle runs on the test thread (or on its own receive thread) over
// the panel's serial port class on the other side. Panel cycles are driven
// directly; the stand-in answers every reply at once, so nothing waits for
// real link timing.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <fcntl.h>
#include <functional>
#include <memory>
#include <mutex>
#include <sys/ioctl.h>
#include <termios.h>
#include <thread>
#include <unistd.h>

#include "link/link_cycle.h"
#include "link/reply_table.h"
#include "platform/serial_port.h"
#include "setup/keypads/temp_keypad.h"
#include "setup/temp_select/temp_select_model.h"
#include "sim/simulator.h"
#include "views/plenum/plenum_model.h"

namespace dryer {
namespace {

using link::CycleResult;
namespace off = link::off;

class RecordingSink : public link::ShutdownSink {
public:
    void record_shutdown(std::uint8_t node, std::uint8_t warning) override { records.emplace_back(node, warning); }
    std::vector<std::pair<int, int>> records;
};

sim::Action action(sim::ActionKind kind, std::uint32_t a = 0, std::uint32_t b = 0, std::uint64_t duration_ms = 0) {
    sim::Action x;
    x.kind = kind;
    x.a = a;
    x.b = b;
    x.duration_ms = duration_ms;
    return x;
}

bool wait_until(const std::function<bool()>& done, std::chrono::milliseconds limit = std::chrono::seconds(5)) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (!done()) {
        if (std::chrono::steady_clock::now() > end) return false;
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    return true;
}

class LinkEndToEnd : public ::testing::Test {
protected:
    void SetUp() override { state.shutdown_sink.store(&sink); }
    void TearDown() override {
        cycle.reset();
        port.reset();
        if (watch >= 0) ::close(watch);
        if (simulator) simulator->stop();
    }

    // Starts the stand-in (answering replies only: its own pacing is set far
    // away) and opens the panel's port on its pseudo-terminal.
    void start(std::bitset<link::kImageSize> refused = {}, std::uint32_t period_ms = 60'000) {
        sim::PeerOptions o;
        o.period_ms = period_ms;
        o.unscripted_events = false;
        o.refused = refused;
        o.log = [this](const std::string& line) {
            std::lock_guard lock(log_mutex);
            log.push_back(line);
        };
        simulator = std::make_unique<sim::Simulator>(std::move(o));
        std::string error;
        path = simulator->start_pty(&error);
        ASSERT_FALSE(path.empty()) << error;
        // A second descriptor on the panel's side, opened before the panel
        // takes the line exclusively, to see how many bytes are waiting.
        watch = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
        ASSERT_GE(watch, 0);
        port = std::make_unique<platform::SerialPort>(path);
        ASSERT_TRUE(port->open());
        cycle = std::make_unique<link::LinkCycle>(state, *port);
        ASSERT_TRUE(wait_bytes(link::kStatusFrameSize)) << "the stand-in's first frame";
    }

    std::size_t waiting_bytes() const {
        int n = 0;
        return ::ioctl(watch, FIONREAD, &n) == 0 && n > 0 ? static_cast<std::size_t>(n) : 0;
    }
    bool wait_bytes(std::size_t n) {
        return wait_until([&] { return waiting_bytes() >= n; });
    }
    std::uint64_t replies_seen() const {
        const sim::PeerStats s = simulator->stats();
        return s.item_replies + s.idle_replies + s.link_lost_replies + s.malformed_replies;
    }

    // One panel cycle; then waits until the stand-in has taken the reply and
    // `answer` bytes are waiting on the line (0: the stand-in stays silent).
    CycleResult step(std::size_t answer = link::kStatusFrameSize) {
        const std::uint64_t before = replies_seen();
        const CycleResult r = cycle->run_cycle();
        EXPECT_TRUE(wait_until([&] { return replies_seen() > before; })) << "the stand-in took the reply";
        if (answer > 0) {
            EXPECT_TRUE(wait_bytes(answer)) << "waiting for " << answer << " bytes";
        }
        return r;
    }

    bool raised(int row) const { return state.flags.raised(row); }

    link::LinkState state;
    RecordingSink sink;
    std::unique_ptr<sim::Simulator> simulator;
    std::string path;
    int watch = -1;
    std::unique_ptr<platform::SerialPort> port;
    std::unique_ptr<link::LinkCycle> cycle;
    std::mutex log_mutex;
    std::vector<std::string> log;
};

TEST_F(LinkEndToEnd, FirstFrameBringsTheControllersImage) {
    start();
    EXPECT_EQ(step(), CycleResult::idle_reply);
    const sim::Image image = simulator->snapshot();
    EXPECT_EQ(state.status.get(off::fan_heater_count), image[off::fan_heater_count]);
    EXPECT_EQ(state.status.get(off::moisture_setpoint + 1), image[off::moisture_setpoint + 1]);
    EXPECT_EQ(link::load(state.link_alive), link::kLinkAliveReload);
}

TEST_F(LinkEndToEnd, PreviousFrameEchoSetpointGoesOutOnceMore) {
    start();
    step();
    const int row = link::plenum_setpoint_row(5);
    state.settings.set_u16le(link::heater_setpoint_offset(5), 205);
    state.flags.raise(row);

    EXPECT_EQ(step(), CycleResult::item_reply);  // the item on the wire ...
    EXPECT_EQ(link::s16le(link::ByteView{simulator->snapshot().data()}, link::heater_setpoint_offset(5)), 205);
    EXPECT_TRUE(raised(row));
    EXPECT_EQ(step(), CycleResult::item_reply);  // ... the echo arrives; compared before the copy: once more
    EXPECT_EQ(link::s16le(state.status, link::heater_setpoint_offset(5)), 205);
    EXPECT_TRUE(raised(row));
    EXPECT_EQ(step(), CycleResult::idle_reply);  // the second echo lowers the flag
    EXPECT_FALSE(raised(row));
    EXPECT_EQ(simulator->stats().items_applied, 2u);
}

TEST_F(LinkEndToEnd, PlainEchoSettingIsLoweredByTheFirstEcho) {
    start();
    step();
    state.settings.set(off::display_options_266, 0x80);
    state.flags.raise(link::row::display_options);
    EXPECT_EQ(step(), CycleResult::item_reply);
    EXPECT_EQ(step(), CycleResult::idle_reply);
    EXPECT_FALSE(raised(link::row::display_options));
    EXPECT_EQ(state.status.get(off::display_options_266), 0x80);
    EXPECT_EQ(link::load(state.values.si_units), 1);
}

TEST_F(LinkEndToEnd, RefusedValueIsResentInEveryCycle) {
    std::bitset<link::kImageSize> refused;
    refused.set(off::moisture_setpoint);
    start(refused);
    step();
    const std::uint16_t before = link::u16be(state.status, off::moisture_setpoint);
    state.settings.set_u16be(off::moisture_setpoint, 160);
    state.flags.raise(link::row::moisture_setpoint);
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(step(), CycleResult::item_reply) << "cycle " << i;
        EXPECT_TRUE(raised(link::row::moisture_setpoint));
    }
    EXPECT_EQ(simulator->stats().items_refused, 8u);
    EXPECT_EQ(link::u16be(state.status, off::moisture_setpoint), before);
}

TEST_F(LinkEndToEnd, SilenceLosesTheLinkAndTheFirstGoodFrameEndsIt) {
    start();
    step();
    simulator->post(action(sim::ActionKind::silent, 0, 0, 3'600'000));
    step(0);  // the frame already on the line is the last one
    ASSERT_EQ(link::load(state.link_alive), link::kLinkAliveReload);
    for (int s = 0; s < 10; ++s) link::link_second_tick_on(state);  // ten quiet seconds
    ASSERT_EQ(link::load(state.link_alive), 0u);

    // While lost, the warning window asks for the link-lost reply on every
    // draw; it goes out every tenth cycle (about every 3.5 s).
    std::vector<int> lost_cycles;
    for (int i = 0; i < 30; ++i) {
        link::store(state.link_lost_request, std::uint8_t{1});
        if (step(0) == CycleResult::link_lost_reply) lost_cycles.push_back(i);
    }
    EXPECT_EQ(lost_cycles, (std::vector<int>{0, 10, 20}));
    EXPECT_EQ(simulator->stats().link_lost_replies, 3u);
    EXPECT_EQ(link::load(state.link_alive), 0u);

    link::store(state.link_lost_request, std::uint8_t{0});
    simulator->post(action(sim::ActionKind::silent, 0, 0, 0));  // the controller talks again
    step();
    step();
    EXPECT_EQ(link::load(state.link_alive), link::kLinkAliveReload);
    std::lock_guard lock(log_mutex);
    EXPECT_EQ(std::count_if(log.begin(), log.end(), [](const std::string& l) { return l.find("link-lost reply") != std::string::npos; }),
              3);
}

TEST_F(LinkEndToEnd, CorruptFramesAreIgnored) {
    start();
    step();
    simulator->post(action(sim::ActionKind::corrupt, 2));
    simulator->post(action(sim::ActionKind::set8, off::status_52, 9));
    step();  // reads the last good frame; the corrupt ones follow
    link::store(state.link_alive, 5u);
    step();
    step();
    EXPECT_EQ(link::load(state.link_alive), 5u) << "corrupt frames are not accepted";
    EXPECT_EQ(state.status.get(off::status_52), 0);
    step();
    EXPECT_EQ(link::load(state.link_alive), link::kLinkAliveReload);
    EXPECT_EQ(state.status.get(off::status_52), 9);
}

TEST_F(LinkEndToEnd, SplitFrameIsLostAcrossTwoCycles) {
    start();
    step();
    simulator->post(action(sim::ActionKind::split));
    simulator->post(action(sim::ActionKind::set8, off::status_52, 11));
    step(link::kStatusFrameSize / 2);  // reads the last good frame; the first half follows
    link::store(state.link_alive, 5u);
    step(link::kStatusFrameSize - link::kStatusFrameSize / 2);  // reads the first half; the second follows
    step();  // reads the second half
    EXPECT_EQ(link::load(state.link_alive), 5u);
    EXPECT_EQ(state.status.get(off::status_52), 0);
    step();
    EXPECT_EQ(link::load(state.link_alive), link::kLinkAliveReload);
    EXPECT_EQ(state.status.get(off::status_52), 11);
}

TEST_F(LinkEndToEnd, ShutdownFromTheScenarioIsRecordedOnce) {
    start();
    step();
    simulator->post(action(sim::ActionKind::shutdown, 14, 5));
    for (int i = 0; i < 6; ++i) step();
    EXPECT_EQ(state.status.get(off::shutdown_node), 14);
    EXPECT_EQ(state.status.get(off::shutdown_code), 5);
    // Cleared and reported again within 100 seconds: not recorded again.
    simulator->post(action(sim::ActionKind::clear));
    step();
    step();
    EXPECT_EQ(state.status.get(off::shutdown_code), 0);
    simulator->post(action(sim::ActionKind::shutdown, 14, 5));
    step();
    step();
    EXPECT_EQ(sink.records, (std::vector<std::pair<int, int>>{{14, 5}}));
}

TEST_F(LinkEndToEnd, ClearingTheBushelCounter) {
    start();
    step();
    state.settings.set(off::unload_control_238, 0x08);
    state.flags.raise(link::row::unload_control);
    int cycles = 0;
    while (raised(link::row::unload_control) && cycles < 10) {
        step();
        ++cycles;
    }
    EXPECT_FALSE(raised(link::row::unload_control));
    EXPECT_LE(cycles, 4);
    EXPECT_EQ(state.settings.get(off::unload_control_238) & 0x08, 0);
    EXPECT_EQ(simulator->snapshot()[off::unload_control_238] & 0x08, 0) << "sent once more without bit 3";
}

TEST_F(LinkEndToEnd, AutoStartRequestStartsThePlan) {
    start();
    step();
    state.settings.set(off::autostart_285, 10);  // rye
    state.settings.set(off::options_279, 0x01);
    state.flags.raise(link::row::autostart);
    state.flags.raise(link::row::hardware_options);
    EXPECT_EQ(step(), CycleResult::item_reply);
    step();
    EXPECT_FALSE(raised(link::row::autostart));
    EXPECT_FALSE(raised(link::row::hardware_options));
    EXPECT_EQ(state.status.get(off::autostart_285), 10);
    EXPECT_TRUE(link::bit(state.status, off::options_279, 0));
    EXPECT_TRUE(link::bit(state.status, off::status_280, 1));
    EXPECT_EQ(link::u16le(state.status, off::autostart_318), sim::kAutoStartSeconds);
}

// The panel's own receive thread, released by its cycle ticks, against the
// stand-in's thread: a setting travels and is acknowledged.
TEST_F(LinkEndToEnd, ReceiveThreadCompletesARoundTrip) {
    start();
    link::LinkDriver driver(state, *port);
    driver.start();
    auto run_cycle = [&] {
        const std::uint32_t before = driver.cycles_run();
        driver.cycle_tick();
        driver.cycle_tick();
        ASSERT_TRUE(wait_until([&] { return driver.cycles_run() > before; }));
        ASSERT_TRUE(wait_until([&] { return waiting_bytes() >= link::kStatusFrameSize; }));
    };
    run_cycle();
    state.settings.set_u16le(off::target_149, 115);
    state.flags.raise(link::row::grain_setpoint);
    for (int i = 0; i < 6 && raised(link::row::grain_setpoint); ++i) run_cycle();
    EXPECT_FALSE(raised(link::row::grain_setpoint));
    EXPECT_EQ(link::u16le(state.status, off::target_149), 115);
    driver.stop();
}

// Without replies the stand-in keeps sending on its own pacing, and stops
// promptly.
TEST(Simulator, PacesItselfWhenThePanelIsQuiet) {
    sim::PeerOptions o;
    o.period_ms = 5;
    o.unscripted_events = false;
    sim::Simulator s(std::move(o));
    std::string error;
    const std::string path = s.start_pty(&error);
    ASSERT_FALSE(path.empty()) << error;
    EXPECT_TRUE(s.start_pty(&error).empty()) << "one line at a time";
    ASSERT_TRUE(wait_until([&] { return s.stats().frames_sent >= 5; }));
    s.stop();
    const std::uint64_t sent = s.stats().frames_sent;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_EQ(s.stats().frames_sent, sent);
    s.stop();  // twice is harmless
}

// A serial device (here the far end of a pseudo-terminal pair) is served
// with the panel's line settings.
TEST(Simulator, ServesASerialDeviceWithThePanelsLineSettings) {
    sim::PtyPair line;
    std::string error;
    ASSERT_TRUE(sim::open_pty_pair(line, &error)) << error;
    sim::PeerOptions o;
    o.period_ms = 60'000;
    o.unscripted_events = false;
    sim::Simulator s(std::move(o));
    ASSERT_TRUE(s.start_port(line.path, &error)) << error;
    termios tio{};
    ASSERT_EQ(tcgetattr(line.keeper, &tio), 0);
    EXPECT_EQ(cfgetospeed(&tio), B38400);
    // A pseudo-terminal keeps the speed and the character size but has no
    // parity to set.
    EXPECT_EQ(tio.c_cflag & (CSIZE | CSTOPB), static_cast<tcflag_t>(CS8));
    std::vector<std::uint8_t> got;
    auto read_frame = [&] {
        got.clear();
        return wait_until([&] {
            std::uint8_t buf[512];
            const ssize_t n = ::read(line.master, buf, sizeof buf);
            if (n > 0) got.insert(got.end(), buf, buf + n);
            return got.size() >= link::kStatusFrameSize;
        });
    };
    ASSERT_TRUE(read_frame());
    EXPECT_TRUE(link::status_frame_accepted(got.data(), got.size()));
    const std::uint8_t idle[] = {0x07, 0x00, 0x00, 0x00, 0x00, 0x91, 0xC0};
    ASSERT_EQ(::write(line.master, idle, sizeof idle), static_cast<ssize_t>(sizeof idle));
    ASSERT_TRUE(read_frame());
    EXPECT_TRUE(link::status_frame_accepted(got.data(), got.size()));
    EXPECT_EQ(s.stats().idle_replies, 1u);
    s.stop();
    sim::close_pty_pair(line);
}

TEST(Simulator, RefusesASerialDeviceThatIsNotThere) {
    sim::Simulator s(sim::PeerOptions{});
    std::string error;
    EXPECT_FALSE(s.start_port("/dev/no-such-serial-device", &error));
    EXPECT_NE(error.find("/dev/no-such-serial-device"), std::string::npos);
    EXPECT_FALSE(s.serving());
}


// One numbering of the fan/heater units from TEMPS to the burners: the
// operator's Plenum 1 setpoint reaches the box of the first unit in use on
// the plenum panel and the stand-in's burner of that unit.
class UnitNumbering : public LinkEndToEnd, public ::testing::WithParamInterface<int> {};

TEST_P(UnitNumbering, TempsPlenumOneReachesTheFirstUnitInUse) {
    const int units = GetParam();
    start();
    simulator->post(action(sim::ActionKind::fans, static_cast<std::uint32_t>(units)));
    step();  // the stand-in takes the new count with this reply ...
    step();  // ... and reports it in the frame after
    ASSERT_EQ(views::plenum_box_count(state.status), units);

    // TEMPS' Plenum 1 button, through the keypad's store.
    const setup::TempSelectView temps = setup::temp_select_view(state.status, false, [](unsigned) { return std::string(); });
    const auto plenum1 = std::find_if(temps.plenum.begin(), temps.plenum.end(),
                                      [](const setup::TempPlace& p) { return p.button.name == std::string("Plenum 1 setpoint"); });
    ASSERT_NE(plenum1, temps.plenum.end());
    ASSERT_TRUE(plenum1->shown);
    const std::size_t offset = plenum1->button.target.offset;
    EXPECT_EQ(offset, link::heater_setpoint_offset(link::plenum_unit(1)));
    setup::begin_temperature_edit(state, offset);
    setup::store_temperature(state, offset, 215, "temperature setpoints");
    const int row = link::row_for_setting(offset);
    for (int i = 0; i < 4 && state.flags.raised(row); ++i) step();
    ASSERT_FALSE(state.flags.raised(row)) << "the echo lowers the flag";

    // The panel: the box of unit 6, titled Plenum 1 (text 327), shows 215.
    const views::Scene panel = views::plenum_scene(state.status, false, views::NumberTexts{});
    const views::Rect box = units == 1 ? views::Rect{0, 0, 150, 75} : views::plenum_box_rect(units - 1, units);
    const std::string expected = units == 1 ? "215 \u00B0F " : "T910  215 \u00B0F ";  // text 910: "SP:"
    const views::TextItem* sp = panel.find_text(expected);
    ASSERT_NE(sp, nullptr);
    EXPECT_TRUE(sp->rect.left >= box.left && sp->rect.right <= box.right && sp->rect.top >= box.top &&
                sp->rect.bottom <= box.bottom);
    if (units > 1) {
        const views::TextItem* title = panel.find_text("T327");
        ASSERT_NE(title, nullptr);
        EXPECT_EQ(title->rect.left, box.left + 4);
    }

    // The stand-in: unit 6 heats toward the new setpoint; no other unit's changed.
    const sim::Image image = simulator->snapshot();
    EXPECT_EQ(link::s16le(link::ByteView{image.data()}, link::heater_setpoint_offset(6)), 215);
    EXPECT_TRUE(image[link::heater_state_b_offset(6)] & 0x02) << "unit 6's heater is on";
    for (int k = 1; k <= 5; ++k) EXPECT_NE(link::s16le(link::ByteView{image.data()}, link::heater_setpoint_offset(k)), 215);
}

INSTANTIATE_TEST_SUITE_P(Units, UnitNumbering, ::testing::Values(1, 2, 6),
                         [](const auto& row) { return std::to_string(row.param) + "_units"; });

}  // namespace
}  // namespace dryer
