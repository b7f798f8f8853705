// The dryer picture: layouts, unit pictures, phase counters, the hourly
// average and the value boxes.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "views/dryer_picture/dryer_picture_model.h"

using namespace dryer;
using namespace dryer::views;
namespace off = link::off;

namespace {

const std::string deg = "\xC2\xB0";

TEST(DryerLayout, selector_order) {
    link::ByteImage s;
    EXPECT_EQ(dryer_layout(s).drawing, 367);
    EXPECT_EQ(dryer_layout(s).overlay, 1);
    s.set(off::options_225, 0x20);
    EXPECT_EQ(dryer_layout(s).drawing, 406);
    EXPECT_EQ(dryer_layout(s).overlay, 4);
    s.set(off::options_225, 0xA0);
    EXPECT_EQ(dryer_layout(s).overlay, 1);
    s.set(off::module_count, 2);
    EXPECT_EQ(dryer_layout(s).drawing, 323);
    s.set(off::module_count, 1);  // the tower wins even with bit 7 of options_225
    EXPECT_EQ(dryer_layout(s).drawing, 324);
    EXPECT_EQ(dryer_layout(s).overlay, 2);
}

TEST(DryerLayout, units_in_use_and_out_of_range_codes) {
    link::ByteImage s;
    EXPECT_EQ(units_in_use(s), std::vector<int>{6});
    s.set(off::fan_heater_count, 3);
    EXPECT_EQ(units_in_use(s), (std::vector<int>{3, 4, 5, 6}));
    s.set(off::fan_heater_count, 4);
    EXPECT_EQ(units_in_use(s).size(), 6u);
    s.set(off::fan_heater_count, 200);
    EXPECT_TRUE(units_in_use(s).empty());
}

TEST(DryerLayout, unit_picture_by_bytes_a_and_b) {
    link::ByteImage s;
    struct C {
        std::uint8_t a, b;
        int index;
    } cases[] = {{0x04, 0x02, 3}, {0x00, 0x03, 2}, {0x04, 0x01, 1}, {0xFF, 0x00, 0}, {0x00, 0x02, 2}};
    for (const auto& c : cases) {
        s.set(link::heater_state_a_offset(2), c.a);
        s.set(link::heater_state_b_offset(2), c.b);
        EXPECT_EQ(unit_picture_index(s, 2), c.index) << int(c.a) << "/" << int(c.b);
    }
}

TEST(DryerLayout, tower_two_draws_its_unit_sets_and_the_mark) {
    link::ByteImage s;
    s.set(off::module_count, 2);
    s.set(off::fan_heater_count, 1);
    s.set(link::heater_state_b_offset(5), 0x02);
    s.set(link::heater_state_a_offset(5), 0x04);
    s.set(off::status_188, 0x80);
    DryerAnimation anim;
    const auto pics = dryer_picture_scene(s, anim, MoistureAverage{}, false, NumberTexts{}).pictures();
    EXPECT_EQ(pics.front(), 323);
    EXPECT_NE(std::find(pics.begin(), pics.end(), 334), pics.end());  // unit 5: picture 4
    EXPECT_NE(std::find(pics.begin(), pics.end(), 325), pics.end());  // unit 6: picture 1
    EXPECT_EQ(pics.back(), kMarkPicture);
}

TEST(DryerAnimation, counters_follow_their_conditions) {
    link::ByteImage s;
    s.set(link::heater_state_a_offset(3), 0x01);
    s.set(off::status_171, 0x00);  // bit 7 clear: the load indicator runs down
    s.set(off::status_172, 0x01);
    s.set(off::load_flags, 0x0C);
    DryerAnimation a;
    std::vector<int> load, unit3, discharge_slow, auger0, auger1;
    for (int i = 0; i < 6; ++i) {
        a.tick(s);
        load.push_back(a.load());
        unit3.push_back(a.unit_phase(3));
        discharge_slow.push_back(a.discharge_slow());
        auger0.push_back(a.auger(0));
        auger1.push_back(a.auger(1));
    }
    EXPECT_EQ(load, (std::vector<int>{2, 1, 0, 2, 1, 0}));
    EXPECT_EQ(unit3, (std::vector<int>{1, 2, 0, 1, 2, 0}));
    EXPECT_EQ(a.unit_phase(4), 0);
    EXPECT_EQ(discharge_slow, (std::vector<int>{0, 0, 0, 0, 1, 1}));
    EXPECT_EQ(auger0, (std::vector<int>{0, 0, 1, 1, 1, 2}));
    EXPECT_EQ(auger1, (std::vector<int>{0, 0, 2, 2, 2, 1}));
    EXPECT_EQ(a.unit_phase(0), 0);
    EXPECT_EQ(a.unit_phase(99), 0);
}

TEST(MoistureAverage, three_stars_until_300_samples_then_hourly_window) {
    MoistureAverage avg;
    for (int i = 0; i < 299; ++i) avg.add(150);
    EXPECT_EQ(avg.text(), "***");
    avg.add(150);
    EXPECT_EQ(avg.text(), "15.0%");
    for (std::size_t i = 300; i < MoistureAverage::kWindow; ++i) avg.add(150);
    EXPECT_EQ(avg.count(), 3600u);
    avg.add(150 + 3600);  // the oldest 150 leaves, the average rises by exactly 1 tenth
    EXPECT_EQ(avg.count(), 3600u);
    EXPECT_EQ(avg.average(), 151u);
}

TEST(MoistureAverage, fed_only_while_bit3_of_171) {
    link::ByteImage s;
    s.set_u16be(off::moisture_189, 180);
    MoistureAverage avg;
    avg.second_tick(s);
    EXPECT_EQ(avg.count(), 0u);
    s.set(off::status_171, 0x08);
    avg.second_tick(s);
    EXPECT_EQ(avg.count(), 1u);
    EXPECT_EQ(avg.average(), 180u);
}

struct BoxCase {
    const char* name;
    std::function<void(link::ByteImage&)> setup;
    std::function<std::string(const link::ByteImage&)> box;
    std::string expected;
};

class ValueBoxes : public ::testing::TestWithParam<BoxCase> {};

TEST_P(ValueBoxes, give_their_text) {
    link::ByteImage s;
    GetParam().setup(s);
    EXPECT_EQ(GetParam().box(s), GetParam().expected);
}

const NumberTexts kT;
std::string mode(const link::ByteImage& s) { return mode_name_box(s, kT); }
std::string state(const link::ByteImage& s) {
    const BoxText b = dryer_state_box(s, kT);
    return b.text + (b.colour == colour::green ? " green" : b.colour == colour::red ? " red" : " ?");
}
std::string control(const link::ByteImage& s) { return control_state_box(s, kT); }

INSTANTIATE_TEST_SUITE_P(
    Boxes, ValueBoxes,
    ::testing::Values(
        BoxCase{"mode_batch", [](auto& s) { s.set(off::drying_mode, 1); }, mode, "T291"},
        BoxCase{"mode_other_drying", [](auto& s) { s.set(off::drying_mode, 3); }, mode, "T292"},
        BoxCase{"mode_3speed", [](auto& s) { s.set(off::mc_mode_flags, 0x82); }, mode, "T925"},
        BoxCase{"mode_5", [](auto& s) { s.set(off::mc_mode_flags, 5); }, mode, "T289"},
        BoxCase{"mode_none", [](auto& s) { s.set(off::mc_mode_flags, 7); }, mode, "T290"},
        BoxCase{"state_batch_bits45",
                [](auto& s) {
                    s.set(off::drying_mode, 1);
                    s.set(off::system_flags_257, 0x30);
                },
                state, "T264 green"},
        BoxCase{"state_batch_none", [](auto& s) { s.set(off::drying_mode, 1); }, state, "T268 green"},
        BoxCase{"state_mode1_auto_bit6", [](auto& s) { s.set(off::mc_mode_flags, 0xC1); }, state, "T33 green"},
        BoxCase{"state_mode1_manual", [](auto& s) { s.set(off::mc_mode_flags, 0x01); }, state, "T270 red"},
        BoxCase{"state_mode4_224",
                [](auto& s) {
                    s.set(off::mc_mode_flags, 0x84);
                    s.set(off::mode_224, 0x80);
                },
                state, "T271 green"},
        BoxCase{"state_mode2_201_is_6",
                [](auto& s) {
                    s.set(off::mc_mode_flags, 2);
                    s.set(off::moisture_201, 6);
                },
                state, "T34 green"},
        BoxCase{"state_other_201_is_3", [](auto& s) { s.set(off::moisture_201, 3); }, state, "T34 green"},
        BoxCase{"state_other_dm3_179",
                [](auto& s) {
                    s.set(off::drying_mode, 3);
                    s.set(off::mode_flags_179, 2);
                },
                state, "T270 red"},
        BoxCase{"control_as",
                [](auto& s) {
                    s.set(off::status_280, 2);
                    s.set(off::meter_roll_speed_pct, 44);
                },
                control, "T926 44"},
        BoxCase{"control_mode5_sub3",
                [](auto& s) {
                    s.set(off::mc_mode_flags, 0x85);
                    s.set(off::status_220, 0x0B);
                    s.set(off::meter_roll_speed_pct, 12);
                },
                control, "T275 12"},
        BoxCase{"control_speed0_bit6_alone",
                [](auto& s) { s.set(off::mc_mode_flags, 0x40); }, control, "T277"},
        BoxCase{"control_speed1_decimal",
                [](auto& s) {
                    s.set(off::meter_roll_speeds_155, 1);
                    s.set(off::meter_roll_speed_pct, 55);
                    s.set(off::status_223, 4);
                },
                control, "T273 55.4"},
        BoxCase{"total_7199_is_1",
                [](auto& s) {
                    s.set(off::unload_counter, 7199 & 0xFF);
                    s.set(off::unload_counter + 1, 7199 >> 8);
                },
                [](const auto& s) { return bushel_total_box(s, false, kT); }, "T284 1"},
        BoxCase{"total_metric",
                [](auto& s) { s.set(off::unload_counter + 2, 0x10); },  // 1048576 bushel-seconds
                [](const auto& s) { return bushel_total_box(s, true, kT); }, "T283 7"},
        BoxCase{"throughput_metric", [](auto& s) { s.set_u16be(off::value_173, 1000); },
                [](const auto& s) { return throughput_box(s, true, kT); }, "T279 25"},
        BoxCase{"unload_hundredths",
                [](auto& s) {
                    s.set(off::options_225, 0x20);
                    s.set_u16be(off::value_197, 1205);
                },
                [](const auto& s) { return unload_figure_box(s, kT); }, "T282 12.05"},
        BoxCase{"unload_reverse", [](auto& s) { s.set(off::meter_roll_reverse, 0x20); },
                [](const auto& s) { return unload_figure_box(s, kT); }, "T281"},
        BoxCase{"grain_celsius_1000_is_37", [](auto& s) { s.set_u16be(off::grain_temp_193, 1000); },
                [](const auto& s) { return grain_temperature_box(s, true); }, "37 " + deg + "C"},
        BoxCase{"discharge_zero_stars", [](auto&) {}, [](const auto& s) { return discharge_moisture_box(s); },
                "***"},
        BoxCase{"sampler_fallback_285",
                [](auto& s) {
                    s.set(off::status_171, 0x08);
                    s.set(off::status_292, 0x01);
                },
                [](const auto& s) { return sampler_message_box(s, TableTexts({{285, "fallback"}})); }, "fallback"},
        BoxCase{"sampler_hidden_without_171_bit3", [](auto& s) { s.set(off::status_292, 0x01); },
                [](const auto& s) { return sampler_message_box(s, kT); }, ""},
        BoxCase{"setpoint_line", [](auto& s) { s.set_u16be(off::moisture_setpoint, 155); },
                [](const auto& s) { return setpoint_line_box(s, kT); }, "T288: 15.5%"}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(Overlay1, temperature_and_moisture_bottom_blocks) {
    link::ByteImage s;
    s.set(off::mc_mode_flags, 0x01);
    s.set_u16le(off::value_93, 104);
    s.set_u16le(off::target_149, 110);
    Scene sc = dryer_picture_scene(s, DryerAnimation{}, MoistureAverage{}, false, kT);
    ASSERT_NE(sc.find_text("104"), nullptr);
    EXPECT_EQ(sc.find_text("104")->size, 60);
    EXPECT_EQ(sc.find_text("104")->rect, (Rect{0, 345, 130, 415}));
    EXPECT_NE(sc.find_text("T288 110" + deg + "F"), nullptr);
    EXPECT_NE(sc.find_text("***"), nullptr);  // the average box during the warm-up
    s.set(off::mc_mode_flags, 0x03);
    s.set_u16be(off::moisture_189, 163);
    s.set_u16be(off::moisture_setpoint, 150);
    sc = dryer_picture_scene(s, DryerAnimation{}, MoistureAverage{}, false, kT);
    EXPECT_EQ(sc.find_text("16.3")->rect, (Rect{0, 340, 130, 415}));
    EXPECT_NE(sc.find_text("T922 15.0%"), nullptr);
}

}  // namespace
