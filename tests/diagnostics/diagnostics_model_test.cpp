// The diagnostics rules without Qt: the air-switch state and what the panel
// sends for it, the questions, the light outputs and the switch inputs.
#include <gtest/gtest.h>

#include <vector>

#include "link/fields.h"
#include "link/reply_table.h"
#include "setup/diagnostics/diagnostics_model.h"

namespace dryer::setup {
namespace {

namespace off = link::off;

std::vector<int> raised_rows(const link::LinkState& s) {
    std::vector<int> r;
    for (int i = 1; i <= static_cast<int>(link::kReplyRowCount); ++i)
        if (s.flags.raised(i)) r.push_back(i);
    return r;
}

std::vector<int> units_with_test_off(const link::ByteImage& im) {
    std::vector<int> u;
    for (int k = 1; k <= 6; ++k)
        if (im.get(link::burner_mode_offset(k)) & 0x04) u.push_back(k);
    return u;
}

// The controller takes every raised setting (what an echo does).
void echo(link::LinkState& s) {
    for (int k = 1; k <= 6; ++k) s.status.set(link::burner_mode_offset(k), s.settings.get(link::burner_mode_offset(k)));
    s.status.set(off::meter_roll_reverse, s.settings.get(off::meter_roll_reverse));
    for (int r = 1; r <= static_cast<int>(link::kReplyRowCount); ++r) s.flags.lower(r);
}

// ---- Units in use and the air-switch state ---------------------------------

struct UnitsRow {
    std::uint8_t code;
    int first, count;
};
class UnitsInUse : public ::testing::TestWithParam<UnitsRow> {};
TEST_P(UnitsInUse, are_the_last_units_by_count_code) {
    const UnitsRow& r = GetParam();
    EXPECT_EQ(units_in_use(r.code).first, r.first);
    EXPECT_EQ(units_in_use(r.code).count(), r.count);
}
INSTANTIATE_TEST_SUITE_P(Codes, UnitsInUse,
                         ::testing::Values(UnitsRow{0, 6, 1}, UnitsRow{1, 5, 2}, UnitsRow{2, 4, 3}, UnitsRow{3, 3, 4},
                                           UnitsRow{4, 1, 6}, UnitsRow{5, 7, 0}, UnitsRow{0xFF, 7, 0}));

struct StateRow {
    const char* name;
    std::uint8_t count_code;
    int disabled_unit;  // 0: none
    std::uint8_t s148, s118;
    AirSwitch state;
    bool checked;
    unsigned button;
};
class AirSwitchState : public ::testing::TestWithParam<StateRow> {};
TEST_P(AirSwitchState, follows_burner_modes_and_the_controller_state) {
    const StateRow& r = GetParam();
    link::LinkState s;
    s.status.set(off::fan_heater_count, r.count_code);
    if (r.disabled_unit) s.status.set(link::burner_mode_offset(r.disabled_unit), 0x05);
    s.status.set(off::heater_status_143 + 5, r.s148);
    s.status.set(off::status_118, r.s118);
    EXPECT_EQ(air_switch_state(s.status), r.state);
    begin_diagnostics(s);
    const DiagnosticsView v = refresh_diagnostics(s);
    EXPECT_EQ(v.air_switch_checked, r.checked);
    EXPECT_EQ(v.air_switch_button, r.button);
}
INSTANTIATE_TEST_SUITE_P(
    Rows, AirSwitchState,
    ::testing::Values(StateRow{"none_disabled", 2, 0, 0x08, 0, AirSwitch::enabled, false, 207},
                      StateRow{"disabled_box_unlocked", 2, 5, 0x00, 0, AirSwitch::disabled, true, 208},
                      StateRow{"disabled_118_bit5_holds", 2, 5, 0x08, 0x20, AirSwitch::disabled, true, 208},
                      StateRow{"disabled_box_locked", 2, 5, 0x08, 0x00, AirSwitch::re_enabling, false, 207},
                      // A bit left on a unit the dryer lacks is not a disabled test.
                      StateRow{"unit_not_in_use", 2, 2, 0x00, 0, AirSwitch::enabled, false, 207},
                      StateRow{"unknown_count_code", 9, 6, 0x00, 0, AirSwitch::enabled, false, 207}),
    [](const auto& i) { return std::string(i.param.name); });

TEST(AirSwitchReEnable, clears_bit_2_of_units_in_use_once_while_pending) {
    link::LinkState s;
    s.status.set(off::fan_heater_count, 1);  // units 5 and 6
    for (int k : {5, 6}) s.status.set(link::burner_mode_offset(k), 0x05);
    s.status.set(link::burner_mode_offset(2), 0x04);  // not in use: left alone
    s.status.set(off::heater_status_143 + 5, 0x08);
    begin_diagnostics(s);
    refresh_diagnostics(s);
    EXPECT_EQ(raised_rows(s), (std::vector<int>{link::burner_mode_row(5), link::burner_mode_row(6)}));
    EXPECT_EQ(units_with_test_off(s.settings), std::vector<int>{2});
    EXPECT_EQ(s.settings.get(link::burner_mode_offset(5)), 0x01);  // the other bits kept

    // Repaints while the change is pending send nothing new.
    const std::uint32_t g = s.flags.generation(link::burner_mode_row(6));
    refresh_diagnostics(s);
    EXPECT_EQ(s.flags.generation(link::burner_mode_row(6)), g);
}

// ---- The air-switch question ----------------------------------------------

struct QuestionRow {
    const char* name;
    int disabled_unit;
    std::uint8_t s148;
    std::vector<unsigned> messages;  // shown before each Yes
    std::vector<int> units_off_after;
};
class AirSwitchQuestions : public ::testing::TestWithParam<QuestionRow> {};
TEST_P(AirSwitchQuestions, take_the_yes_presses_they_need) {
    const QuestionRow& r = GetParam();
    link::LinkState s;
    s.status.set(off::fan_heater_count, 2);  // units 4 to 6
    if (r.disabled_unit) s.status.set(link::burner_mode_offset(r.disabled_unit), 0x04);
    s.status.set(off::heater_status_143 + 5, r.s148);
    begin_diagnostics(s);
    AirSwitchQuestion q(s.status);
    for (std::size_t i = 0; i < r.messages.size(); ++i) {
        EXPECT_EQ(q.confirmation(), (Confirmation{417, {r.messages[i]}})) << "question " << i;
        EXPECT_EQ(q.yes(s), i + 1 == r.messages.size()) << "Yes " << i;
        if (i + 1 < r.messages.size()) {
            EXPECT_TRUE(raised_rows(s).empty()) << "nothing sent before the last Yes";
        }
    }
    echo(s);
    EXPECT_EQ(units_with_test_off(s.status), r.units_off_after);
}
INSTANTIATE_TEST_SUITE_P(
    Rows, AirSwitchQuestions,
    ::testing::Values(QuestionRow{"disable_needs_two_yes", 0, 0, {419, 420}, {4, 5, 6}},
                      QuestionRow{"re_enable_needs_one", 5, 0, {418}, {}},
                      QuestionRow{"control_box_locked_changes_nothing", 0, 0x08, {416}, {}}),
    [](const auto& i) { return std::string(i.param.name); });

TEST(AirSwitchDisable, with_two_fan_heaters_raises_three_flags) {
    link::LinkState s;
    s.status.set(off::fan_heater_count, 2);
    begin_diagnostics(s);
    EXPECT_EQ(set_air_switch_test(s, true),
              (std::vector<int>{link::burner_mode_row(4), link::burner_mode_row(5), link::burner_mode_row(6)}));
    EXPECT_EQ(units_with_test_off(s.settings), (std::vector<int>{4, 5, 6}));
}

// ---- Set speed and sensor shutdown -------------------------------------------

TEST(SetSpeed, question_and_yes_follow_the_local_mode) {
    link::LinkState s;
    EXPECT_EQ(set_speed_confirmation(s), (Confirmation{408, {406, 407}}));
    EXPECT_TRUE(answer_set_speed(s));
    EXPECT_TRUE(refresh_diagnostics(s).set_speed_pressed);
    EXPECT_EQ(set_speed_confirmation(s), (Confirmation{410, {409}}));
    EXPECT_FALSE(answer_set_speed(s));
    EXPECT_FALSE(refresh_diagnostics(s).set_speed_pressed);
    EXPECT_TRUE(raised_rows(s).empty());  // a panel flag: nothing is sent
}

struct SensorRow {
    std::uint8_t reported;
    Confirmation question;
    std::uint8_t sent;
};
class SensorShutdown : public ::testing::TestWithParam<SensorRow> {};
TEST_P(SensorShutdown, yes_sends_bit_5_flipped_from_the_report) {
    const SensorRow& r = GetParam();
    link::LinkState s;
    s.status.set(off::meter_roll_reverse, r.reported);
    begin_diagnostics(s);
    EXPECT_EQ(sensor_shutdown_confirmation(s.status), r.question);
    answer_sensor_shutdown(s);
    EXPECT_EQ(s.settings.get(off::meter_roll_reverse), r.sent);
    EXPECT_EQ(raised_rows(s), std::vector<int>{link::row_for_setting(off::meter_roll_reverse)});
}
INSTANTIATE_TEST_SUITE_P(Rows, SensorShutdown,
                         ::testing::Values(SensorRow{0x10, {411, {413, 415}}, 0x30},
                                           SensorRow{0x30, {412, {414}}, 0x10}));

TEST(DiagnosticsMode, is_marked_while_open_and_takes_copies_without_sending) {
    link::LinkState s;
    s.status.set(off::meter_roll_reverse, 0x12);
    s.status.set(link::burner_mode_offset(3), 0x07);
    begin_diagnostics(s);
    EXPECT_EQ(link::load(s.values.diagnostics_mode), 1);
    EXPECT_EQ(s.settings.get(off::meter_roll_reverse), 0x12);
    EXPECT_EQ(s.settings.get(link::burner_mode_offset(3)), 0x07);
    EXPECT_TRUE(raised_rows(s).empty());
    end_diagnostics(s);
    EXPECT_EQ(link::load(s.values.diagnostics_mode), 0);
}

// ---- Light outputs and switch inputs -----------------------------------------

struct LightCase {
    const char* name;
    std::size_t offset;
    std::uint8_t value;
    std::vector<const char*> shorted, activated;
};
class LightOutputs : public ::testing::TestWithParam<LightCase> {};
TEST_P(LightOutputs, map_bits_to_rows) {
    const LightCase& c = GetParam();
    link::ByteImage im;
    im.set(c.offset, c.value);
    std::vector<std::string> shorted, activated;
    for (const LightRow& r : light_rows(im)) {
        if (r.shorted) shorted.push_back(r.label);
        if (r.activated) activated.push_back(r.label);
    }
    EXPECT_EQ(shorted, std::vector<std::string>(c.shorted.begin(), c.shorted.end()));
    EXPECT_EQ(activated, std::vector<std::string>(c.activated.begin(), c.activated.end()));
}
INSTANTIATE_TEST_SUITE_P(
    Rows, LightOutputs,
    ::testing::Values(LightCase{"j2_bit7_is_fan_3", 178, 0x80, {"J2-01 / FAN 3"}, {}},
                      LightCase{"j2_bit0_is_start", 178, 0x01, {"J2-08 / START"}, {}},
                      LightCase{"j1_bits_forward", 177, 0x81, {"J1-01 / SPARE", "J1-08 / BURNER 3"}, {}},
                      LightCase{"activated_j1", 239, 0x02, {}, {"J1-02 / BURNER 6"}},
                      LightCase{"activated_j2", 240, 0x40, {}, {"J2-02 / BURNER 2"}}),
    [](const auto& i) { return std::string(i.param.name); });

TEST(SwitchInputs, groups_take_every_named_input_once) {
    link::ByteImage im;
    im.set(off::status_183, 0xFF);  // bit 7 is not an input
    im.set(off::options_225, 0x80);
    im.set(off::mode_flags_179, 0x01);
    const auto groups = switch_groups(im, [](unsigned n) { return n == 383 ? std::string("INPUTS") : std::string(); });
    std::vector<std::size_t> sizes;
    for (const SwitchGroup& g : groups) sizes.push_back(g.inputs.size());
    EXPECT_EQ(sizes, (std::vector<std::size_t>{8, 8, 8, 8, 4, 3, 8}));
    EXPECT_EQ(groups[0].caption, "J3 INPUTS");
    EXPECT_EQ(groups[5].caption, "MR ENCODER");  // no text: the English caption
    EXPECT_TRUE(groups[0].inputs[0].closed);     // STOP
    EXPECT_EQ(groups[0].inputs[0].label, "STOP");
    EXPECT_EQ(groups[6].inputs[7].label, "PORT");
    EXPECT_TRUE(groups[6].inputs[7].closed);
    EXPECT_FALSE(groups[6].inputs[5].closed);  // FT SERIES
    EXPECT_EQ(groups[5].inputs[2].label, "MR RIGHT");
}

}  // namespace
}  // namespace dryer::setup
