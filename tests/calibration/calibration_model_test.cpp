// The calibration dialogs' rules on a real link state: trims, multiplier
// and output limits clamped at their ends, the texts the operator reads, and
// which settings and change flags each action leaves behind.
#include <gtest/gtest.h>

#include "link/link_state.h"
#include "link/reply_table.h"
#include "setup/calibration/calibration_model.h"
#include "views/unload_status/unload_status_model.h"

namespace dryer::setup {
namespace {

namespace off = link::off;
namespace row = link::row;

TEST(MoistureCalibrationRules, trims_step_by_a_tenth_and_stay_in_their_range) {
    struct Row {
        Trim trim;
        int from, delta, to;
    };
    const Row rows[] = {
        {Trim::wet_moisture, 200, +1, 200},   {Trim::wet_moisture, -200, -1, -200}, {Trim::dry_moisture, 199, +1, 200},
        {Trim::dry_moisture, -200, +1, -199}, {Trim::wet_temperature, 100, +1, 100}, {Trim::dry_temperature, -100, -1, -100},
        {Trim::wet_temperature, 0, -1, -1},   {Trim::dry_moisture, 500, +1, 200},    {Trim::dry_temperature, -3000, -1, -100},
    };
    for (const Row& r : rows) {
        link::LinkState state;
        state.status.set_u16be(trim_offset(r.trim), static_cast<std::uint16_t>(r.from));
        MoistureCalibration m(state);
        m.step(r.trim, r.delta);
        EXPECT_EQ(m.value(r.trim), r.to) << static_cast<int>(r.trim) << " from " << r.from;
    }
}

TEST(MoistureCalibrationRules, texts_show_tenths_with_their_sign) {
    struct Row {
        std::string shown, expected;
    };
    const Row rows[] = {
        {trim_text(-5), "-0.5"},
        {trim_text(200), "20.0"},
        {trim_text(-200), "-20.0"},
        {moisture_line("Moisture", 155), "Moisture:  15.5 %"},
        {moisture_line("Moisture", 5), "Moisture:   0.5 %"},
        {temperature_line("Temperature", 723), "Temperature: 72.3 F"},
        {temperature_line("Temperature", -5), "Temperature: -0.5 F"},
        {temperature_line("Temperature", -25), "Temperature: -2.5 F"},
    };
    for (const Row& r : rows) EXPECT_EQ(r.shown, r.expected);
}

TEST(MoistureCalibrationRules, readings_come_from_both_sensors_high_byte_first) {
    link::LinkState state;
    state.status.set_u16be(off::moisture_191, 215);    // wet moisture 21.5
    state.status.set_u16be(off::value_195, 0xFFF6);    // wet temperature -1.0
    state.status.set_u16be(off::moisture_189, 152);    // dry moisture 15.2
    state.status.set_u16be(off::grain_temp_193, 987);  // dry temperature 98.7
    const SensorReadings r = sensor_readings(state.status);
    EXPECT_EQ(r.wet_moisture, 215);
    EXPECT_EQ(r.wet_temperature, -10);
    EXPECT_EQ(r.dry_moisture, 152);
    EXPECT_EQ(r.dry_temperature, 987);
}

TEST(MoistureCalibrationRules, accept_sends_only_the_trims_that_differ) {
    link::LinkState state;
    state.status.set_u16be(off::mcal_234, 10);
    state.status.set_u16be(off::mcal_241, static_cast<std::uint16_t>(-20));
    MoistureCalibration m(state);
    EXPECT_TRUE(m.accept(state).empty());  // nothing changed: nothing raised
    m.step(Trim::wet_moisture, -1);
    m.step(Trim::wet_moisture, -1);
    m.step(Trim::dry_temperature, +1);
    m.step(Trim::dry_temperature, -1);  // back where it was
    m.step(Trim::wet_temperature, -1);
    EXPECT_FALSE(state.flags.raised(row::mcal_234));  // not before ACCEPT
    EXPECT_EQ(m.accept(state), (std::vector<int>{row::mcal_234, row::mcal_243}));
    EXPECT_EQ(state.settings.get(off::mcal_234), 0x00);
    EXPECT_EQ(state.settings.get(off::mcal_234 + 1), 0x08);
    EXPECT_EQ(state.settings.get(off::mcal_243), 0xFF);
    EXPECT_EQ(state.settings.get(off::mcal_243 + 1), 0xFF);
    EXPECT_FALSE(state.flags.raised(row::mcal_232));
    EXPECT_FALSE(state.flags.raised(row::mcal_241));
    // Opened again before the echo, the pending trim is what it shows.
    MoistureCalibration again(state);
    EXPECT_EQ(again.value(Trim::wet_moisture), 8);
}

TEST(UnloadBushelsRules, multiplier_and_counter) {
    struct Row {
        int from;
        bool up;
        int to;
    };
    const Row rows[] = {{150, true, 150}, {50, false, 50}, {100, true, 101}, {100, false, 99}, {0, true, 50}, {200, false, 150}};
    for (const Row& r : rows) {
        link::LinkState state;
        state.status.set(off::unload_163, static_cast<std::uint8_t>(r.from));
        UnloadBushels u(state);
        r.up ? u.increase() : u.decrease();
        EXPECT_EQ(u.multiplier(), r.to) << r.from << (r.up ? " up" : " down");
    }
    link::LinkState state;
    const std::uint8_t counter[] = {0x10, 0x0E, 0x00, 0x00};  // 3600 bushel-seconds
    for (std::size_t i = 0; i < 4; ++i) state.status.set(off::unload_counter + i, counter[i]);
    EXPECT_EQ(total_bushels(state.status), 1u);
    state.status.set(off::unload_counter, 0x0F);  // 3599
    EXPECT_EQ(total_bushels(state.status), 0u);
    EXPECT_EQ(multiplier_text(105), "105 %");
}

TEST(UnloadBushelsRules, accept_sends_a_changed_multiplier_and_clear_sets_bit_3) {
    link::LinkState state;
    state.status.set(off::unload_163, 100);
    state.status.set(off::unload_control_238, 0x01);
    UnloadBushels u(state);
    EXPECT_FALSE(u.accept(state));
    EXPECT_FALSE(state.flags.raised(row::unload_bushels));
    u.increase();
    EXPECT_TRUE(u.accept(state));
    EXPECT_EQ(state.settings.get(off::unload_163), 101);
    request_counter_zero(state);
    EXPECT_EQ(state.settings.get(off::unload_control_238), 0x09);  // the other bits as reported
    EXPECT_TRUE(state.flags.raised(row::unload_control));
}

TEST(MeterRollVoltageRules, percent_and_volts) {
    struct Row {
        int value;
        bool changed;
        const char* percent;
        const char* volts;
    };
    const Row rows[] = {
        {255, false, "100.00 %", "~10.0 V"},
        {166, false, "65.10 %", "~6.5 V"},
        {64, false, "25.10 %", "~2.5 V"},
        {0, false, "0.00 %", "~0.0 V"},
        {64, true, " 25.10 %", " ~2.5 V"},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(percent_text(r.value, r.changed), r.percent) << r.value;
        EXPECT_EQ(volts_text(r.value, r.changed), r.volts) << r.value;
    }
}

TEST(MeterRollVoltageRules, each_press_sends_the_limit_and_drives_the_rolls_at_it) {
    struct Row {
        int min_from, max_from;
        RollLimit limit;
        int delta;
        int to;
        std::uint8_t drive;
    };
    const Row rows[] = {
        {64, 200, RollLimit::minimum, +1, 64, kDriveMinimum},
        {0, 200, RollLimit::minimum, -1, 0, kDriveMinimum},
        {10, 200, RollLimit::minimum, +1, 11, kDriveMinimum},
        {10, 166, RollLimit::maximum, -1, 166, kDriveMaximum},
        {10, 255, RollLimit::maximum, +1, 255, kDriveMaximum},
        {10, 100, RollLimit::maximum, -1, 166, kDriveMaximum},  // reported below the range
        {90, 200, RollLimit::minimum, +1, 64, kDriveMinimum},   // reported above the range
    };
    for (const Row& r : rows) {
        link::LinkState state;
        state.status.set(off::mr_volt_237, static_cast<std::uint8_t>(r.min_from));
        state.status.set(off::mr_volt_236, static_cast<std::uint8_t>(r.max_from));
        MeterRollVoltage v(state);
        v.step(state, r.limit, r.delta);
        const bool minimum = r.limit == RollLimit::minimum;
        EXPECT_EQ(v.value(r.limit), r.to);
        EXPECT_EQ(state.settings.get(minimum ? off::mr_volt_237 : off::mr_volt_236), r.to);
        EXPECT_TRUE(state.flags.raised(minimum ? row::mr_volt_237 : row::mr_volt_236));
        EXPECT_FALSE(state.flags.raised(minimum ? row::mr_volt_236 : row::mr_volt_237));
        EXPECT_EQ(state.settings.get(off::unload_control_238), r.drive);
        EXPECT_TRUE(state.flags.raised(row::unload_control));
    }
}

TEST(MeterRollVoltageRules, defaults_send_both_and_leaving_returns_the_rolls) {
    link::LinkState state;
    state.status.set(off::mr_volt_237, 30);
    state.status.set(off::mr_volt_236, 200);
    MeterRollVoltage v(state);
    v.step(state, RollLimit::maximum, +1);
    v.defaults(state);
    EXPECT_EQ(v.value(RollLimit::minimum), 0);
    EXPECT_EQ(v.value(RollLimit::maximum), 255);
    EXPECT_EQ(state.settings.get(off::mr_volt_237), 0);
    EXPECT_EQ(state.settings.get(off::mr_volt_236), 255);
    EXPECT_TRUE(state.flags.raised(row::mr_volt_237));
    MeterRollVoltage::leave(state);
    EXPECT_EQ(state.settings.get(off::unload_control_238), kDriveNormal);
    EXPECT_EQ(state.settings.get(off::mr_volt_236), 255);  // what was sent stays sent
}

TEST(UnloadStatusDrawing, speeds_figure_and_highlight) {
    link::LinkState state;
    state.status.set(off::meter_roll_speeds_155 + 1, 75);
    state.status.set(off::meter_roll_speeds_155 + 2, 50);
    state.status.set(off::meter_roll_speeds_155 + 3, 100);
    // The English labels; the shorter ones are padded to the longest.
    const views::TableTexts en({{928, "HIGH:"}, {929, "MED:"}, {930, "LOW:"}, {931, "Bushel/Hour:"}, {932, "Total Bushels:"}});
    EXPECT_EQ(views::speed_lines(state.status, en),
              (std::array<std::string, 3>{" HIGH: 0750 ", " MED:  0500 ", " LOW:  1000 "}));
    struct Row {
        std::uint8_t in_use;
        int line;
    };
    for (const Row r : {Row{2, 0}, Row{1, 1}, Row{0, 2}, Row{3, -1}, Row{255, -1}}) {
        state.status.set(off::meter_roll_speeds_155, r.in_use);
        EXPECT_EQ(views::highlighted_speed_line(state.status), r.line) << int{r.in_use};
    }
    struct FigureRow {
        std::uint16_t tenths;
        const char* shown;
    };
    for (const FigureRow r : {FigureRow{123, "12.3"}, FigureRow{5, " 0.5"}, FigureRow{65535, "6553.5"}}) {
        state.status.set_u16be(off::value_197, r.tenths);
        EXPECT_EQ(views::unload_figure(state.status), r.shown);
    }
    state.status.set_u16be(off::value_173, 1250);
    state.status.set(off::unload_counter, 0x10);  // 3600 bushel-seconds
    state.status.set(off::unload_counter + 1, 0x0E);
    const views::Scene sc = views::unload_status_scene(state.status, en);
    EXPECT_NE(sc.find_text("Bushel/Hour: 1250"), nullptr);
    EXPECT_NE(sc.find_text("Total Bushels: 1"), nullptr);
    EXPECT_NE(sc.find_text("6553.5"), nullptr);
}

}  // namespace
}  // namespace dryer::setup
