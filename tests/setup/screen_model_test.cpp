// The setup screens' models: which setpoint buttons are shown, the values and
// notes they draw, the timer windows' lines, the batch window and its
// press-and-hold stage reset against the real decoder and reply builder.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "link/decoder.h"
#include "link/link_state.h"
#include "link/reply_builder.h"
#include "setup/batch_timers/batch_timers_model.h"
#include "setup/temp_select/temp_select_model.h"
#include "setup/timer_select/timer_select_model.h"

namespace dryer::setup {
namespace {

// Texts as "T<n>", so a test sees which number a screen asked for.
std::string numbered(unsigned n) { return "T" + std::to_string(n); }

TEST(WordWrap, BreaksAtBlanksWithinWidth) {
    EXPECT_EQ(word_wrap("aaa bbb ccc", 7), (std::vector<std::string>{"aaa bbb", "ccc"}));
    EXPECT_EQ(word_wrap("  aaa   bbb  ", 40), (std::vector<std::string>{"aaa bbb"}));
    EXPECT_EQ(word_wrap("abcdefghij", 4), (std::vector<std::string>{"abcd", "efgh", "ij"}));
    EXPECT_EQ(word_wrap("", 40), std::vector<std::string>{});
    // Code points, not bytes: eight two-byte letters fit a width of 8.
    EXPECT_EQ(word_wrap("\u0416\u0416\u0416\u0416\u0416\u0416\u0416\u0416 x", 8),
              (std::vector<std::string>{"\u0416\u0416\u0416\u0416\u0416\u0416\u0416\u0416", "x"}));
    for (const auto& l : word_wrap(std::string(200, 'w') + " the grain setpoint is the target", 40)) {
        EXPECT_LE(l.size(), 40u);
    }
}

TEST(FormatNumbers, FillsTwoNumberFieldsOnly) {
    EXPECT_EQ(format_numbers("Reset to %02d:%02d?", 5, 7), "Reset to 05:07?");
    EXPECT_EQ(format_numbers("%d min %i sec 100%%", 60, 0), "60 min 0 sec 100%");
    // Fields that are not numbers, and a third number, stay literal text.
    EXPECT_EQ(format_numbers("%s %n %d %d %d", 1, 2), "%s %n 1 2 %d");
    EXPECT_EQ(format_numbers("end %", 1, 2), "end %");
    EXPECT_EQ(format_numbers("%999999d", 1, 2), "%999999d");
}

std::unique_ptr<link::ByteImage> status_with(int count, int drying, std::uint8_t flags257 = 0,
                                             std::uint8_t options225 = 0) {
    auto st = std::make_unique<link::ByteImage>();
    st->set(link::off::fan_heater_count, static_cast<std::uint8_t>(count));
    st->set(link::off::drying_mode, static_cast<std::uint8_t>(drying));
    st->set(link::off::system_flags_257, flags257);
    st->set(link::off::options_225, options225);
    return st;
}

// Shown plenum places as the offsets they edit, 0 for a hidden place, in
// place order (left column top to bottom, then right column).
std::array<std::size_t, 6> shown_offsets(const TempSelectView& v) {
    std::array<std::size_t, 6> out{};
    for (std::size_t i = 0; i < 6; ++i) out[i] = v.plenum[i].shown ? v.plenum[i].button.target.offset : 0;
    return out;
}

struct VisibilityCase {
    int count;
    int drying;
    std::uint8_t flags257;
    std::uint8_t options225;
    std::array<std::size_t, 6> offsets;
    std::size_t grain;
    std::size_t grain_low;  // 0 when hidden
};

class TempVisibility : public ::testing::TestWithParam<VisibilityCase> {};

TEST_P(TempVisibility, ButtonsByCountCodeAndMode) {
    const VisibilityCase& c = GetParam();
    const auto v = temp_select_view(*status_with(c.count, c.drying, c.flags257, c.options225), false, numbered);
    EXPECT_EQ(shown_offsets(v), c.offsets);
    EXPECT_TRUE(v.grain[0].shown);
    EXPECT_EQ(v.grain[0].button.target.offset, c.grain);
    EXPECT_EQ(v.grain[1].shown ? v.grain[1].button.target.offset : 0u, c.grain_low);
}

INSTANTIATE_TEST_SUITE_P(
    Modes, TempVisibility,
    ::testing::Values(
        // count code 0: plenum 1 only (left column bottom).
        VisibilityCase{0, 0, 0, 0, {0, 0, 69, 0, 0, 0}, 149, 0},
        VisibilityCase{1, 0, 0, 0, {0, 67, 69, 0, 0, 0}, 149, 0},
        // count code 3: plenums 1-4.
        VisibilityCase{3, 0, 0, 0, {65, 67, 69, 0, 0, 63}, 149, 0},
        // count code 4: all six.
        VisibilityCase{4, 0, 0, 0, {65, 67, 69, 59, 61, 63}, 149, 0},
        // a count code the table does not know shows plenums 1-4.
        VisibilityCase{9, 0, 0, 0, {65, 67, 69, 0, 0, 63}, 149, 0},
        // continuous flow with options_225 bit 0x20 hides plenums 2 and 3.
        VisibilityCase{4, 0, 0, 0x20, {0, 0, 69, 59, 61, 63}, 149, 0},
        VisibilityCase{4, 1, 0, 0x20, {65, 67, 69, 59, 61, 63}, 149, 0},
        // drying mode 3 edits the grain setpoint at 151.
        VisibilityCase{0, 3, 0x02, 0, {0, 0, 69, 0, 0, 0}, 151, 0},
        // dual-plenum: high and low in the lower two places of each column.
        VisibilityCase{0, 1, 0x02, 0, {0, 69, 260, 0, 0, 0}, 151, 153},
        VisibilityCase{4, 1, 0x02, 0, {0, 69, 260, 0, 67, 258}, 151, 153},
        // the dual-plenum bit outside staged batch is single mode.
        VisibilityCase{4, 0, 0x02, 0, {65, 67, 69, 59, 61, 63}, 149, 0}));

TEST(TempSelect, LimitsFollowTheSetpointTable) {
    const auto single = temp_select_view(*status_with(4, 0), false, numbered);
    EXPECT_EQ(single.plenum[2].button.target.limits.max, 250);
    EXPECT_EQ(single.plenum[2].button.picture, 17);
    EXPECT_EQ(single.plenum[3].button.picture, 12);
    EXPECT_EQ(single.grain[0].button.target.limits.max, 160);
    EXPECT_EQ(single.grain[0].button.target.limits.def, 105);
    const auto mode3 = temp_select_view(*status_with(0, 3), false, numbered);
    EXPECT_EQ(mode3.grain[0].button.target.limits.max, 180);
    EXPECT_EQ(mode3.grain[0].button.target.limits.def, 120);
    const auto dual = temp_select_view(*status_with(1, 1, 0x02), false, numbered);
    EXPECT_EQ(dual.grain[1].button.target.limits.def, 105);
    EXPECT_EQ(dual.grain[1].button.target.limits.max, 180);
    EXPECT_EQ(dual.plenum[5].button.picture, 70);
}

TEST(TempSelect, ValuesInShownUnitAndHiddenByOption) {
    auto owner = status_with(0, 0);
    auto& st = *owner;
    st.set_u16le(69, 190);
    st.set_u16le(149, 105);
    auto v = temp_select_view(st, false, numbered);
    EXPECT_EQ(v.plenum[2].value_text, " 190 \u00B0F ");
    EXPECT_EQ(v.grain[0].value_text, " 105 \u00B0F ");
    v = temp_select_view(st, true, numbered);
    EXPECT_EQ(v.plenum[2].value_text, "  87 \u00B0C ");
    EXPECT_EQ(v.grain[0].value_text, "  40 \u00B0C ");
    st.set(link::off::options_225, 0x20);
    v = temp_select_view(st, false, numbered);
    EXPECT_EQ(v.plenum[2].value_text, "");
    EXPECT_EQ(v.grain[0].value_text, " 105 \u00B0F ");
}

TEST(TempSelect, NoteByUnit) {
    auto text = [](unsigned n) -> std::string {
        if (n == 200) return "The grain setpoint is the temperature the dryer holds";
        if (n == 201) return "at the grain sensor.";
        return "C" + std::to_string(n);
    };
    const auto f = temp_select_view(*status_with(0, 0), false, text);
    EXPECT_EQ(f.note, (std::vector<std::string>{"The grain setpoint is the temperature", "the dryer holds at the grain sensor."}));
    const auto c = temp_select_view(*status_with(0, 0), true, text);
    EXPECT_EQ(c.note, (std::vector<std::string>{"C197 C198 C199"}));
    EXPECT_EQ(c.heading, "C196");
}

const TimerBlock& first_block(const TimerSelectView& v, std::size_t child) { return v[child].blocks.at(0); }

TEST(TimerSelect, OutOfGrainShowsPreviousLoadOrNote) {
    link::ByteImage st;
    auto v = timer_select_view(st, 754, numbered);
    const auto& lines = first_block(v, 1).lines;
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[0], (InkLine{"T57", Ink::green}));
    EXPECT_EQ(lines[1], (InkLine{"T50: 012     T51: 34", Ink::green}));
    EXPECT_EQ(lines.at(4), (InkLine{"T55 = 8 T50", Ink::magenta}));

