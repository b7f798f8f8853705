// The dryer state line's priority list, row by row.
#include <gtest/gtest.h>

#include <functional>

#include "views/state_line/state_line_model.h"

using namespace dryer;
using namespace dryer::views;
namespace off = link::off;

namespace {

struct Row {
    const char* name;
    std::function<void(link::ByteImage&)> setup;
    std::uint32_t blink;
    bool celsius;
    int row;
    std::string text;
    Rgb colour;
};

void loaded(link::ByteImage& s) { s.set(off::status_171, 0xA0); }  // bits 5 and 7: row 7 does not apply

class StateLineRows : public ::testing::TestWithParam<Row> {};

TEST_P(StateLineRows, picks_text_and_colour) {
    const Row& r = GetParam();
    link::ByteImage s;
    loaded(s);
    r.setup(s);
    const StateLine line = state_line(s, r.blink, r.celsius, NumberTexts{});
    EXPECT_EQ(line.row, r.row);
    EXPECT_EQ(line.text, r.text);
    EXPECT_EQ(line.colour, r.colour);
}

constexpr std::uint32_t on = blink::phase | blink::settled, off_phase = blink::settled;
const std::string deg = "\xC2\xB0";

INSTANTIATE_TEST_SUITE_P(
    Rows, StateLineRows,
    ::testing::Values(
        Row{"bit5_of_118_wins_over_everything",
            [](auto& s) {
                s.set(off::status_118, 0x20);
                s.set(off::options_279, 1);
                s.set(off::status_188, 0x40);
                s.set(off::mode_224, 0x08);
            },
            on, false, 1, "T311", colour::red},
        Row{"row1_blinks_off", [](auto& s) { s.set(off::status_118, 0x20); }, off_phase, false, 1, "        ",
            colour::red},
        Row{"row2_appends_307_in_phase",
            [](auto& s) {
                s.set(off::options_279, 1);
                s.set(off::status_171, 0x20);
            },
            on, false, 2, "T301 T307", colour::white},
        Row{"row2_text_alone_off_phase",
            [](auto& s) {
                s.set(off::options_279, 1);
                s.set(off::status_171, 0);
            },
            off_phase, false, 2, "T301", colour::white},
        Row{"row2_needs_settled_flag", [](auto& s) { s.set(off::options_279, 1); }, blink::phase, false, 11, "T302",
            colour::red},
        Row{"row3_countdown_125s_shows_2_05",
            [](auto& s) {
                s.set(off::options_279, 1);
                s.set(off::status_280, 0x02);
                s.set_u16le(off::autostart_320, 125);
            },
            on, false, 3, "T301 2:05", colour::white},
        Row{"row3_bit2_of_280_gives_504",
            [](auto& s) {
                s.set(off::options_279, 1);
                s.set(off::status_280, 0x06);
            },
            on, false, 3, "T504", colour::white},
        Row{"row4_3500_shows_01_40",
            [](auto& s) {
                s.set_u16le(off::value_290, 3500);
                s.set(off::status_188, 0x40);
                s.set(off::mode_224, 0x80);
                s.set(off::mc_mode_flags, 4);
            },
            on, false, 4, "T310 [01:40]", colour::red},
        Row{"row4_past_the_hour_shows_00_00",
            [](auto& s) {
                s.set_u16le(off::value_290, 4000);
                s.set(off::status_188, 0x40);
                s.set(off::mode_224, 0x80);
                s.set(off::mc_mode_flags, 5);
            },
            on, false, 4, "T310 [00:00]", colour::red},
        Row{"row5_six_minutes_lime_steady",
            [](auto& s) {
                s.set(off::status_52, 6);
                s.set(off::mode_flags_179, 0x04);
                s.set(off::status_171, 0xA8);
                s.set(off::mc_mode_flags, 3);
            },
            off_phase, false, 5, "T309 6 T901", state_colour::lime},
        Row{"row5_five_minutes_dark_red_blinking",
            [](auto& s) {
                s.set(off::status_52, 5);
                s.set(off::mode_flags_179, 0x04);
                s.set(off::status_171, 0xA8);
                s.set(off::mc_mode_flags, 3);
            },
            off_phase, false, 5, "        ", state_colour::dark_red},
        Row{"row6_three_below_setpoint",
            [](auto& s) {
                s.set(off::mode_224, 0x08);
                s.set(off::status_188, 0x40);
                s.set_u16le(off::target_149, 105);
                s.set_u16le(off::value_93, 102);
            },
            on, false, 6, "T308 [ 3 " + deg + "F]", colour::green},
        Row{"row6_on_setpoint_minus",
            [](auto& s) {
                s.set(off::mode_224, 0x08);
                s.set(off::status_188, 0x40);
                s.set_u16le(off::target_149, 105);
                s.set_u16le(off::value_93, 105);
            },
            on, false, 6, "T308 [- 0 " + deg + "F]", colour::green},
        Row{"row6_dual_plenum_low_uses_151",
            [](auto& s) {
                s.set(off::mode_224, 0x08);
                s.set(off::status_188, 0x40);
                s.set(off::system_flags_257, 0x02);
                s.set(off::heater_status_143 + 5, 0x10);
                s.set_u16le(off::target_151, 120);
                s.set_u16le(off::value_93, 102);
            },
            on, false, 6, "T308 [ 18 " + deg + "F]", colour::green},
        Row{"row6_celsius_selector1",
            [](auto& s) {
                s.set(off::mode_224, 0x08);
                s.set(off::status_188, 0x40);
                s.set(off::status_184, 1);
                s.set_u16le(off::target_149, 110);
                s.set_u16le(off::value_91, 92);
            },
            on, true, 6, "T308 [- 10 " + deg + "C]", colour::green},
        Row{"row6_unknown_selector_text_alone",
            [](auto& s) {
                s.set(off::mode_224, 0x08);
                s.set(off::status_188, 0x40);
                s.set(off::status_184, 7);
            },
            on, false, 6, "T308", colour::green},
        Row{"row7_half_left_is_yellow",
            [](auto& s) {
                s.set(off::status_171, 0);
                s.set(off::load_timer_remaining, 4);
                s.set(off::load_timer_setpoint, 8);
                s.set(off::load_timer_status, 1);
            },
            on, false, 7, "T307  4:00", colour::yellow},
        Row{"row7_quarter_left_is_red",
            [](auto& s) {
                s.set(off::status_171, 0);
                s.set(off::load_timer_remaining, 2);
                s.set(off::load_timer_setpoint, 8);
                s.set(off::load_timer_status, 1);
            },
            on, false, 7, "T307  6:00", colour::red},
        Row{"row7_more_than_half_green_no_time",
            [](auto& s) {
                s.set(off::status_171, 0);
                s.set(off::load_timer_remaining, 5);
                s.set(off::load_timer_setpoint, 8);
            },
            on, false, 7, "T307", colour::green},
        Row{"row7_zero_setting_reads_as_run_out",
            [](auto& s) {
                s.set(off::status_171, 0);
                s.set(off::load_timer_remaining, 5);
                s.set(off::load_timer_status, 1);
            },
            on, false, 7, "T307  0:00", colour::red},
        Row{"row8_unload_with_timer",
            [](auto& s) {
                s.set(off::status_172, 1);
                s.set(off::timer_43, 1);
                s.set(off::timer_39, 3);
                s.set(off::timer_39 + 1, 7);
            },
            on, false, 8, "T306  3:07", colour::blue},
        Row{"row9_batch_dual_gives_305_red",
            [](auto& s) {
                s.set(off::status_188, 0x40);
                s.set(off::system_flags_257, 1);
                s.set(off::drying_mode, 1);
            },
            on, false, 9, "T305", colour::red},
        Row{"row9_otherwise_303_green", [](auto& s) { s.set(off::status_188, 0x40); }, on, false, 9, "T303",
            colour::green},
        Row{"row10", [](auto& s) { s.set(off::status_271, 0x05); }, on, false, 10, "T304", colour::blue},
        Row{"row11_otherwise", [](auto&) {}, on, false, 11, "T302", colour::red}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(StateLine, row5_uses_smaller_font) {
    link::ByteImage s;
    s.set(off::status_171, 0xA8);
    s.set(off::status_52, 9);
    s.set(off::mode_flags_179, 0x04);
    s.set(off::mc_mode_flags, 3);
    const StateLine l = state_line(s, blink::phase, false, NumberTexts{});
    EXPECT_EQ(l.size, 25);
    EXPECT_EQ(l.weight, 500);
}

TEST(StateLine, out_of_grain_fraction_of_zero_setting_is_zero) {
    EXPECT_EQ(out_of_grain_fraction(100, 0), 0.0);
    EXPECT_EQ(out_of_grain_fraction(240, 480), 0.5);
}

}  // namespace
