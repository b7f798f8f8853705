// Layout rules, event bytes and the start-up order.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "shell/event_bytes.h"
#include "shell/rules.h"
#include "shell/startup.h"

namespace dryer::shell {
namespace {

TEST(ButtonBarLayout, five_or_six_buttons_by_bit_0_of_options_279) {
    EXPECT_EQ(button_bar_layout(0x00).x, (std::array<int, 5>{20, 144, 268, 392, 516}));
    EXPECT_FALSE(button_bar_layout(0xFE).qs_shown);
    EXPECT_EQ(button_bar_layout(0x01).x, (std::array<int, 5>{10, 125, 240, 355, 470}));
    EXPECT_TRUE(button_bar_layout(0xFF).qs_shown);
}

struct ViewCase {
    const char* name;
    std::uint8_t drying_mode;
    std::uint8_t display_options;
    RightHandViews want;
};

// Which display options byte the rule reads: a pending choice first, then a
// stored graph choice until the controller has reported, then the controller.
TEST(ViewRuleOptions, pending_then_stored_until_heard_then_controller) {
    const struct {
        std::uint8_t status;
        std::optional<std::uint8_t> pending;
        bool heard;
        bool stored_graph;
        std::uint8_t want;
    } rows[] = {
        {0x80, std::nullopt, false, false, 0x80}, {0x80, std::nullopt, false, true, 0xC0},
        {0x80, std::nullopt, true, true, 0x80},   {0xC0, std::nullopt, true, false, 0xC0},
        {0x80, 0xC1, true, false, 0xC1},          {0xC0, 0x80, false, true, 0x80},
    };
    for (const auto& r : rows)
        EXPECT_EQ(view_rule_options(r.status, r.pending, r.heard, r.stored_graph), r.want)
            << int(r.status) << " " << r.heard << r.stored_graph;
}

class RightHandViewRule : public ::testing::TestWithParam<ViewCase> {};

TEST_P(RightHandViewRule, shows_the_views_of_its_condition) {
    const ViewCase& c = GetParam();
    EXPECT_EQ(right_hand_views(c.drying_mode, c.display_options), c.want);
}

INSTANTIATE_TEST_SUITE_P(
    Table, RightHandViewRule,
    ::testing::Values(ViewCase{"batch", 1, 0x00, {false, false, true, true}},
                      ViewCase{"batch_ignores_graph_bit", 3, 0x40, {false, false, true, true}},
                      ViewCase{"batch_any_mode", 0xFF, 0xFF, {false, false, true, true}},
                      ViewCase{"flow_graph", 0, 0x40, {true, false, false, false}},
                      ViewCase{"flow_graph_other_bits", 0, 0xFF, {true, false, false, false}},
                      ViewCase{"flow_chart", 0, 0x00, {false, true, true, false}},
                      ViewCase{"flow_chart_other_bits", 0, 0xBF, {false, true, true, false}}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(BatchButtonRule, by_drying_mode_and_dual_plenum) {
    EXPECT_EQ(batch_buttons(0, 0x02), (BatchButtons{true, false, false}));
    EXPECT_EQ(batch_buttons(3, 0x00), (BatchButtons{false, true, true}));
    EXPECT_EQ(batch_buttons(1, 0x02), (BatchButtons{false, true, true}));
    EXPECT_EQ(batch_buttons(1, 0xFD), (BatchButtons{true, false, false}));
    EXPECT_EQ(batch_buttons(200, 0x02), (BatchButtons{false, true, true}));
    EXPECT_EQ(batch_buttons(2, 0x00), (BatchButtons{true, false, false}));
}

TEST(CentredOrigin, centres_and_clamps_negative_coordinates_to_zero) {
    EXPECT_EQ(centred_origin(0, 0, 640, 480, 440, 290), (Point{100, 95}));
    EXPECT_EQ(centred_origin(0, 40, 240, 205, 440, 290), (Point{0, 0}));
    EXPECT_EQ(centred_origin(240, 40, 400, 205, 300, 100), (Point{290, 92}));
}

TEST(EventBytes, meter_roll_then_dipswitch_each_lowered_when_taken) {
    link::PanelValues v;
    EXPECT_EQ(take_event_commands(v).count, 0u);
    v.meter_roll_event = 1;
    v.dipswitch_event = 1;
    EventCommands c = take_event_commands(v);
    ASSERT_EQ(c.count, 2u);
    EXPECT_EQ(c.commands[0], 34822);
    EXPECT_EQ(c.commands[1], 34823);
    EXPECT_EQ(v.meter_roll_event.load(), 0);
    EXPECT_EQ(v.dipswitch_event.load(), 0);
    EXPECT_EQ(take_event_commands(v).count, 0u);
}

TEST(EventBytes, dipswitch_event_not_turned_into_a_command_once_latched) {
    link::PanelValues v;
    v.dipswitch_latch = 1;
    v.dipswitch_event = 1;
    EXPECT_EQ(take_event_commands(v).count, 0u);
    v.meter_roll_event = 1;
    EventCommands c = take_event_commands(v);
    ASSERT_EQ(c.count, 1u);
    EXPECT_EQ(c.commands[0], 34822);
}

TEST(EventBytes, wait_raised_while_the_diagnostics_screen_is_open) {
    link::PanelValues v;
    v.diagnostics_mode = 1;
    v.meter_roll_event = 1;
    v.dipswitch_event = 1;
    EXPECT_EQ(take_event_commands(v).count, 0u);
    v.diagnostics_mode = 0;
    EXPECT_EQ(take_event_commands(v).count, 2u);
}

struct RecordingStartup : StartupSteps {
    std::vector<std::string> log;
    bool single = true;
    bool window = true;
    bool claim_single_instance() override { return log.push_back("single"), single; }
    bool create_main_window() override { return log.push_back("window"), window; }
    void clear_history_volume() override { log.push_back("clear-volume"); }
    void read_view_settings() override { log.push_back("view-settings"); }
    void create_child_windows() override { log.push_back("children"); }
    void open_link() override { log.push_back("link"); }
    void start_timers() override { log.push_back("timers"); }
    void open_history_database() override { log.push_back("history"); }
    void paint_main_window() override { log.push_back("paint"); }
    void bring_to_front() override { log.push_back("front"); }
    void mark_panel_started() override { log.push_back("171"); }
    void init_texts() override { log.push_back("texts"); }
};

TEST(Startup, runs_every_step_in_order) {
    RecordingStartup s;
    EXPECT_TRUE(run_startup(s));
    EXPECT_EQ(s.log, (std::vector<std::string>{"single", "window", "clear-volume", "view-settings", "children", "link",
                                               "timers", "history", "paint", "front", "171", "texts"}));
}

TEST(Startup, second_copy_or_failed_window_ends_early) {
    RecordingStartup second;
    second.single = false;
    EXPECT_FALSE(run_startup(second));
    EXPECT_EQ(second.log, (std::vector<std::string>{"single"}));
    RecordingStartup no_window;
    no_window.window = false;
    EXPECT_FALSE(run_startup(no_window));
    EXPECT_EQ(no_window.log.size(), 2u);
}

}  // namespace
}  // namespace dryer::shell
