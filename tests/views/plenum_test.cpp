// The plenum panel: box counts, state table, one-box form.
#include <gtest/gtest.h>

#include "views/plenum/plenum_model.h"

using namespace dryer;
using namespace dryer::views;
namespace off = link::off;

namespace {

TEST(Plenum, box_count_by_count_code) {
    link::ByteImage s;
    const int expected[] = {1, 2, 3, 4, 6, 0, 0};
    for (int code = 0; code < 7; ++code) {
        s.set(off::fan_heater_count, static_cast<std::uint8_t>(code));
        EXPECT_EQ(plenum_box_count(s), expected[code]) << "code " << code;
    }
    s.set(off::fan_heater_count, 255);
    EXPECT_EQ(plenum_box_count(s), 0);
    s.set(off::options_225, 0x20);
    EXPECT_EQ(plenum_box_count(s), 1);
}

TEST(Plenum, six_boxes_show_units_1_to_6_and_five_none) {
    link::ByteImage s;
    s.set(off::fan_heater_count, 4);
    const Scene six = plenum_scene(s, false, NumberTexts{});
    for (int u = 1; u <= 6; ++u) EXPECT_NE(six.find_text("T" + std::to_string(321 + u)), nullptr) << u;
    s.set(off::fan_heater_count, 1);
    const Scene two = plenum_scene(s, false, NumberTexts{});
    EXPECT_EQ(two.find_text("T322"), nullptr);
    EXPECT_NE(two.find_text("T326"), nullptr);
    EXPECT_NE(two.find_text("T327"), nullptr);
    s.set(off::fan_heater_count, 5);
    EXPECT_TRUE(plenum_scene(s, false, NumberTexts{}).items.empty());
}

// Whatever the count, Plenum 1 (offsets 69 and 81: unit 6, the first unit in
// use) is in the last box, titled PLENUM #1 (text 327); Plenum 2 (67, 79) is
// in the box before it.
TEST(Plenum, plenum_one_is_the_first_unit_in_use_in_every_form) {
    const std::string deg = "\xC2\xB0";
    for (int code = 0; code <= 4; ++code) {
        link::ByteImage s;
        s.set(off::fan_heater_count, static_cast<std::uint8_t>(code));
        s.set_u16le(69, 201);
        s.set_u16le(81, 191);
        s.set_u16le(67, 202);
        s.set_u16le(79, 192);
        const int n = plenum_box_count(s);
        const Scene sc = plenum_scene(s, false, NumberTexts{});
        const TextItem* sp = sc.find_text((n == 1 ? "" : "T910  ") + std::string("201 ") + deg + "F ");
        const TextItem* reading = sc.find_text("191 " + deg + "F ");
        ASSERT_NE(sp, nullptr) << code;
        ASSERT_NE(reading, nullptr) << code;
        if (n == 1) continue;
        const Rect last = plenum_box_rect(n - 1, n), before = plenum_box_rect(n - 2, n);
        EXPECT_EQ(sc.find_text("T327")->rect.left, last.left + 4) << code;
        EXPECT_EQ(sc.find_text("T326")->rect.left, before.left + 4) << code;
        for (const TextItem* t : {sp, reading}) EXPECT_TRUE(t->rect.left >= last.left && t->rect.right <= last.right) << code;
        ASSERT_NE(sc.find_text("T910  202 " + deg + "F "), nullptr) << code;
        EXPECT_GE(sc.find_text("T910  202 " + deg + "F ")->rect.left, before.left) << code;
        EXPECT_LE(sc.find_text("T910  202 " + deg + "F ")->rect.right, before.right) << code;
    }
}

struct StateCase {
    const char* name;
    std::uint8_t a, b, c, options;
    bool one_box;
    unsigned text;
    Rgb colour;
};

class PlenumStates : public ::testing::TestWithParam<StateCase> {};

TEST_P(PlenumStates, first_matching_row) {
    const auto& c = GetParam();
    link::ByteImage s;
    s.set(link::heater_state_a_offset(4), c.a);
    s.set(link::heater_state_b_offset(4), c.b);
    s.set(off::heater_status_143 + 3, c.c);
    s.set(off::options_225, c.options);
    const PlenumState st = plenum_state(s, 4, c.one_box);
    EXPECT_EQ(st.text, c.text);
    EXPECT_EQ(st.colour, c.colour);
}

INSTANTIATE_TEST_SUITE_P(
    Table, PlenumStates,
    ::testing::Values(StateCase{"c6", 0xFF, 0xFF, 0x43, 0, false, 522, colour::blue},
                      StateCase{"c0", 0xFF, 0xFF, 0x03, 0, false, 314, colour::green},
                      StateCase{"c1", 0xFF, 0xFF, 0x02, 0, false, 315, colour::red},
                      StateCase{"b5", 0xFF, 0x30, 0, 0, false, 316, kOrange},
                      StateCase{"b4", 0xFF, 0x10, 0, 0, false, 317, kOrange},
                      StateCase{"a1_clear", 0x04, 0, 0, 0, false, 319, colour::green},
                      StateCase{"one_box_options", 0x06, 0, 0, 0x22, true, 318, colour::red},
                      StateCase{"options_not_one_box", 0x06, 0, 0, 0x22, false, 321, colour::red},
                      StateCase{"a1_a2", 0x06, 0, 0, 0, false, 321, colour::red},
                      StateCase{"a1_only", 0x02, 0, 0, 0, false, 320, colour::blue}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(Plenum, one_box_dual_plenum_shows_low_setpoint_in_blue) {
    link::ByteImage s;
    s.set(off::drying_mode, 1);
    s.set(off::system_flags_257, 0x02);
    s.set(off::heater_status_143 + 5, 0x10);
    s.set_u16le(off::temp_setpoint_260, 150);
    s.set_u16le(link::heater_setpoint_offset(6), 190);
    s.set_u16le(link::heater_temperature_offset(6), 188);
    const Scene sc = plenum_scene(s, false, NumberTexts{});
    const std::string deg = "\xC2\xB0";
    const TextItem* big = sc.find_text("150 " + deg + "F ");
    ASSERT_NE(big, nullptr);
    EXPECT_EQ(big->colour, colour::blue);
    EXPECT_EQ(big->size, 40);
    ASSERT_NE(sc.find_text(" 190 " + deg + "F "), nullptr);
    EXPECT_EQ(sc.find_text(" 190 " + deg + "F ")->colour, colour::red);
    EXPECT_EQ(sc.find_text("188 " + deg + "F ")->size, 80);
    EXPECT_NE(sc.find_text("T312"), nullptr);
}

TEST(Plenum, celsius_converts_temperatures) {
    link::ByteImage s;
    s.set(off::fan_heater_count, 1);
    s.set_u16le(link::heater_temperature_offset(6), 212);
    s.set_u16le(link::heater_setpoint_offset(6), static_cast<std::uint16_t>(-40));
    const Scene sc = plenum_scene(s, true, NumberTexts{});
    const std::string deg = "\xC2\xB0";
    EXPECT_NE(sc.find_text("100 " + deg + "C "), nullptr);
    EXPECT_NE(sc.find_text("T910  -40 " + deg + "C "), nullptr);
}

}  // namespace
