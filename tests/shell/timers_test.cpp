// The three timers' duties driven tick by tick.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "link/fields.h"
#include "shell/timers.h"

namespace dryer::shell {
namespace {

namespace off = link::off;

struct RecordingDuties : TimerDuties {
    std::vector<std::string> log;
    bool help_from_history = false;
    void apply_button_bar_layout() override { log.push_back("layout"); }
    void redraw_status_line() override { log.push_back("status"); }
    void redraw_warning_window() override { log.push_back("warning"); }
    void link_cycle_tick() override { log.push_back("cycle"); }
    void redraw_graph_and_plenum() override { log.push_back("graph"); }
    void one_second_housekeeping(const std::tm&) override { log.push_back("housekeeping"); }
    void show_warning_window(bool shown) override { log.push_back(shown ? "show" : "hide"); }
    void redraw_shutdown_help_picture() override { log.push_back("help"); }
    bool shutdown_help_opened_from_history() override { return help_from_history; }
    void close_shutdown_help() override { log.push_back("close-help"); }
    void redraw_warning_message_line() override { log.push_back("message"); }
    void advance_dryer_picture() override { log.push_back("picture"); }
    int count(const std::string& what) const { return static_cast<int>(std::count(log.begin(), log.end(), what)); }
};

struct TimersTest : ::testing::Test {
    link::LinkState state;
    RecordingDuties duties;
    AutoRepeat repeat;
    ShellTimers timers{state, duties, repeat};
};

TEST_F(TimersTest, fast_tick_runs_its_duties_in_order) {
    timers.fast_tick();
    EXPECT_EQ(duties.log, (std::vector<std::string>{"status", "cycle"}));
}

TEST_F(TimersTest, blink_phase_flags_and_settle_count_over_three_periods) {
    // tick:            1  2  3  4  5  6  7  8 ...
    // counter:         1  2  3  4  5  6  7  0
    std::vector<std::uint32_t> phase, settled, settle;
    for (int tick = 1; tick <= 24; ++tick) {
        timers.fast_tick();
        phase.push_back(timers.blink_flags() & blink::phase ? 1 : 0);
        settled.push_back(timers.blink_flags() & blink::settled ? 1 : 0);
        settle.push_back(timers.settle_count());
    }
    const std::vector<std::uint32_t> want_phase{0, 0, 1, 1, 1, 1, 1, 0, 0, 0, 1, 1, 1, 1, 1, 0, 0, 0, 1, 1, 1, 1, 1, 0};
    EXPECT_EQ(phase, want_phase);
    // The settle count grows 0 -> 2 -> 4 at the first two blink edges, then by 1.
    EXPECT_EQ(settle[2], 2u);
    EXPECT_EQ(settle[10], 4u);
    EXPECT_EQ(settle[18], 5u);
    // Bit 2 is set from the third blink period on and stays set.
    EXPECT_EQ(settled[17], 0u);
    EXPECT_EQ(settled[18], 1u);
    EXPECT_EQ(settled[23], 1u);
}

TEST_F(TimersTest, warning_window_redrawn_at_both_blink_edges_only_while_a_shutdown_is_reported) {
    for (int i = 0; i < 16; ++i) timers.fast_tick();
    EXPECT_EQ(duties.count("warning"), 0);
    state.status.set(off::shutdown_node, 14);
    for (int i = 0; i < 16; ++i) timers.fast_tick();  // edges at counter 3 and 0, twice
    EXPECT_EQ(duties.count("warning"), 4);
    state.status.set(off::shutdown_node, 0);
    state.status.set(off::shutdown_code, 7);
    duties.log.clear();
    for (int i = 0; i < 8; ++i) timers.fast_tick();
    EXPECT_EQ(duties.count("warning"), 2);
}

TEST_F(TimersTest, button_bar_relayout_only_on_a_change_after_the_first_tick) {
    state.status.set(off::options_279, 0x01);
    timers.fast_tick();  // first tick remembers the value
    EXPECT_EQ(duties.count("layout"), 0);
    timers.fast_tick();
    EXPECT_EQ(duties.count("layout"), 0);
    state.status.set(off::options_279, 0x00);
    duties.log.clear();
    timers.fast_tick();
    EXPECT_EQ(duties.count("layout"), 1);
    EXPECT_EQ(duties.log.front(), "layout");  // first duty of the tick
    timers.fast_tick();
    EXPECT_EQ(duties.count("layout"), 1);
}

TEST_F(TimersTest, graph_redraw_served_on_the_25th_tick_after_the_request) {
    timers.fast_tick();
    timers.request_graph_redraw();
    for (int i = 1; i <= 24; ++i) {
        timers.fast_tick();
        ASSERT_EQ(duties.count("graph"), 0) << "tick " << i;
    }
    timers.fast_tick();
    EXPECT_EQ(duties.count("graph"), 1);
    EXPECT_FALSE(timers.graph_request());
    EXPECT_EQ(timers.graph_countdown(), 25u);
    for (int i = 0; i < 40; ++i) timers.fast_tick();
    EXPECT_EQ(duties.count("graph"), 1);
}

TEST_F(TimersTest, second_tick_runs_the_housekeeping_once) {
    std::tm now{};
    timers.second_tick(now);
    EXPECT_EQ(duties.log, (std::vector<std::string>{"housekeeping"}));
}

TEST_F(TimersTest, controller_heard_when_a_frame_came_between_two_second_ticks) {
    std::tm now{};
    auto second = [&] {
        timers.second_tick(now);
        state.link_alive = state.link_alive - 1;  // what the link's share does
        return timers.controller_heard();
    };
    EXPECT_FALSE(second());  // 10 at start without any frame
    EXPECT_FALSE(second());  // 9: nothing arrived
    state.link_alive = 10;   // a frame was accepted
    EXPECT_TRUE(second());
    EXPECT_FALSE(second());
}

TEST_F(TimersTest, display_tick_shows_warning_while_shutdown_or_link_lost_and_hides_otherwise) {
    timers.display_tick();
    EXPECT_EQ(duties.log, (std::vector<std::string>{"hide", "close-help", "picture"}));
    duties.log.clear();
    duties.help_from_history = true;
    timers.display_tick();
    EXPECT_EQ(duties.count("close-help"), 0);

    state.link_alive = 0;
    duties.log.clear();
    timers.display_tick();  // third tick
    EXPECT_EQ(duties.log, (std::vector<std::string>{"show", "message", "picture"}));

    state.link_alive = 10;
    state.status.set(off::shutdown_node, 14);
    state.status.set(off::shutdown_code, 5);
    duties.log.clear();
    for (int i = 0; i < 7; ++i) timers.display_tick();
    EXPECT_EQ(duties.count("help"), 7);
    EXPECT_EQ(timers.help_animation_frame(), 0u);  // seven steps come round
    timers.display_tick();
    EXPECT_EQ(timers.help_animation_frame(), 1u);
}

TEST_F(TimersTest, every_third_display_tick_sets_blink_bit_1_until_read) {
    std::vector<bool> seen;
    for (int i = 0; i < 6; ++i) {
        timers.display_tick();
        seen.push_back(timers.take_third_tick_flag());
    }
    EXPECT_EQ(seen, (std::vector<bool>{false, false, true, false, false, true}));
    EXPECT_FALSE(timers.take_third_tick_flag());
}

}  // namespace
}  // namespace dryer::shell
