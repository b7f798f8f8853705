// Mode label, selectors, status bar texts and the airflow banner.
#include <gtest/gtest.h>

#include "views/status_bars/status_bars_model.h"

using namespace dryer;
using namespace dryer::views;
namespace off = link::off;

namespace {

struct LabelCase {
    const char* name;
    std::uint8_t mc_flags, flags_179;
    const char* text;
    Rgb colour;
};

class ModeLabels : public ::testing::TestWithParam<LabelCase> {};

TEST_P(ModeLabels, follow_the_table) {
    const auto& c = GetParam();
    link::ByteImage s;
    s.set(off::mc_mode_flags, c.mc_flags);
    s.set(off::mode_flags_179, c.flags_179);
    const ModeLabel l = mode_label(s, NumberTexts{});
    EXPECT_EQ(l.text, c.text);
    EXPECT_EQ(l.colour, c.colour);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ModeLabels,
    // T913 BASIC MC, T914 3-SPEED MC, T915 ADVANCED MC, T916 NO MC SELECTED,
    // T290 MANUAL, T34 AUTO, T917 1SP, T918 2SP.
    ::testing::Values(LabelCase{"basic", 0x01, 0, "T913", colour::green},
                      LabelCase{"basic_manual", 0x01, 0x04, "T913 : T290", colour::blue},
                      LabelCase{"speed_manual", 0x02, 0x02, "T914 : T290", colour::blue},
                      LabelCase{"advanced", 0x03, 0, "T915", colour::green},
                      LabelCase{"auto_1sp", 0x81, 0x02, "T913 : T34 : T917", colour::blue},
                      LabelCase{"auto_2sp", 0xC1, 0x02, "T913 : T34 : T918", colour::blue},
                      LabelCase{"auto_plain", 0x81, 0, "T913", colour::green},
                      LabelCase{"speed_auto", 0x82, 0x04, "T914 : T34", colour::blue},
                      LabelCase{"advanced_auto", 0xC3, 0x06, "T915 : T34", colour::blue},
                      LabelCase{"x84_none", 0x84, 0, "T916", colour::red},
                      LabelCase{"x84_none_suffix", 0x84, 0x06, "T916", colour::red},
                      LabelCase{"zero_none", 0x00, 0, "T916", colour::red}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(Readings, temperature_selector_cycles_back_to_dryer_after_three_presses) {
    ReadingsSelection sel;
    for (int i = 0; i < 3; ++i) sel.press_temperature();
    EXPECT_EQ(sel.temperature, 0);
    const Scene sc = readings_scene(link::ByteImage{}, sel, NumberTexts{});
    // The highlighted label is the one drawn in black.
    const TextItem* dryer = sc.find_text("T919");
    ASSERT_NE(dryer, nullptr);
    EXPECT_EQ(dryer->colour, colour::black);
}

TEST(Readings, selected_values_follow_the_state) {
    link::ByteImage s;
    s.set_u16le(off::value_91, 77);
    s.set(off::status_184, 1);
    s.set_u16be(off::value_195, 655);
    s.set_u16be(off::grain_temp_193, 1009);
    s.set_u16be(off::moisture_191, 213);
    s.set_u16be(off::moisture_189, 150);
    EXPECT_EQ(selected_temperature(s, 0), 77);
    EXPECT_EQ(selected_temperature(s, 1), 65);
    EXPECT_EQ(selected_temperature(s, 2), 100);
    s.set(off::status_184, 9);
    EXPECT_EQ(selected_temperature(s, 0), 0);
    EXPECT_EQ(selected_moisture(s, 0), 213u);
    EXPECT_EQ(selected_moisture(s, 1), 150u);
    ReadingsSelection sel;
    sel.press_moisture();
    EXPECT_NE(readings_scene(s, sel, NumberTexts{}).find_text("15.0"), nullptr);
}

TEST(StatusBar, shows_time_date_and_version) {
    std::tm t{};
    t.tm_hour = 0;
    t.tm_min = 7;
    t.tm_wday = 2;
    t.tm_mon = 11;
    t.tm_mday = 8;
    t.tm_year = 126;
    const TableTexts none;
    EXPECT_EQ(clock_text(t, none), "12:07 AM");
    t.tm_hour = 13;
    EXPECT_EQ(clock_text(t, none), "1:07 PM");
    EXPECT_EQ(date_text(t, none), "Tuesday  Dec 08, 2026");
    // A language's own weekday and afternoon words.
    const TableTexts hungarian({{110, "DU"}, {127, "kedd"}});
    EXPECT_EQ(clock_text(t, hungarian), "1:07 DU");
    EXPECT_EQ(date_text(t, hungarian), "kedd  Dec 08, 2026");
    const Scene sc = status_bar_scene(link::ByteImage{}, true, t, NumberTexts{});
    EXPECT_NE(sc.find_text("T924 2.10"), nullptr);
    EXPECT_EQ(sc.find_text("T923"), nullptr);
}

TEST(StatusBar, bit2_of_byte_145_alone_gives_only_the_banner) {
    link::ByteImage s;
    s.set(off::heater_status_143 + 2, 0x04);
    for (bool on : {true, false}) {
        const Scene sc = status_bar_scene(s, on, std::tm{}, NumberTexts{});
        ASSERT_EQ(sc.texts().size(), 1u);
        EXPECT_EQ(sc.texts()[0]->text, "T923");
        EXPECT_EQ(sc.texts()[0]->colour, on ? colour::black : kNearWhite);
    }
    s.set(off::heater_status_143 + 2, 0xFB);
    EXPECT_FALSE(airflow_testing_disabled(s));
}

}  // namespace
