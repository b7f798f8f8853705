// The moisture-control setup models: what each button does to the working
// values, what ACCEPT and CANCEL send (settings bytes and change flags) and
// the figures the dialogs show.
#include <gtest/gtest.h>

#include <string>

#include "link/fields.h"
#include "link/link_state.h"
#include "link/settings_edit.h"
#include "setup/moisture/meter_roll_model.h"
#include "setup/moisture/moisture_model.h"

namespace dryer::setup {
namespace {

namespace off = link::off;
namespace row = link::row;

std::string no_text(unsigned) { return {}; }

// ---- Moisture keypad and setpoint --------------------------------------------

struct KeypadRow {
    const char* name;
    std::uint16_t reported;
    const char* keys;  // digits, D for DELETE
    std::uint16_t value;
    const char* display;
};

class MoistureKeypadRows : public ::testing::TestWithParam<KeypadRow> {};

TEST_P(MoistureKeypadRows, KeysGiveValueAndDisplay) {
    const KeypadRow& r = GetParam();
    MoistureKeypad k(r.reported);
    for (const char* c = r.keys; *c; ++c) {
        if (*c == 'D') k.erase(); else k.digit(*c - '0');
    }
    EXPECT_EQ(k.value(), r.value);
    EXPECT_EQ(k.display(), r.display);
}

INSTANTIATE_TEST_SUITE_P(Keys, MoistureKeypadRows,
    ::testing::Values(KeypadRow{"typed_155", 200, "155", 155, "15.5 %"},
                      KeypadRow{"delete_after_1_5_leaves_1", 200, "15D", 1, "00.1 %"},
                      KeypadRow{"first_delete_starts_from_0", 200, "D", 0, "00.0 %"},
                      KeypadRow{"no_key_shows_reported", 147, "", 147, "14.7 %"},
                      KeypadRow{"five_digits_stop_at_four", 0, "99999", 9999, "999.9 %"}),
    [](const auto& p) { return std::string(p.param.name); });

TEST(MoistureSetpoint, EachModeWritesItsOwnBytesAndFlag) {
    struct Row { int mode; std::size_t at; std::uint8_t first, second; int flag; int other; };
    for (const Row r : {Row{3, off::moisture_setpoint, 0x01, 0x04, row::moisture_setpoint, row::moisture_281},
                        Row{4, off::moisture_281, 0x04, 0x01, row::moisture_281, row::moisture_setpoint}}) {
        link::LinkState state;
        const MoistureTarget t = moisture_target(r.mode);
        EXPECT_TRUE(accept_moisture(state, t, 260));  // 0x0104
        EXPECT_EQ(state.settings.get(r.at), r.first) << r.mode;
        EXPECT_EQ(state.settings.get(r.at + 1), r.second) << r.mode;
        EXPECT_TRUE(state.flags.raised(r.flag));
        EXPECT_FALSE(state.flags.raised(r.other));
        // The controller reports it: the same value again sends nothing.
        state.status.set(r.at, r.first);
        state.status.set(r.at + 1, r.second);
        state.flags.lower(r.flag);
        EXPECT_EQ(reported_moisture(state, t), 260);
        EXPECT_FALSE(accept_moisture(state, t, 260));
        EXPECT_FALSE(state.flags.raised(r.flag));
    }
}

TEST(MoistureSetpoint, RangeOfATypedValue) {
    for (const auto& [typed, ok] : {std::pair{"9", false}, {"10", true}, {"500", true}, {"501", false}}) {
        MoistureKeypad k(150);
        for (const char* c = typed; *c; ++c) k.digit(*c - '0');
        EXPECT_EQ(k.in_range(), ok) << typed;
    }
}

// ---- Unload capacity and rates -----------------------------------------------

struct CapacityRow {
    const char* name;
    std::uint8_t code, s183, s225;
    int percent;
    const char* bph;
    const char* note;
};

class CapacityRows : public ::testing::TestWithParam<CapacityRow> {};

TEST_P(CapacityRows, BphAndNote) {
    const CapacityRow& r = GetParam();
    link::LinkState state;
    state.status.set(off::dryer_length_index, r.code);
    state.status.set(off::status_183, r.s183);
    state.status.set(off::options_225, r.s225);
    EXPECT_EQ(bph_text(r.percent, unload_capacity_bph(state.status)), r.bph);
    EXPECT_EQ(capacity_note(state.status), r.note);
}

INSTANTIATE_TEST_SUITE_P(Capacity, CapacityRows,
    ::testing::Values(CapacityRow{"ft24_half", 8, 0, 0, 50, "1687", ""},
                      CapacityRow{"ft24_other_constant", 8, 0x02, 0, 50, "1555", ""},
                      CapacityRow{"feet_note", 8, 0, 0x80, 100, "3375", "*Based upon 24ft dryer @ 17.5 RPM."},
                      CapacityRow{"code_3", 3, 0, 0x20, 100, "3000", "*Based upon 3000 BPH capacity."},
                      CapacityRow{"code_5", 5, 0, 0x20, 100, "4000", "*Based upon 4000 BPH capacity."},
                      CapacityRow{"code_6", 6, 0, 0x20, 50, "3200", "*Based upon 6400 BPH capacity."},
                      CapacityRow{"code_8", 8, 0, 0x20, 100, "7000", "*Based upon 7000 BPH capacity."},
                      CapacityRow{"code_255_by_code", 255, 0, 0x20, 100, "8000", "*Based upon 8000 BPH capacity."},
                      CapacityRow{"code_15_no_length", 15, 0, 0x80, 100, "0", "*Based upon 0ft dryer @ 17.5 RPM."}),
    [](const auto& p) { return std::string(p.param.name); });

void with_rates(link::LinkState& s, int max, int min) {
    s.status.set(off::unload_rate_max + 1, static_cast<std::uint8_t>(max));
    s.status.set(off::unload_rate_min + 1, static_cast<std::uint8_t>(min));
}

TEST(UnloadRates, ButtonsClampAndWarnOnceARun) {
    bool warned = false;
    link::LinkState s;
    with_rates(s, 50, 5);
    UnloadRates r(s, warned);
    EXPECT_FALSE(r.min_down());
    EXPECT_EQ(r.minimum(), 5);  // never below 5
    for (int i = 0; i < 60; ++i) r.max_up();
    EXPECT_EQ(r.maximum(), 100);

    link::LinkState equal;
    with_rates(equal, 51, 50);
    UnloadRates e(equal, warned);
    EXPECT_TRUE(e.max_down());   // 50 / 50: asked the first time
    EXPECT_FALSE(e.max_down());  // not again in this run
    EXPECT_FALSE(e.min_up());
    UnloadRates again(equal, warned);
    EXPECT_FALSE(again.min_up());
}

TEST(UnloadRates, AcceptSendsWhatDiffers) {
    bool warned = false;
    link::LinkState s;
    with_rates(s, 40, 60);
    UnloadRates r(s, warned);
    EXPECT_TRUE(r.accept_needs_question());
    r.set_defaults();  // the YES answer
    EXPECT_EQ(r.commit(s), (std::vector<int>{row::unload_rate_max, row::unload_rate_min}));
    EXPECT_EQ(link::u16be(s.settings, off::unload_rate_max), 80);
    EXPECT_EQ(link::u16be(s.settings, off::unload_rate_min), 5);

    link::LinkState same;
    with_rates(same, 80, 10);
    UnloadRates m(same, warned);
    m.min_down();
    EXPECT_EQ(m.commit(same), (std::vector<int>{row::unload_rate_min}));
}

// ---- Plenum temperature manager ------------------------------------------------

TEST(TempManager, IndicesWrapAndAcceptSendsOnlyAChange) {
    link::LinkState s;
    s.status.set(off::plenum_temp_manager, 0x07);  // off, 15 min, 25 F
    TempManager m(s);
    EXPECT_EQ(m.step_text(), "25 \u00B0F");
    m.step_up();
    EXPECT_EQ(m.step_text(), "1 \u00B0F");
    m.time_down();
    EXPECT_EQ(m.time_text(no_text), "240 MINUTES");
    m.time_up();
    m.step_down();
    EXPECT_FALSE(m.accept(s));  // back where it was
    m.toggle();
    EXPECT_TRUE(m.accept(s));
    EXPECT_EQ(s.settings.get(off::plenum_temp_manager), 0x87);
    EXPECT_TRUE(s.flags.raised(row::plenum_temp_manager));
}

// ---- Bracketed five-speed setup ------------------------------------------------

void five(link::LinkState& s, std::uint8_t scheme, std::array<std::uint8_t, 4> v, std::uint8_t main = 10) {
    s.status.set(off::mc_mode_flags, scheme);
    for (std::size_t i = 0; i < 4; ++i) s.status.set(off::mc5_226 + i, v[i]);
    s.status.set(off::value_230, main);
    s.status.set(off::moisture_setpoint + 1, 155);
    s.status.set(off::target_149, 110);
}

TEST(FiveSpeed, LimitsAndStepsStopWhereTheyShould) {
    {
        link::LinkState s;
    five(s, 4, {6, 5, 6, 3});
        FiveSpeed f(s);
        f.limit_up(FivePair::inner);
        EXPECT_EQ(f.inner_limit(), 6);  // 0.6 %
        f.limit_up(FivePair::inner);
        EXPECT_EQ(f.inner_limit(), 6);  // no longer below the outer limit
        f.limit_down(FivePair::outer);
        EXPECT_EQ(f.outer_limit(), 6);  // not above the inner one
    }
    {
        link::LinkState s;
    five(s, 5, {3, 1, 6, 3});
        FiveSpeed f(s);
        for (int i = 0; i < 5; ++i) f.limit_up(FivePair::inner);
        EXPECT_EQ(f.inner_limit(), 2);
        for (int i = 0; i < 5; ++i) f.limit_up(FivePair::outer);
        EXPECT_EQ(f.outer_limit(), 5);
        for (int i = 0; i < 9; ++i) f.step_down(FivePair::outer);
        EXPECT_EQ(f.outer_step(), 4);  // one above the inner step
        for (int i = 0; i < 9; ++i) f.step_up(FivePair::inner);
        EXPECT_EQ(f.inner_step(), 3);  // stays below the outer step
        for (int i = 0; i < 9; ++i) f.step_down(FivePair::inner);
        EXPECT_EQ(f.inner_step(), 1);
    }
}

TEST(FiveSpeed, RowsShowBracketsAndSpeedsByScheme) {
    link::LinkState m;
    five(m, 4, {6, 3, 6, 3}, 4);
    const FiveSpeed::Rows r = FiveSpeed(m).rows(m);
    EXPECT_EQ(r.error, (std::array<std::string, 5>{"+0.6 %", "+0.3 %", "15.5 %", "-0.3 %", "-0.6 %"}));
    EXPECT_EQ(r.actual, (std::array<std::string, 5>{"0", "10", "40", "70", "100"}));  // 4 - 6 shows 0
    EXPECT_EQ(r.offset, (std::array<std::string, 5>{"-60", "-30", "", "+30", "+60"}));

    link::LinkState t;
    five(t, 5, {3, 1, 6, 3}, 10);
    const FiveSpeed::Rows rt = FiveSpeed(t).rows(t);
    EXPECT_EQ(rt.error[0], "+3 \u00B0F");
    EXPECT_EQ(rt.error[2], "110 \u00B0F");
    EXPECT_EQ(rt.actual, (std::array<std::string, 5>{"160", "130", "100", "70", "40"}));
}

TEST(FiveSpeed, DefaultsAndAcceptSendOnlyChanges) {
    link::LinkState s;
    five(s, 4, {10, 4, 12, 5});
    FiveSpeed f(s);
    f.set_defaults();
    EXPECT_EQ(f.accept(s), (std::vector<int>{row::mc5_226, row::mc5_226 + 1, row::mc5_226 + 2, row::mc5_226 + 3}));
    EXPECT_EQ(s.settings.get(off::mc5_226), 6);
    EXPECT_EQ(s.settings.get(off::mc5_229), 3);
    link::LinkState same;
    five(same, 4, {6, 3, 6, 3});
    EXPECT_TRUE(FiveSpeed(same).accept(same).empty());
}

// ---- Meter roll speed setpoints ---------------------------------------------------

void meter(link::LinkState& s, std::uint8_t mode187, std::uint8_t high, std::uint8_t main, std::uint8_t low) {
    s.status.set(off::mc_mode_flags, mode187);
    s.status.set(156, high);
    s.status.set(157, main);
    s.status.set(158, low);
    s.status.set(off::value_230, 77);
}

TEST(MeterRoll, OpeningAndCancelSendTheHandBacks) {
    link::LinkState s;
    meter(s, 2, 60, 50, 40);
    s.flags.raise(row::meter_roll_control);
    MeterRoll m(s);
    EXPECT_TRUE(s.flags.raised(row::meter_roll_value_back));
    EXPECT_FALSE(s.flags.raised(row::meter_roll_control));
    EXPECT_EQ(link::load(s.values.meter_roll_screen_open), 1);
    m.increase();
    m.cancel();
    EXPECT_TRUE(s.flags.raised(row::meter_roll_speeds_160_back));
    EXPECT_FALSE(s.flags.raised(row::meter_roll_speed_157));  // nothing of the working speeds
    EXPECT_EQ(link::load(s.values.meter_roll_screen_open), 0);
}

TEST(MeterRoll, TrackingFollowsTheMainSpeed) {
    link::LinkState s;
    meter(s, 0x22, 10, 90, 10);
    MeterRoll m(s);
    EXPECT_EQ(m.speed(Speed::high), 100);  // 103 capped
    EXPECT_EQ(m.speed(Speed::low), 76);
    const MeterRollView v = m.view(no_text);
    ASSERT_EQ(v.bars.size(), 3u);
    EXPECT_TRUE(v.radio_first);  // ON
    m.accept();
    EXPECT_EQ(s.settings.get(156), 100);
    EXPECT_EQ(s.settings.get(158), 76);
    EXPECT_EQ(s.settings.get(off::mode_224), 2);  // scheme 2 or-ed into 224
    EXPECT_TRUE(s.flags.raised(row::drying_option));
}

TEST(MeterRoll, AcceptSendsTheChangedSpeedAndSelection) {
    link::LinkState s;
    meter(s, 4, 60, 50, 40);  // five-speed: main from 230
    MeterRoll m(s);
    EXPECT_EQ(m.speed(Speed::main), 77);
    m.decrease();
    const std::vector<int> sent = m.accept();
    EXPECT_EQ(sent, (std::vector<int>{row::meter_roll_speed_157, row::meter_roll_control}));
    EXPECT_EQ(s.settings.get(157), 76);
}

TEST(MeterRoll, AutomaticModeShowsTheNoteAndRefusesAdjustment) {
    for (const auto& [learning, note] : {std::pair{0, true}, {5, false}}) {
        link::LinkState s;
    meter(s, 0x83, 60, 50, 40);
        s.status.set(off::status_52, static_cast<std::uint8_t>(learning));
        MeterRoll m(s);
        const MeterRollView v = m.view(no_text);
        EXPECT_EQ(!v.note.empty(), note);
        if (note) {  // one text with line breaks, drawn a line at a time
            ASSERT_EQ(v.note.size(), 8u);
            EXPECT_EQ(v.note.front(), "NOTE:  The dryer has");
            EXPECT_EQ(v.note.back(), "selector switch.");
        }
        EXPECT_EQ(v.adjust, !note);
        m.increase();
        EXPECT_EQ(m.speed(Speed::main), note ? 50 : 51);
    }
}

TEST(MeterRoll, SelectInSchemeOne) {
    struct Row { std::uint8_t mode187; std::uint8_t s179; std::uint8_t start; Speed after; };
    for (const Row r : {Row{0x81, 0, 0, Speed::high},      // two speed: low -> high
                        Row{0x81, 0, 2, Speed::low},       // high -> low
                        Row{0xC1, 0, 0, Speed::high},      // one speed: high
                        Row{0x81, 0x02, 0, Speed::main}}) {  // 179 bit 1: main
        link::LinkState s;
    meter(s, r.mode187, 60, 50, 40);
        s.status.set(off::mode_flags_179, r.s179);
        s.settings.set(off::meter_roll_control_159, r.start);
        MeterRoll m(s);
        m.select();
        EXPECT_EQ(m.selected(), r.after) << int(r.mode187) << " " << int(r.start);
        EXPECT_EQ(s.settings.get(off::meter_roll_control_159), r.after);
        EXPECT_TRUE(s.flags.raised(row::meter_roll_control));
    }
}

TEST(MeterRoll, SchemeButtonTogglesOneSpeedAndTracking) {
    link::LinkState one;
    meter(one, 0x81, 60, 50, 40);
    MeterRoll m1(one);
    EXPECT_EQ(m1.scheme_button(), MeterRoll::SchemeAction::toggled);
    EXPECT_EQ(one.settings.get(off::mc_mode_flags), 0xC1);
    EXPECT_TRUE(m1.one_speed());  // shown before the echo

    link::LinkState two;
    meter(two, 0x02, 60, 50, 40);
    MeterRoll m2(two);
    EXPECT_EQ(m2.scheme_button(), MeterRoll::SchemeAction::ask_tracking);
    EXPECT_FALSE(two.flags.raised(row::mc_mode));  // nothing before the answer
    m2.start_tracking();
    EXPECT_EQ(two.settings.get(off::mc_mode_flags), 0x22);
    two.status.set(off::mc_mode_flags, 0x22);
    two.flags.lower(row::mc_mode);
    EXPECT_EQ(m2.scheme_button(), MeterRoll::SchemeAction::toggled);  // off at once
    EXPECT_EQ(two.settings.get(off::mc_mode_flags), 0x02);
    EXPECT_TRUE(two.flags.raised(row::meter_roll_block));
}

// The two commands of the edit path the speed screen uses refuse every row
// they are not meant for, and any row number at all.
TEST(MeterRoll, HandBackAndWithdrawOnlyTheirOwnRows) {
    struct Row { int row; bool hand_back; bool withdraw; };
    for (const Row r : {Row{row::meter_roll_speeds_back, true, false}, Row{row::meter_roll_value_back, true, false},
                        Row{row::meter_roll_speeds_160_back, true, false}, Row{row::meter_roll_control, false, true},
                        Row{row::moisture_setpoint, false, false}, Row{0, false, false}, Row{83, false, false},
                        Row{-1, false, false}}) {
        link::LinkState s;
        EXPECT_EQ(link::hand_back(s, r.row), r.hand_back) << r.row;
        if (r.row >= 1 && r.row <= 82) {
            EXPECT_EQ(s.flags.raised(r.row), r.hand_back) << r.row;
            s.flags.raise(r.row);
        }
        EXPECT_EQ(link::withdraw(s, r.row), r.withdraw) << r.row;
        if (r.row >= 1 && r.row <= 82) {
            EXPECT_EQ(s.flags.raised(r.row), !r.withdraw) << r.row;
        }
    }
}

}  // namespace
}  // namespace dryer::setup
