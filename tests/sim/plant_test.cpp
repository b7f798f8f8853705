#include "sim/plant.h"

#include <gtest/gtest.h>

#include "link/fields.h"

namespace dryer::sim {
namespace {

namespace off = link::off;

link::ByteView view(const Plant& p) { return link::ByteView{p.image().data()}; }

Action act(ActionKind kind, std::uint32_t a = 0, std::uint32_t b = 0) {
    Action x;
    x.kind = kind;
    x.a = a;
    x.b = b;
    return x;
}

void write8(Plant& p, std::size_t at, std::uint8_t v) { p.write(at, &v, 1); }

struct RunCase {
    const char* name;
    std::uint32_t seed;
    bool events;
    std::vector<Action> setup;
};

class PlantRun : public ::testing::TestWithParam<RunCase> {};

// Three hours of plant time, checked every second: whatever the model does,
// the bytes it reports stay within what the fields can mean.
TEST_P(PlantRun, KeepsEveryReadingPlausible) {
    Plant p(GetParam().seed, GetParam().events);
    for (const Action& a : GetParam().setup) p.apply(a);
    std::uint32_t last_counter = 0;
    int load_edges = 0, reports = 0, report_seconds = 0, longest_report = 0;
    bool was_loading = false;
    for (int s = 0; s < 3 * 3600; ++s) {
        p.step(1000);
        const auto v = view(p);
        for (std::size_t at : {off::batch_timer1_remaining, off::batch_timer2_remaining, off::batch_timer3_remaining,
                               off::load_timer_remaining, off::batch_timer4_remaining}) {
            ASSERT_LT(p.image()[at + 1], 60) << "seconds byte at " << at << " after " << s << " s";
        }
        ASSERT_LE(link::min_sec(v, off::load_timer_remaining), link::min_sec(v, off::load_timer_setpoint));
        const auto in = link::u16be(v, off::moisture_191), out = link::u16be(v, off::moisture_189);
        ASSERT_LE(out, in);
        ASSERT_GE(out, 80);
        ASSERT_LE(in, 300);
        for (int u = 1; u <= 6; ++u) {
            const auto t = link::s16le(v, link::heater_temperature_offset(u));
            ASSERT_GE(t, -40);
            ASSERT_LE(t, 400);
            if (u <= 6 - Plant::unit_count(p.image()[off::fan_heater_count])) {
                ASSERT_EQ(p.image()[link::heater_state_a_offset(u)], 0) << "unit " << u << " is not in use";
            }
        }
        ASSERT_GE(p.image()[off::meter_roll_speed_pct], 10);
        ASSERT_LE(p.image()[off::meter_roll_speed_pct], 100);
        const std::uint32_t counter = link::u32le(v, off::unload_counter);
        ASSERT_GE(counter, last_counter) << "the bushel counter only grows";
        last_counter = counter;
        const bool loading = link::bit(v, off::load_flags, 7);
        load_edges += loading != was_loading;
        was_loading = loading;
        if (p.image()[off::shutdown_code] != 0) {
            reports += report_seconds == 0;
            longest_report = std::max(longest_report, ++report_seconds);
        } else {
            report_seconds = 0;
        }
        ASSERT_EQ(link::bit(v, off::status_171, 6), link::bit(v, off::status_172, 0)) << "discharge bits agree";
        ASSERT_EQ(link::bit(v, off::status_188, 6), p.running());
        ASSERT_EQ(link::bit(v, off::status_171, 3), p.running());
    }
    EXPECT_GT(last_counter, 3600u * 50u) << "more than fifty bushels in three hours";
    EXPECT_GE(load_edges, 4) << "loads come and go";
    if (GetParam().events) {
        EXPECT_GE(reports, 2);
        EXPECT_LE(longest_report, 45) << "unscripted reports clear by themselves";
    } else {
        EXPECT_EQ(reports, 0);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Configurations, PlantRun,
    ::testing::Values(RunCase{"default_demo", 1, true, {}}, RunCase{"default_quiet", 7, false, {}},
                      RunCase{"six_fans", 3, true, {act(ActionKind::fans, 6)}},
                      RunCase{"one_fan_mode3_metric", 4, false, {act(ActionKind::fans, 1), act(ActionKind::mode, 3), act(ActionKind::metric, 1)}},
                      RunCase{"staged_batch",
                              5,
                              false,
                              {act(ActionKind::mode, 1), act(ActionKind::set8, 11, 20), act(ActionKind::set8, 16, 10),
                               act(ActionKind::set8, 21, 5)}}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(Plant, BurnersCycleAroundTheirSetpoints) {
    Plant p(2, false);
    bool flame_on = false, flame_off = false;
    for (int s = 0; s < 1800; ++s) {
        p.step(1000);
        if (s < 600) continue;
        const auto a = p.image()[link::heater_state_a_offset(5)];
        EXPECT_EQ(a & 0x03, 0x03) << "unit 5 fans and heats";
        (a & 0x04 ? flame_on : flame_off) = true;
        const auto t = link::s16le(view(p), link::heater_temperature_offset(5));
        const auto sp = link::s16le(view(p), link::heater_setpoint_offset(5));
        EXPECT_NEAR(t, sp, 25) << "after " << s << " s";
    }
    EXPECT_TRUE(flame_on && flame_off);
    // A new setpoint from the panel is followed.
    const std::uint8_t sp[2] = {150, 0};
    p.write(link::heater_setpoint_offset(5), sp, 2);
    p.step(900'000);
    EXPECT_NEAR(link::s16le(view(p), link::heater_temperature_offset(5)), 150, 25);
}

TEST(Plant, ClearingTheCounterHoldsItAtZeroWhileBitThreeIsSet) {
    Plant p(1, false);
    p.step(60'000);
    ASSERT_GT(link::u32le(view(p), off::unload_counter), 0u);
    write8(p, off::unload_control_238, 0x08);
    EXPECT_EQ(link::u32le(view(p), off::unload_counter), 0u);
    p.step(10'000);
    EXPECT_EQ(link::u32le(view(p), off::unload_counter), 0u);
    write8(p, off::unload_control_238, 0x00);
    p.step(10'000);
    // Bushel-seconds: bushels per hour times seconds.
    const std::uint32_t per_hour = link::u16be(view(p), off::value_173);
    EXPECT_NEAR(link::u32le(view(p), off::unload_counter), per_hour * 10.0, per_hour * 1.0);
}

// The panel's calibration reaches what the stand-in reports: each trim
// shifts its sensor's reading, the multiplier scales the rate and counter.
TEST(Plant, CalibrationTrimsAndMultiplierShiftWhatIsReported) {
    struct Row {
        std::size_t setting, reading;
        std::int16_t tenths;
    };
    const Row rows[] = {{off::mcal_234, off::moisture_191, 15},
                        {off::mcal_232, off::moisture_189, -20},
                        {off::mcal_243, off::value_195, 100},
                        {off::mcal_241, off::grain_temp_193, -7}};
    for (const Row& r : rows) {
        Plant plain(4, false), trimmed(4, false);
        const std::uint8_t bytes[2] = {static_cast<std::uint8_t>(static_cast<std::uint16_t>(r.tenths) >> 8),
                                       static_cast<std::uint8_t>(r.tenths)};
        trimmed.write(r.setting, bytes, 2);
        plain.step(60'000);
        trimmed.step(60'000);
        EXPECT_NEAR(link::u16be(view(trimmed), r.reading) - link::u16be(view(plain), r.reading), r.tenths, 1)
            << "setting " << r.setting;
    }
    Plant normal(4, false), raised(4, false);
    write8(raised, off::unload_163, 150);
    normal.step(60'000);
    raised.step(60'000);
    const double rate = link::u16be(view(normal), off::value_173);
    ASSERT_GT(rate, 0);
    EXPECT_NEAR(link::u16be(view(raised), off::value_173), rate * 1.5, 1);
    EXPECT_NEAR(link::u32le(view(raised), off::unload_counter), link::u32le(view(normal), off::unload_counter) * 1.5,
                link::u32le(view(normal), off::unload_counter) * 0.01 + 2);
}

TEST(Plant, ALoadCountsTheOutOfGrainTimerDownFromItsSetting) {
    Plant p(1, false);
    p.apply(act(ActionKind::load));
    p.step(1000);
    ASSERT_TRUE(p.loading());
    EXPECT_EQ(p.image()[off::status_171] & 0xA0, 0) << "load indicator runs";
    const std::uint32_t setting = link::min_sec(view(p), off::load_timer_setpoint);
    std::uint32_t expected = setting;
    while (p.loading()) {
        p.step(1000);
        if (!p.loading()) break;
        --expected;
        ASSERT_EQ(link::min_sec(view(p), off::load_timer_remaining), expected);
        ASSERT_TRUE(link::bit(view(p), off::load_flags, 7));
    }
    EXPECT_EQ(link::min_sec(view(p), off::load_timer_remaining), setting);
    EXPECT_FALSE(link::bit(view(p), off::load_flags, 7));
    EXPECT_EQ(p.image()[off::status_171] & 0xA0, 0xA0);
}

TEST(Plant, ALoadLongerThanTheTimerIsAnOutOfGrainShutdown) {
    Plant p(1, false);
    const std::uint8_t ten_seconds[2] = {0, 10};
    p.write(off::load_timer_setpoint, ten_seconds, 2);
    p.apply(act(ActionKind::load));
    p.step(15'000);
    EXPECT_FALSE(p.loading());
    EXPECT_EQ(p.image()[off::shutdown_node], 14);
    EXPECT_EQ(p.image()[off::shutdown_code], 1);  // MAIN I/O: OUT OF GRAIN
    EXPECT_FALSE(p.running());
}

TEST(Plant, AShutdownStopsTheDryerAndClearingItRestartsIt) {
    Plant p(1, false);
    p.step(1000);
    ASSERT_TRUE(link::bit(view(p), off::status_188, 6));
    p.apply(act(ActionKind::shutdown, 14, 5));
    p.step(1000);
    EXPECT_EQ(p.image()[off::shutdown_node], 14);
    EXPECT_EQ(p.image()[off::shutdown_code], 5);
    EXPECT_TRUE(link::bit(view(p), off::status_118, 5));
    for (auto [at, bit] : {std::pair{off::status_171, 6}, {off::status_171, 3}, {off::status_172, 0}, {off::status_188, 6}}) {
        EXPECT_FALSE(link::bit(view(p), at, bit)) << at << " bit " << bit;
    }
    EXPECT_EQ(link::u16be(view(p), off::value_173), 0);
    p.apply(act(ActionKind::clear));
    p.step(1000);
    EXPECT_EQ(p.image()[off::shutdown_code], 0);
    EXPECT_TRUE(p.running());
    EXPECT_TRUE(link::bit(view(p), off::status_171, 6));

    // A warning leaves the dryer running.
    p.apply(act(ActionKind::warning, 15, 3));
    p.step(1000);
    EXPECT_TRUE(p.running());
    EXPECT_EQ(p.image()[off::shutdown_node], 15);
}

TEST(Plant, AutoStartRunsItsPlanAndEndsItself) {
    Plant p(1, false);
    write8(p, off::options_279, 0x71);  // bits 4-6 are not the controller's
    EXPECT_EQ(p.image()[off::options_279], 0x01);
    ASSERT_TRUE(p.autostart_active());
    p.step(1000);
    const auto v = [&] { return view(p); };
    EXPECT_EQ(link::u16le(v(), off::autostart_318), kAutoStartSeconds);
    EXPECT_EQ(link::u16le(v(), off::autostart_320), kAutoStartSeconds - 1);
    EXPECT_EQ(p.image()[off::status_280] & 0x86, 0x02);
    bool final_stage = false;
    for (std::uint32_t s = 2; s <= kAutoStartSeconds; ++s) {
        p.step(1000);
        if (s == kAutoStartSeconds) break;
        ASSERT_EQ(link::u16le(v(), off::autostart_320), kAutoStartSeconds - s);
        final_stage |= (p.image()[off::status_280] & 0x04) != 0;
        // Auto-start unit 1 is the last physical unit; it heats from A to B.
        const std::uint32_t a = link::u16le(v(), 304), b = link::u16le(v(), 316);
        ASSERT_LT(a, b);
        ASSERT_EQ(link::bit(v(), 136, 1), s >= a && s < b) << "at " << s << " s";
        // Unit 2, the last of the two in use, heats from its start to the end.
        ASSERT_EQ(link::u16le(v(), 314), 0u);
        ASSERT_EQ(link::bit(v(), 135, 1), s >= link::u16le(v(), 302)) << "at " << s << " s";
    }
    EXPECT_TRUE(final_stage);
    EXPECT_FALSE(p.autostart_active());
    EXPECT_EQ(p.image()[off::status_280] & 0x86, 0x80);
    EXPECT_EQ(p.image()[off::options_279] & 0x01, 0);
    EXPECT_TRUE(p.running());
}

TEST(Plant, CancellingAutoStartClearsItsStateBits) {
    Plant p(1, false);
    write8(p, off::options_279, 0x01);
    p.step(5000);
    write8(p, off::options_279, 0x00);
    p.step(1000);
    EXPECT_FALSE(p.autostart_active());
    EXPECT_EQ(p.image()[off::status_280] & 0x86, 0);
    EXPECT_TRUE(link::bit(view(p), off::status_280, 6)) << "auto-start stays on offer";
}

TEST(Plant, StagedBatchTimersCountDownAndBatchesAreCounted) {
    Plant p(1, false);
    p.apply(act(ActionKind::mode, 1));
    const std::uint8_t one_minute[2] = {1, 0}, half_minute[2] = {0, 30};
    p.write(off::batch_timer1_setpoint, one_minute, 2);
    p.write(off::batch_timer2_setpoint, half_minute, 2);
    p.write(off::batch_timer3_setpoint, half_minute, 2);
    bool heat_seen = false;
    for (int s = 0; s < 600 && link::u16be(view(p), off::batch_counter) == 0; ++s) {
        p.step(1000);
        if (p.image()[off::batch_timer1_status] & 1) {
            heat_seen = true;
            EXPECT_LT(link::min_sec(view(p), off::batch_timer1_remaining), 60u);
            EXPECT_FALSE(link::bit(view(p), off::status_172, 0)) << "no discharge while heating";
        }
    }
    EXPECT_TRUE(heat_seen);
    EXPECT_EQ(link::u16be(view(p), off::batch_counter), 1);
}

TEST(Plant, LearningPeriodDipswitchAndSampler) {
    Plant p(1, false);
    p.apply(act(ActionKind::learning, 2));
    EXPECT_EQ(p.image()[off::status_52], 2);
    EXPECT_TRUE(link::bit(view(p), off::mode_flags_179, 2));
    p.step(61'000);
    EXPECT_EQ(p.image()[off::status_52], 1);
    p.step(60'000);
    EXPECT_EQ(p.image()[off::status_52], 0);
    EXPECT_FALSE(link::bit(view(p), off::mode_flags_179, 2));

    p.apply(act(ActionKind::dipswitch, 1));
    EXPECT_TRUE(link::bit(view(p), off::status_188, 5));

    p.apply(act(ActionKind::sampler, 1));
    bool sampling = false, ready = false;
    for (int s = 0; s < 120; ++s) {
        p.step(1000);
        sampling |= p.image()[off::status_292] == 0x02;
        ready |= p.image()[off::status_292] == 0x01;
    }
    EXPECT_TRUE(sampling && ready);
}

TEST(Plant, BadCountCodeFromThePanelLeavesNoUnitInUse) {
    Plant p(1, false);
    write8(p, off::fan_heater_count, 9);
    p.step(5000);
    for (int u = 1; u <= 6; ++u) EXPECT_EQ(p.image()[link::heater_state_a_offset(u)], 0);
}

// The default dryer (units 5 and 6 running, fans on) drives the relay
// outputs FAN 5, FAN 6 and START; the others stay off.
TEST(PlantOutputs, relay_outputs_follow_the_units_and_the_run) {
    Plant p(1, false);
    p.step(5000);
    const std::uint8_t j1 = p.image()[off::status_239_240];
    const std::uint8_t j2 = p.image()[off::status_239_240 + 1];
    EXPECT_EQ(j1 & 0x14, 0x14);        // J1-03 FAN 6, J1-05 FAN 5
    EXPECT_EQ(j1 & 0x40, 0);           // J1-07 FAN 4: not in use
    EXPECT_EQ(j2 & 0x01, 0x01);        // J2-08 START
    EXPECT_EQ(j2 & 0x88, 0);           // J2-01 FAN 3, J2-05 FAN 1
    p.apply(act(ActionKind::stop));
    p.step(1000);
    EXPECT_EQ(p.image()[off::status_239_240 + 1] & 0x01, 0);
}

}  // namespace
}  // namespace dryer::sim