    st.set(link::off::mode_flags_179, 0x08);
    v = timer_select_view(st, 754, numbered);
    const auto& note = first_block(v, 1).lines;
    EXPECT_EQ(note[0], (InkLine{"T911", Ink::green}));
    EXPECT_EQ(note[1], (InkLine{"T912", Ink::green}));
}

TEST(TimerSelect, ChildrenTimersAndValueLines) {
    link::ByteImage st;
    st.set(31, 2);
    st.set(32, 30);
    st.set(269, 45);
    st.set(270, 5);
    const auto v = timer_select_view(st, 0, numbered);
    EXPECT_STREQ(v[0].object_name, "LOAD_DELAY_CHILD_WINDOW");
    EXPECT_EQ(v[0].title, "T45");
    const auto& box = *first_block(v, 0).box;
    EXPECT_EQ(box.target.offset, 31u);
    EXPECT_EQ(box.minutes_line, "002 T50");
    EXPECT_EQ(box.seconds_line, "30 T51");
    EXPECT_EQ(first_block(v, 0).lines.at(3), (InkLine{"T55 = 1 T50", Ink::magenta}));
    ASSERT_EQ(v[2].blocks.size(), 2u);
    EXPECT_EQ(v[2].blocks[0].box->target.limits.max, (MinSec{0, 25}));
    EXPECT_EQ(v[2].blocks[1].box->minutes_line, "045 T50");
    EXPECT_EQ(v[3].blocks[0].box->target.offset, 41u);
    // Titles fall back to the window captions without a language text.
    const auto bare = timer_select_view(st, 0, [](unsigned) { return std::string(); });
    EXPECT_EQ(bare[1].title, " Out of Grain Timer");
}

TEST(BatchTimers, HeatButtonsByDryingModeAndDualPlenum) {
    struct Case {
        int drying;
        std::uint8_t flags;
        bool dual;
    };
    for (const Case c : {Case{0, 0x02, false}, Case{1, 0, false}, Case{1, 0x02, true}, Case{3, 0, true},
                         Case{2, 0x02, true}}) {
        const auto v = batch_view(*status_with(0, c.drying, c.flags), numbered);
        EXPECT_EQ(v.dual, c.dual) << c.drying;
        EXPECT_EQ(v.buttons[0].shown, !c.dual);
        EXPECT_EQ(v.buttons[1].shown, c.dual);
        EXPECT_EQ(v.buttons[2].shown, c.dual);
        EXPECT_TRUE(v.buttons[3].shown && v.buttons[4].shown);
        EXPECT_EQ(v.stages.size(), c.dual ? 4u : 3u);
    }
}

TEST(BatchTimers, StageTimesAndTargets) {
    auto owner = status_with(0, 1);
    auto& st = *owner;
    st.set(9, 42);
    st.set(10, 7);
    const auto v = batch_view(st, numbered);
    EXPECT_EQ(v.stages[0].time_left, "42 T449 07 T448");
    EXPECT_EQ(v.buttons[0].target.offset, 11u);
    EXPECT_EQ(v.buttons[0].target.limits.max, (MinSec{200, 0}));
    EXPECT_EQ(v.buttons[2].target.offset, 254u);
    EXPECT_EQ(v.buttons[3].target.limits.def, (MinSec{20, 0}));
    EXPECT_EQ(v.buttons[4].target.limits.def, (MinSec{10, 0}));
    EXPECT_EQ(v.title, "T442");
}

TEST(BatchHold, QuestionTextsAndGroups) {
    link::ByteImage st;
    st.set(11, 60);
    st.set(12, 5);
    auto text = [](unsigned n) { return "Q" + std::to_string(n) + " %d:%02d"; };
    EXPECT_EQ(stage_reset_question(0, true, st, text), "Q513 60:05");
    EXPECT_EQ(stage_reset_question(0, false, st, text), "Q514 60:05");
    EXPECT_EQ(stage_reset_question(1, false, st, text), "Q516 0:00");
    EXPECT_EQ(stage_reset_question(9, false, st, text), "");
    EXPECT_EQ(hold_group(BatchButton::hi_heat), 0u);
    EXPECT_EQ(hold_group(BatchButton::unload), 3u);
}

// A frame that reports the status image as it is, with some bytes changed.
link::StatusFrame frame_of(const link::LinkState& s) {
    link::StatusFrame f{};
    for (std::size_t i = 0; i < f.size(); ++i) f[i] = s.status.get(i);
    return f;
}

TEST(BatchHold, StageResetIsSentUntilTheControllerRestartsTheStage) {
    link::LinkState s;
    s.status.set(16, 20);  // cool stage time 20:00, set before this run
    s.status.set(14, 3);   // 3:10 left
    s.status.set(15, 10);
    confirm_stage_reset(s, 2);
    EXPECT_EQ(s.settings.get(14), 20);
    EXPECT_TRUE(s.flags.raised(link::row::batch_cool_remaining));
    EXPECT_FALSE(s.flags.raised(link::row::batch_cool_time));

    link::TransmitBuffer tx{};
    ASSERT_TRUE(link::build_reply(s, tx));
    EXPECT_EQ(tx[1], 1);                          // one item
    EXPECT_EQ((tx[2] << 8) | tx[3], 14);          // code 14
    EXPECT_EQ(tx[4], 2);
    EXPECT_EQ(tx[5], 20);
    EXPECT_EQ(tx[6], 0);

    // Until the controller reports the restart, the window keeps 3:10.
    auto f = frame_of(s);
    f[14] = 3;
    f[15] = 9;
    link::decode_status_frame(s, f);
    EXPECT_EQ(s.status.get(15), 10);
    EXPECT_TRUE(s.flags.raised(link::row::batch_cool_remaining));
    f[14] = 20;
    f[15] = 0;
    link::decode_status_frame(s, f);
    EXPECT_FALSE(s.flags.raised(link::row::batch_cool_remaining));
    f[14] = 19;
    f[15] = 59;
    link::decode_status_frame(s, f);
    EXPECT_EQ(s.status.get(14), 19);
}

TEST(BatchHold, StageResetUsesAPendingStageTime) {
    link::LinkState s;
    s.status.set(11, 60);
    s.settings.set(11, 90);  // the operator's new heat time, not yet echoed
    s.flags.raise(link::row::batch_heat_time);
    confirm_stage_reset(s, 0);
    EXPECT_EQ(s.settings.get(9), 90);
    EXPECT_EQ(s.settings.get(11), 90);
}

}  // namespace
}  // namespace dryer::setup
