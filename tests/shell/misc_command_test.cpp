// "MISC" and the meter roll event command, every branch.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "link/fields.h"
#include "shell/misc_command.h"

namespace dryer::shell {
namespace {

namespace off = link::off;

struct RecordingActions : MiscActions {
    std::vector<std::string> log;
    std::vector<TemperatureKeypadRequest> keypads;
    bool local_answer = true;
    bool learning_answer = true;
    bool ask_local_mode() override { return log.push_back("ask-local"), local_answer; }
    bool ask_learning_period() override { return log.push_back("ask-learning"), learning_answer; }
    void open_meter_roll_speed() override { log.push_back("meter-roll"); }
    void open_moisture_setpoint(int mode) override { log.push_back("moisture-" + std::to_string(mode)); }
    void act_as_temps() override { log.push_back("temps"); }
    void open_temperature_keypad(const TemperatureKeypadRequest& r) override {
        log.push_back("keypad-" + std::to_string(r.target));
        keypads.push_back(r);
    }
};

struct MiscCase {
    const char* name;
    std::uint8_t drying_mode, mc_mode_flags, system_flags, status_52, mode_flags_179;
    bool local_mode, batch_mode, local_answer, learning_answer;
    std::vector<std::string> want;
};

class Misc : public ::testing::TestWithParam<MiscCase> {};

TEST_P(Misc, takes_its_branch) {
    const MiscCase& c = GetParam();
    link::LinkState state;
    state.status.set(off::drying_mode, c.drying_mode);
    state.status.set(off::mc_mode_flags, c.mc_mode_flags);
    state.status.set(off::system_flags_257, c.system_flags);
    state.status.set(off::status_52, c.status_52);
    state.status.set(off::mode_flags_179, c.mode_flags_179);
    state.values.meter_roll_local_mode = c.local_mode ? 1 : 0;
    state.values.batch_mode = c.batch_mode ? 1 : 0;
    RecordingActions a;
    a.local_answer = c.local_answer;
    a.learning_answer = c.learning_answer;
    run_misc(state, a);
    EXPECT_EQ(a.log, c.want);
}

const std::vector<std::string> none{};

INSTANTIATE_TEST_SUITE_P(
    Branches, Misc,
    ::testing::Values(
        // Step 1: local mode question, continuing in either case.
        MiscCase{"local_yes_then_mode5", 0, 5, 0, 0, 0, true, false, true, true, {"ask-local", "meter-roll", "keypad-149"}},
        MiscCase{"local_no_then_mode5", 0, 5, 0, 0, 0, true, false, false, true, {"ask-local", "keypad-149"}},
        // Step 2: batch mode stops.
        MiscCase{"batch_stops", 1, 5, 0, 0, 0, false, true, true, true, none},
        MiscCase{"local_then_batch_stops", 1, 5, 0, 0, 0, true, true, true, true, {"ask-local", "meter-roll"}},
        // Step 3: drying mode 1 with the moisture bits or bits 4/5 of 257.
        MiscCase{"mode1_moisture_auto", 1, 0x86, 0x40, 0, 0, false, false, true, true, {"moisture-3"}},
        MiscCase{"mode1_bit4_auto", 1, 0x80, 0x50, 0, 0, false, false, true, true, {"moisture-3"}},
        MiscCase{"mode1_dual_plenum_acts_as_temps", 1, 0x06, 0x02, 0, 0, false, false, true, true, {"temps"}},
        MiscCase{"mode1_bit6_without_auto_dual", 1, 0x06, 0x42, 0, 0, false, false, true, true, {"temps"}},
        MiscCase{"mode1_grain_setpoint", 1, 0x06, 0x00, 0, 0, false, false, true, true, {"keypad-149"}},
        MiscCase{"mode1_bit5_grain_setpoint", 1, 0x00, 0x20, 0, 0, false, false, true, true, {"keypad-149"}},
        // Step 4 by the moisture-control mode.
        MiscCase{"mc1_flow", 0, 1, 0, 0, 0, false, false, true, true, {"keypad-149"}},
        MiscCase{"mc1_mode1_without_moisture_bits", 1, 0x01, 0, 0, 0, false, false, true, true, {"keypad-149"}},
        MiscCase{"mc1_drying_mode3_low_then_high", 3, 1, 0, 0, 0, false, false, true, true,
                 {"keypad-153", "keypad-151"}},
        MiscCase{"mc3_no_learning", 0, 3, 0, 0, 0x04, false, false, true, true, {"moisture-3"}},
        MiscCase{"mc3_learning_yes", 0, 3, 0, 5, 0x04, false, false, true, true, {"ask-learning", "moisture-3"}},
        MiscCase{"mc3_learning_no", 0, 3, 0, 5, 0x04, false, false, true, false, {"ask-learning"}},
        MiscCase{"mc3_status52_without_bit2", 0, 0x83, 0, 5, 0xFB, false, false, true, true, {"moisture-3"}},
        MiscCase{"mc4", 0, 4, 0, 5, 0x04, false, false, true, true, {"moisture-3"}},
        MiscCase{"mc5", 3, 5, 0, 0, 0, false, false, true, true, {"keypad-149"}},
        MiscCase{"mc0_nothing", 0, 0, 0, 0, 0, false, false, true, true, none},
        MiscCase{"mc2_nothing", 0, 2, 0, 0, 0, false, false, true, true, none},
        MiscCase{"mc7_nothing", 0, 0xF7, 0, 0, 0, false, false, true, true, none}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(GrainSetpoint, copies_the_status_bytes_and_asks_the_keypad_for_the_target) {
    link::LinkState state;
    state.status.set_u16le(off::target_151, 0x00B4);  // 180
    state.settings.set_u16le(off::target_151, 99);
    const TemperatureKeypadRequest r = grain_setpoint_request(state, off::target_151);
    EXPECT_EQ(r, (TemperatureKeypadRequest{180, 50, 160, 105, off::target_151, link::row::grain_high_setpoint}));
    EXPECT_EQ(link::u16le(state.settings, off::target_151), 180);
    EXPECT_FALSE(state.flags.raised(link::row::grain_high_setpoint));  // the keypad raises it
    EXPECT_EQ(grain_setpoint_request(state, off::target_149).flag_row, link::row::grain_setpoint);
    EXPECT_EQ(grain_setpoint_request(state, off::target_153).flag_row, link::row::grain_low_setpoint);
}

TEST(MeterRollEvent, learning_period_question_first_and_only_yes_opens) {
    link::LinkState state;
    RecordingActions a;
    run_meter_roll_event(state, a);
    EXPECT_EQ(a.log, (std::vector<std::string>{"meter-roll"}));

    state.status.set(off::mc_mode_flags, 0x83);
    state.status.set(off::status_52, 1);
    state.status.set(off::mode_flags_179, 0x04);
    a.log.clear();
    a.learning_answer = false;
    run_meter_roll_event(state, a);
    EXPECT_EQ(a.log, (std::vector<std::string>{"ask-learning"}));
    a.log.clear();
    a.learning_answer = true;
    run_meter_roll_event(state, a);
    EXPECT_EQ(a.log, (std::vector<std::string>{"ask-learning", "meter-roll"}));
}

TEST(MiscLearningPeriod, cancelling_leaves_every_setting_untouched) {
    link::LinkState state;
    state.status.set(off::mc_mode_flags, 3);
    state.status.set(off::status_52, 9);
    state.status.set(off::mode_flags_179, 0x04);
    state.status.set_u16be(off::moisture_setpoint, 155);
    RecordingActions a;
    a.learning_answer = false;
    run_misc(state, a);
    for (std::size_t i = 0; i < link::kImageSize; ++i) ASSERT_EQ(state.settings.get(i), 0) << i;
    for (int r = 1; r <= static_cast<int>(link::kReplyRowCount); ++r) ASSERT_FALSE(state.flags.raised(r)) << r;
}

// The English source texts, number -> text.
std::map<unsigned, std::string> english_texts() {
    const char* dir = std::getenv("DRYER_SOURCE_DIR");
    std::ifstream in(std::string(dir ? dir : ".") + "/data/languages/EN/strings.txt");
    std::map<unsigned, std::string> texts;
    for (std::string line; std::getline(in, line);) {
        const auto tab = line.find('\t');
        if (line.empty() || line[0] == '#' || tab == std::string::npos) continue;
        texts[static_cast<unsigned>(std::stoul(line.substr(0, tab)))] = line.substr(tab + 1);
    }
    return texts;
}

TEST(MiscLearningPeriod, english_question_keeps_its_wording_from_the_texts) {
    const auto en = english_texts();
    const LearningPeriodQuestion q = learning_period_question([&en](unsigned n) {
        const auto it = en.find(n);
        return it == en.end() ? std::string{} : it->second;
    });
    EXPECT_EQ(q.title, "MOISTURE CONTROL LEARNING PERIOD STILL ACTIVE");
    EXPECT_EQ(q.body,
              "The Moisture Control learning period has not expired.  Modifying the MC Setpoint is not recommended "
              "until the learning period is complete.  Do wish to modify the moisture control setpoint?");
}

TEST(MiscLearningPeriod, missing_sentence_leaves_no_stray_blanks) {
    const LearningPeriodQuestion q = learning_period_question([](unsigned n) {
        return n == 904 ? std::string{} : "T" + std::to_string(n);
    });
    EXPECT_EQ(q.title, "T902");
    EXPECT_EQ(q.body, "T903  T905");
}

}  // namespace
}  // namespace dryer::shell
