// The auto-start rules without Qt: the request and its confirmation against
// the settings image and the change flags, and the timeline's geometry for
// plans of any size.
#include "autostart/auto_start/auto_start_model.h"

#include <gtest/gtest.h>

#include "link/fields.h"
#include "link/reply_table.h"

namespace dryer::autostart {
namespace {

namespace off = link::off;
namespace row = link::row;

class NoTexts : public views::Texts {
public:
    std::string text(unsigned n) const override { return "T" + std::to_string(n); }
    std::string warning_text(int, int) const override { return {}; }
};

void put16le(link::ByteImage& im, std::size_t at, unsigned v) { im.set_u16le(at, static_cast<std::uint16_t>(v)); }

// ---- the request -------------------------------------------------------

struct ConfirmCase {
    const char* name;
    std::uint8_t status_279;
    bool running;
    Answer answer;
    std::uint8_t settings_279;  // after the answer
    bool sends_279, sends_285;
    Outcome outcome;
};

class Confirm : public ::testing::TestWithParam<ConfirmCase> {};

TEST_P(Confirm, sends_what_the_answer_asks_and_carries_the_other_bits) {
    const ConfirmCase& c = GetParam();
    link::LinkState state;
    state.status.set(off::options_279, c.status_279);
    state.status.set(off::autostart_285, 3);
    if (c.running) state.status.set(off::status_188, 0x40);
    open_configuration(state);
    choose_grain(state, 10);  // Rye
    const Outcome out = confirm(state, c.answer);
    EXPECT_EQ(out, c.outcome);
    EXPECT_EQ(state.settings.get(off::options_279), c.settings_279);
    EXPECT_EQ(state.flags.raised(row::hardware_options), c.sends_279);
    EXPECT_EQ(state.flags.raised(row::autostart), c.sends_285);
    if (c.sends_285) {
        EXPECT_EQ(state.settings.get(off::autostart_285), 10);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, Confirm,
    ::testing::Values(
        ConfirmCase{"start_keeps_other_bits", 0x8C, false, Answer::yes, 0x8D, true, true, {true, false, true}},
        ConfirmCase{"start_refused_while_running", 0x0C, true, Answer::yes, 0x0C, false, false, {false, true, false}},
        ConfirmCase{"cancel_run_clears_bit_0_only", 0x8D, true, Answer::yes, 0x8C, true, false, {false, false, true}},
        ConfirmCase{"no_while_idle_sends_nothing_and_closes", 0x0C, false, Answer::no, 0x0C, false, false,
                    {true, false, false}},
        ConfirmCase{"cancel_button_while_idle_closes", 0x0C, false, Answer::cancel, 0x0C, false, false,
                    {true, false, false}},
        ConfirmCase{"no_while_active_sends_nothing", 0x0D, false, Answer::no, 0x0D, false, false,
                    {false, false, false}}),
    [](const auto& row_info) { return std::string(row_info.param.name); });

TEST(Request, exit_sends_a_changed_grain_continue_sends_nothing) {
    link::LinkState state;
    open_configuration(state);
    choose_grain(state, 10);
    EXPECT_FALSE(leave_configuration(state, false));
    EXPECT_FALSE(state.flags.raised(row::autostart));
    choose_grain(state, 200);  // outside the table: ignored
    EXPECT_EQ(state.settings.get(off::autostart_285), 10);
    EXPECT_TRUE(leave_configuration(state, true));
    EXPECT_TRUE(state.flags.raised(row::autostart));
}

TEST(Request, a_pending_start_survives_reopening_the_screen) {
    link::LinkState state;
    open_configuration(state);
    confirm(state, Answer::yes);
    open_configuration(state);  // the controller has not echoed yet
    EXPECT_EQ(state.settings.get(off::options_279) & 0x01, 1);
    EXPECT_EQ(setup_route(state.status), SetupRoute::configure);  // not shown as running
}

TEST(Request, setup_route_follows_the_reported_state) {
    link::ByteImage st;
    EXPECT_EQ(setup_route(st), SetupRoute::configure);
    st.set(off::status_188, 0x40);
    EXPECT_EQ(setup_route(st), SetupRoute::refuse);
    st.set(off::options_279, 0x01);
    EXPECT_EQ(setup_route(st), SetupRoute::status);
    EXPECT_EQ(confirmation_question(st), 510u);
    st.set(off::options_279, 0);
    EXPECT_EQ(confirmation_question(st), 511u);
}

TEST(ConfigurationScene, grain_marker_and_moisture_values) {
    struct Row {
        std::uint8_t grain;
        std::optional<views::Rect> marker;
    };
    for (const Row& r : {Row{0, views::Rect{290, 30, 300, 40}}, Row{11, views::Rect{440, 280, 450, 290}},
                         Row{6, views::Rect{440, 30, 450, 40}}, Row{12, std::nullopt}, Row{255, std::nullopt}})
        EXPECT_EQ(grain_marker(r.grain), r.marker) << int(r.grain);
    link::ByteImage st, se;
    put16le(st, off::moisture_281, 155);
    st.set_u16be(off::moisture_setpoint, 1000);
    const views::Scene sc = configuration_scene(st, se, Page::moisture);
    EXPECT_NE(sc.find_text("15.5%"), nullptr);
    EXPECT_NE(sc.find_text("100.0%"), nullptr);
}

// ---- the timeline --------------------------------------------------------

struct BarCase {
    const char* name;
    unsigned total, start, end;
    int before, heating, after;
};

class Bars : public ::testing::TestWithParam<BarCase> {};

TEST_P(Bars, stay_inside_the_timeline) {
    const BarCase& c = GetParam();
    link::ByteImage st;
    put16le(st, off::autostart_318, c.total);
    put16le(st, plan_start_offset(2), c.start);
    put16le(st, plan_end_offset(2), c.end);
    const UnitBar b = unit_bar(st, 2);
    EXPECT_EQ(b.before, c.before);
    EXPECT_EQ(b.heating, c.heating);
    EXPECT_EQ(b.after, c.after);
    EXPECT_LE(b.before + b.heating + b.after, kTimelineWidth);
    EXPECT_EQ(b.top, 215);
    EXPECT_EQ(b.bottom, 240);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, Bars,
    ::testing::Values(BarCase{"interval", 3600, 600, 1800, 83, 166, 250},
                      BarCase{"end_not_after_start_runs_to_the_end", 3600, 1800, 900, 250, 250, 0},
                      BarCase{"no_plan", 0, 600, 1800, 0, 0, 0},
                      BarCase{"start_past_total", 100, 65535, 0, 500, 0, 0},
                      BarCase{"end_past_total", 100, 50, 65535, 250, 250, 0},
                      BarCase{"largest_values", 65535, 65535, 65535, 500, 0, 0}),
    [](const auto& row_info) { return std::string(row_info.param.name); });

TEST(Timeline, units_drawn_by_count_code_highest_first) {
    struct Row {
        std::uint8_t code, options_225;
        std::vector<int> units;
    };
    for (const Row& r : {Row{0, 0, {1}}, Row{1, 0, {2, 1}}, Row{3, 0, {4, 3, 2, 1}}, Row{4, 0, {6, 5, 4, 3, 2, 1}},
                         Row{5, 0, {}}, Row{255, 0, {}}, Row{4, 0x20, {1}}}) {
        link::ByteImage st;
        st.set(off::fan_heater_count, r.code);
        st.set(off::options_225, r.options_225);
        EXPECT_EQ(units_drawn(st), r.units) << int(r.code);
    }
    // The marker stands 30 above the highest unit's row.
    for (std::uint8_t code : {0, 1, 2, 3, 4}) {
        link::ByteImage st;
        st.set(off::fan_heater_count, code);
        EXPECT_EQ(marker_top(code), unit_bar(st, units_drawn(st).front()).top - 30) << int(code);
    }
}

TEST(Timeline, unit_numbering_meets_the_state_bytes_of_the_units_in_use) {
    // Unit 1 is the first unit in use: physical unit 6, state byte 136.
    EXPECT_EQ(plan_state_offset(1), 136u);
    EXPECT_EQ(plan_state_offset(6), 131u);
    EXPECT_EQ(plan_start_offset(1), 304u);
    EXPECT_EQ(plan_end_offset(6), 306u);
}

TEST(Timeline, marker_axis_and_title_of_a_running_plan) {
    struct Row {
        unsigned total, remaining;
        std::optional<int> x;
    };
    for (const Row& r : {Row{3600, 2700, 195}, Row{3600, 0, 570}, Row{3600, 65535, 70}, Row{0, 0, std::nullopt}}) {
        link::ByteImage st;
        put16le(st, off::autostart_318, r.total);
        put16le(st, off::autostart_320, r.remaining);
        EXPECT_EQ(marker_x(st), r.x) << r.total << " " << r.remaining;
    }
    link::ByteImage st;
    put16le(st, off::autostart_318, 3600);
    put16le(st, off::autostart_320, 2700);
    st.set(off::status_280, 0x06);  // stabilizing wins over in progress
    const views::Scene sc = status_scene(st, NoTexts{});
    for (const char* label : {"0:00", "15:00", "30:00", "45:00", "60:00"}) EXPECT_NE(sc.find_text(label), nullptr) << label;
    ASSERT_NE(sc.find_text("T504"), nullptr);
    EXPECT_EQ(sc.find_text("T504")->colour, views::colour::yellow);
    st.set(off::status_280, 0x86);
    EXPECT_NE(status_scene(st, NoTexts{}).find_text("T506"), nullptr);
    st.set(off::status_280, 0);
    EXPECT_NE(status_scene(st, NoTexts{}).find_text("Auto-Start Status Unkown"), nullptr);
}

}  // namespace
}  // namespace dryer::autostart
