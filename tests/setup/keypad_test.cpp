// The two keypads' key logic, driven by key scripts, and their effect on the
// settings image and change flags.
#include <gtest/gtest.h>

#include <string>

#include "link/link_state.h"
#include "setup/keypads/temp_keypad.h"
#include "setup/keypads/timer_keypad.h"

namespace dryer::setup {
namespace {

constexpr TempLimits kPlenum{50, 250, 180};
constexpr TempLimits kGrain{50, 160, 105};
constexpr TempLimits kLowDefault{0, 250, 7};
constexpr TempLimits kMidDefault{0, 250, 45};

// Temperature key script: digits, 'x' DELETE, 'c' CLEAR, 'd' DEFAULT.
void press(TempKeypad& k, const std::string& keys) {
    for (char c : keys) {
        if (c >= '0' && c <= '9') k.digit(c - '0');
        else if (c == 'x') k.del();
        else if (c == 'c') k.clear();
        else if (c == 'd') k.load_default();
    }
}

struct TempCase {
    const char* name;
    std::uint16_t preload;
    TempLimits limits;
    bool celsius;
    const char* keys;
    int shown;   // value on the display after the keys
    int stored;  // Fahrenheit value ACCEPT stores, -1 when refused
};

class TempKeypadCases : public ::testing::TestWithParam<TempCase> {};

TEST_P(TempKeypadCases, KeysThenAccept) {
    const TempCase& c = GetParam();
    TempKeypad k(c.preload, c.limits, c.celsius);
    press(k, c.keys);
    EXPECT_EQ(k.value(), c.shown);
    const auto r = k.accept();
    if (c.stored < 0) {
        EXPECT_FALSE(r.has_value()) << "stored " << (r ? *r : 0);
    } else {
        ASSERT_TRUE(r.has_value());
        EXPECT_EQ(*r, c.stored);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Keys, TempKeypadCases,
    ::testing::Values(
        TempCase{"fourth_digit_ignored", 180, kPlenum, false, "2507", 250, 250},
        TempCase{"leading_zeros_do_not_count", 180, kPlenum, false, "0045", 45, -1},
        TempCase{"leading_zeros_grain", 180, kGrain, false, "0085", 85, 85},
        TempCase{"below_min_refused", 180, kPlenum, false, "49", 49, -1},
        TempCase{"min_accepted", 180, kPlenum, false, "50", 50, 50},
        TempCase{"max_accepted", 180, kPlenum, false, "250", 250, 250},
        TempCase{"above_max_refused", 180, kPlenum, false, "251", 251, -1},
        TempCase{"grain_above_max_refused", 105, kGrain, false, "161", 161, -1},
        TempCase{"accept_untouched_keeps_preload", 183, kPlenum, false, "", 183, 183},
        TempCase{"untouched_out_of_range_refused", 20, kPlenum, false, "", 20, -1},
        TempCase{"first_digit_replaces_preload", 183, kPlenum, false, "9", 9, -1},
        TempCase{"delete_after_open_clears_preload", 183, kPlenum, false, "x", 0, -1},
        TempCase{"delete_then_type", 183, kPlenum, false, "x75", 75, 75},
        TempCase{"delete_drops_last_digit", 180, kPlenum, false, "190x", 19, -1},
        TempCase{"delete_then_append", 180, kPlenum, false, "190x5", 195, 195},
        TempCase{"delete_from_pos1_goes_to_pos2", 180, kPlenum, false, "1x5", 5, -1},
        TempCase{"clear_then_type", 180, kPlenum, false, "22c60", 60, 60},
        TempCase{"clear_then_delete", 180, kPlenum, false, "2c", 0, -1},
        TempCase{"default_f", 120, kPlenum, false, "d", 180, 180},
        TempCase{"default_three_digits_ignores_digit", 120, kPlenum, false, "d5", 180, 180},
        TempCase{"default_two_digits_appends", 120, kMidDefault, false, "d6", 456, -1},
        TempCase{"default_two_digits_append_in_range", 120, kMidDefault, false, "dx6", 46, 46},
        TempCase{"default_one_digit_replaced", 120, kLowDefault, false, "d5", 5, 5},
        TempCase{"celsius_121_stores_251", 180, kPlenum, true, "121", 121, 251},
        TempCase{"celsius_122_refused", 180, kPlenum, true, "122", 122, -1},
        TempCase{"celsius_1_stores_35", 180, {0, 250, 180}, true, "1", 1, 35},
        TempCase{"celsius_4_stores_40", 180, {0, 250, 180}, true, "4", 4, 40},
        TempCase{"celsius_5_stores_41", 180, {0, 250, 180}, true, "5", 5, 41},
        TempCase{"celsius_10_stores_50", 180, kPlenum, true, "10", 10, 50},
        TempCase{"celsius_9_below_min", 180, kPlenum, true, "9", 9, -1},
        TempCase{"celsius_preload_shown_converted", 190, kPlenum, true, "", 87, 190},
        TempCase{"celsius_default_shown_converted", 150, kPlenum, true, "d", 82, 180},
        TempCase{"celsius_default_then_edit", 150, kPlenum, true, "dx0", 80, 176},
        TempCase{"celsius_negative_preload_cleared", 0, kPlenum, true, "x", 0, -1},
        TempCase{"celsius_default_below_zero_shown_as_zero", 180, {0, 250, 10}, true, "dx5", 5, 41}),
    [](const auto& p) { return std::string(p.param.name); });

struct PositionCase {
    const char* keys;
    int value;
    int position;
    bool fresh;
};

class TempKeypadPositions : public ::testing::TestWithParam<PositionCase> {};

TEST_P(TempKeypadPositions, PositionAndFresh) {
    const PositionCase& c = GetParam();
    TempKeypad k(123, kPlenum, false);
    press(k, c.keys);
    EXPECT_EQ(k.value(), c.value);
    EXPECT_EQ(k.position(), c.position);
    EXPECT_EQ(k.fresh(), c.fresh);
}

INSTANTIATE_TEST_SUITE_P(Keys, TempKeypadPositions,
                         ::testing::Values(PositionCase{"", 123, 0, false}, PositionCase{"1", 1, 1, true},
                                           PositionCase{"12", 12, 2, true}, PositionCase{"123", 123, 2, true},
                                           PositionCase{"x", 0, 1, true}, PositionCase{"1x", 0, 2, true},
                                           PositionCase{"12x", 1, 1, true}, PositionCase{"c", 0, 0, false},
                                           PositionCase{"cx", 0, 1, true}, PositionCase{"d", 180, 2, false},
                                           PositionCase{"5cx", 0, 1, true}));

TEST(TempKeypad, DisplayFormatsInShownUnit) {
    TempKeypad f(45, kPlenum, false);
    EXPECT_EQ(f.display(), " 045 \u00B0F ");
    TempKeypad c(212, kPlenum, true);
    EXPECT_EQ(c.display(), " 100 \u00B0C ");
}

TEST(TempKeypad, CelsiusCorrectionConvertsBackExactly) {
    for (int t = 0; t <= 999; ++t) {
        const int f = celsius_to_stored_f(t);
        EXPECT_EQ(5 * (f - 32) / 9, t) << "typed " << t;
    }
}

TEST(TempKeypad, StoreWritesValueLowByteFirstAndRaisesRow) {
    link::LinkState st;
    st.status.set_u16le(69, 183);
    EXPECT_EQ(begin_temperature_edit(st, 69), 183);
    EXPECT_EQ(link::u16le(st.settings, 69), 183);
    EXPECT_FALSE(st.flags.raised(link::row::plenum1_setpoint));
    store_temperature(st, 69, 190, "test");
    EXPECT_EQ(st.settings.get(69), 0xBE);
    EXPECT_EQ(st.settings.get(70), 0x00);
    EXPECT_TRUE(st.flags.raised(link::row::plenum1_setpoint));
    store_temperature(st, 260, 100, "test");
    EXPECT_TRUE(st.flags.raised(link::row::plenum_low_setpoint));
}

// Timer key script: 'L' or 'R' then a digit or 'x' (DELETE) for that pad;
// 'd' DEFAULT.
void press(TimerKeypad& k, const std::string& keys) {
    for (std::size_t i = 0; i < keys.size(); ++i) {
        const char c = keys[i];
        if (c == 'd') {
            k.load_default();
        } else if ((c == 'L' || c == 'R') && i + 1 < keys.size()) {
            const char k2 = keys[++i];
            const bool left = c == 'L';
            if (k2 == 'x') left ? k.left_del() : k.right_del();
            else left ? k.left_digit(k2 - '0') : k.right_digit(k2 - '0');
        }
    }
}

constexpr TimerLimits kLoadDelay{{0, 1}, {10, 0}, {1, 0}};
constexpr TimerLimits kFanDelay{{0, 1}, {0, 25}, {0, 3}};
constexpr TimerLimits kMaxTime{{0, 0}, {255, 0}, {255, 0}};
constexpr TimerLimits kHeat{{0, 0}, {200, 0}, {60, 0}};

struct TimerCase {
    const char* name;
    MinSec preload;
    TimerLimits limits;
    const char* keys;
    int minutes;
    int seconds;
    bool accepted;
};

class TimerKeypadCases : public ::testing::TestWithParam<TimerCase> {};

TEST_P(TimerKeypadCases, KeysThenAccept) {
    const TimerCase& c = GetParam();
    TimerKeypad k(c.preload, c.limits);
    press(k, c.keys);
    EXPECT_EQ(k.minutes(), c.minutes);
    EXPECT_EQ(k.seconds(), c.seconds);
    const auto r = k.accept();
    EXPECT_EQ(r.has_value(), c.accepted);
    if (r) {
        EXPECT_EQ(r->min, c.minutes);
        EXPECT_EQ(r->sec, c.seconds);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Keys, TimerKeypadCases,
    ::testing::Values(
        TimerCase{"minutes_250_gives_25", {0, 0}, kHeat, "L2L5L0", 25, 0, true},
        TimerCase{"minutes_249", {0, 0}, kMaxTime, "L2L4L9", 249, 0, true},
        TimerCase{"minutes_fourth_digit_ignored", {0, 0}, kMaxTime, "L1L2L3L4", 123, 0, true},
        TimerCase{"seconds_65_gives_6", {0, 0}, kHeat, "R6R5", 0, 6, true},
        TimerCase{"seconds_59", {0, 0}, kHeat, "R5R9", 0, 59, true},
        TimerCase{"seconds_third_digit_ignored", {0, 0}, kHeat, "R1R2R3", 0, 12, true},
        TimerCase{"leading_zero_minutes", {7, 7}, kHeat, "L0L4", 4, 7, true},
        TimerCase{"leading_zero_seconds", {7, 7}, kHeat, "R0R4", 7, 4, true},
        TimerCase{"load_delay_zero_refused", {1, 0}, kLoadDelay, "L0R0", 0, 0, false},
        TimerCase{"load_delay_10_00_accepted", {1, 0}, kLoadDelay, "L1L0R0", 10, 0, true},
        TimerCase{"load_delay_10_01_refused", {1, 0}, kLoadDelay, "L1L0R0R1", 10, 1, false},
        TimerCase{"load_delay_2_30", {1, 0}, kLoadDelay, "L2R3R0", 2, 30, true},
        TimerCase{"fan_delay_0_26_refused", {0, 3}, kFanDelay, "L0R2R6", 0, 26, false},
        TimerCase{"fan_delay_1_00_refused", {0, 3}, kFanDelay, "L1R0", 1, 0, false},
        TimerCase{"fan_delay_0_25_accepted", {0, 3}, kFanDelay, "L0R2R5", 0, 25, true},
        TimerCase{"max_time_default_255", {10, 0}, kMaxTime, "d", 255, 0, true},
        TimerCase{"default_then_digit_ignored", {10, 0}, kMaxTime, "dL5", 255, 0, true},
        TimerCase{"default_then_delete_then_digit", {10, 0}, kMaxTime, "dLxL5", 25, 0, true},
        TimerCase{"default_fan_seconds_replaced", {0, 9}, kFanDelay, "dR7", 0, 7, true},
        TimerCase{"default_one_digit_minutes_append", {9, 0}, kLoadDelay, "dL5", 15, 0, false},
        TimerCase{"untouched_keeps_preload", {3, 45}, kLoadDelay, "", 3, 45, true},
        TimerCase{"left_delete_after_open_clears", {3, 45}, kHeat, "Lx", 0, 45, true},
        TimerCase{"right_delete_after_open_clears", {3, 45}, kHeat, "Rx", 3, 0, true},
        TimerCase{"right_delete_after_left_key_divides", {3, 45}, kHeat, "L2Rx", 2, 4, true},
        TimerCase{"left_delete_steps_back", {0, 0}, kHeat, "L1L2L3LxL4", 124, 0, true},
        TimerCase{"right_delete_steps_back", {0, 0}, kHeat, "R5R9RxR1", 0, 51, true}),
    [](const auto& p) { return std::string(p.param.name); });

TEST(TimerKeypad, PositionsFollowTheDigitRules) {
    TimerKeypad k({5, 5}, kHeat);
    press(k, "L0");
    EXPECT_EQ(k.left_position(), 0);
    press(k, "L2L5L0");
    EXPECT_EQ(k.left_position(), 3);
    press(k, "LxLxLxLx");
    EXPECT_EQ(k.left_position(), 0);
    EXPECT_EQ(k.minutes(), 0);
    press(k, "R6R5");
    EXPECT_EQ(k.right_position(), 2);
    press(k, "Rx");
    EXPECT_EQ(k.right_position(), 1);
}

TEST(TimerKeypad, DisplayAndLimitLines) {
    TimerKeypad k({2, 5}, kMaxTime);
    EXPECT_EQ(k.display(), " 002 : 05 ");
    EXPECT_EQ(limit_line("DEFAULT", {255, 0}), "DEFAULT = 255:00");
    EXPECT_EQ(limit_line("MIN", {0, 1}), "MIN = 00:01");
}

TEST(TimerKeypad, StoreWritesBothBytesAndRaisesRow) {
    link::LinkState st;
    st.status.set(31, 1);
    st.status.set(32, 0);
    EXPECT_EQ(begin_timer_edit(st, 31), (MinSec{1, 0}));
    store_timer(st, 31, {2, 30}, "test");
    EXPECT_EQ(st.settings.get(31), 0x02);
    EXPECT_EQ(st.settings.get(32), 0x1E);
    EXPECT_TRUE(st.flags.raised(link::row::load_startup_delay));
    store_timer(st, 269, {5, 0}, "test");
    EXPECT_TRUE(st.flags.raised(link::row::cool_down_timer));
    store_timer(st, 274, {255, 0}, "test");
    EXPECT_TRUE(st.flags.raised(link::row::staged_max_time));
}

}  // namespace
}  // namespace dryer::setup
