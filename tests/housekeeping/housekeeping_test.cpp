// The one-second housekeeping on scripted status sequences: which duty runs
// on which tick, against real log files in a temporary panel root, with the
// windows' side played by a recording duties object.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "link/fields.h"
#include "link/link_state.h"
#include "link/reply_table.h"
#include "logging/housekeeping/housekeeping.h"
#include "platform/panel_paths.h"
#include "tests/support/temp_root.h"

namespace dryer::housekeeping {
namespace {

namespace off = link::off;

struct RecordingDuties : HousekeepingDuties {
    std::vector<std::string> log;
    std::optional<bool> history_exit;                 // nothing: the history screen is not shown
    std::optional<BatchTimerPress> batch;             // nothing: the batch window is not shown
    bool press_ok = true;
    std::function<void()> while_box_open;             // runs inside the auto-start box
    std::vector<std::string> events;

    void feed_hourly_average() override { log.push_back("average"); }
    void ask_open_logger_setup() override { log.push_back("size-warning"); }
    void redraw_status_chart() override { log.push_back("chart"); }
    bool graph_sampling_step(const logging::SampleRecord&, const platform::LocalTime&) override {
        log.push_back("graph");
        return false;
    }
    void redraw_system_information_exit() override { log.push_back("sysinfo"); }
    std::optional<bool> history_exit_pressed() override { return history_exit; }
    std::optional<BatchTimerPress> batch_timer_buttons() override { return batch; }
    void ask_stage_reset(std::size_t group, bool single_heat) override {
        log.push_back("ask" + std::to_string(group) + (single_heat ? "dry" : ""));
    }
    bool show_auto_start_finished(const std::u16string&) override {
        log.push_back("auto-start");
        if (while_box_open) while_box_open();
        return press_ok;
    }
    void record_history_event(std::string_view text) override { events.emplace_back(text); }
};

struct HousekeepingTest : ::testing::Test {
    test_support::TempRoot root;
    link::LinkState state;
    RecordingDuties duties;
    std::unique_ptr<logging::DataLogs> logs;
    std::unique_ptr<Housekeeping> hk;
    platform::LocalTime now;

    void SetUp() override {
        platform::set_panel_root(root.path());
        logs = std::make_unique<logging::DataLogs>();
        hk = std::make_unique<Housekeeping>(state, *logs, duties);
        now = platform::LocalTime{2026, 12, 8, 2, 17, 42, 5, 0};  // Tuesday 17:42:05
    }
    // Runs one tick and returns the duties it called.
    std::vector<std::string> tick() {
        duties.log.clear();
        EXPECT_TRUE(hk->tick(now));
        ++now.second;
        return duties.log;
    }
    std::string long_term_text() const {
        std::ifstream in(logs->long_term.file(), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
};

using Log = std::vector<std::string>;

TEST_F(HousekeepingTest, duties_run_in_order_on_a_scripted_status_sequence) {
    state.values.rerecord_countdown = 2;
    logs->chart_scroll_hold = 2;
    state.status.set(off::day_logger_289, 1);  // long-term logging on
    state.status.set(off::status_171, 0x08);   // hourly average fed; not running
    EXPECT_EQ(tick(), (Log{"average", "chart", "sysinfo"}));
    // The clock goes to the controller every second, bytes before the flag.
    EXPECT_EQ(state.settings.get(off::clock_block + 0), 42);
    EXPECT_EQ(state.settings.get(off::clock_block + 1), 17);
    EXPECT_EQ(state.settings.get(off::clock_block + 2), 8);
    EXPECT_EQ(state.settings.get(off::clock_block + 3), 12);
    EXPECT_EQ(state.settings.get(off::clock_block + 4), 26);
    EXPECT_TRUE(state.flags.raised(link::row::clock));
    EXPECT_EQ(link::load(state.link_alive), 9u);
    EXPECT_EQ(link::load(state.values.rerecord_countdown), 1u);
    EXPECT_EQ(logs->chart_scroll_hold, 1u);

    state.status.set(off::status_171, 0x00);
    state.status.set(off::status_172, 0x01);  // the dryer runs from now on
    EXPECT_EQ(tick(), (Log{"chart", "graph", "sysinfo"}));
    EXPECT_TRUE(hk->state().dryer_running);
    EXPECT_EQ(logs->chart_scroll_hold, 0u);
    for (int i = 0; i < 8; ++i) tick();
    EXPECT_EQ(link::load(state.link_alive), 0u);  // lowered once a second, and not below 0
    EXPECT_EQ(link::load(state.values.rerecord_countdown), 0u);
    EXPECT_EQ(link::load(state.stats.losses), 1u);
    EXPECT_EQ(logs->chart_scroll_hold, 0u);

    state.status.set(off::status_172, 0x00);
    state.status.set(off::status_171, 0x40);  // running by the other bit
    EXPECT_EQ(tick(), (Log{"chart", "graph", "sysinfo"}));
    state.status.set(off::status_171, 0x00);
    EXPECT_EQ(tick(), (Log{"chart", "sysinfo"}));
    EXPECT_FALSE(hk->state().dryer_running);
}

TEST_F(HousekeepingTest, first_tick_samples_the_long_term_log_without_a_line_but_writes_a_day_record) {
    state.status.set(off::day_logger_289, 1);
    state.status.set(off::status_172, 0x01);  // running before the first tick
    tick();
    // The long-term log's copy of the running flag was still clear.
    EXPECT_EQ(long_term_text().find("2026-12-08,"), std::string::npos);
    EXPECT_EQ(logs->day.record_count(), 1u);
    // Twelve ticks later the next sample writes its line.
    for (int i = 0; i < 12; ++i) tick();
    EXPECT_NE(long_term_text().find("2026-12-08,"), std::string::npos);
    EXPECT_EQ(logs->day.record_count(), 1u);  // the next 24-hour record is due after the sample time
}

struct SetupButtonRow {
    std::uint8_t status_183;
    std::uint8_t options_225;
    std::uint8_t b36987, b36991, b34867;
};

TEST_F(HousekeepingTest, setup_buttons_follow_status_183_and_225) {
    const SetupButtonRow rows[] = {
        {0x00, 0x00, 0, 0, 1},
        {0x04, 0x00, 1, 0, 1},
        {0x02, 0x00, 0, 1, 1},
        {0x06, 0x20, 1, 0, 0},
        {0x02, 0x20, 0, 0, 0},
        {0xF9, 0xDF, 0, 0, 1},  // every other bit set
    };
    for (const SetupButtonRow& r : rows) {
        state.status.set(off::status_183, r.status_183);
        state.status.set(off::options_225, r.options_225);
        tick();
        SCOPED_TRACE(testing::Message() << int(r.status_183) << "/" << int(r.options_225));
        EXPECT_EQ(link::load(state.values.setup_button_36987), r.b36987);
        EXPECT_EQ(link::load(state.values.setup_button_36991), r.b36991);
        EXPECT_EQ(link::load(state.values.setup_button_34867), r.b34867);
    }
}

TEST_F(HousekeepingTest, batch_button_held_asks_on_its_second_tick_then_every_second_tick) {
    BatchTimerPress cool;
    cool.groups = {false, false, true, false};
    const BatchTimerPress none;
    // One row per second: what is down, and the question asked that second.
    const std::vector<std::pair<BatchTimerPress, Log>> rows = {
        {cool, {}}, {cool, {"ask2"}}, {cool, {}}, {cool, {"ask2"}},
        {none, {}}, {cool, {}},       {cool, {"ask2"}},  // a release starts the count again
    };
    for (std::size_t i = 0; i < rows.size(); ++i) {
        duties.batch = rows[i].first;
        Log asked;
        for (const std::string& d : tick())
            if (d.starts_with("ask")) asked.push_back(d);
        EXPECT_EQ(asked, rows[i].second) << "second " << i + 1;
    }
    // The single heat button asks its own text; a hidden window asks nothing.
    BatchTimerPress dry;
    dry.groups = {true, false, false, false};
    dry.single_heat = true;
    duties.batch = dry;
    tick();
    EXPECT_EQ(tick().back(), "ask0dry");
    duties.batch.reset();
    for (int i = 0; i < 3; ++i)
        for (const std::string& d : tick()) EXPECT_FALSE(d.starts_with("ask"));
}

TEST_F(HousekeepingTest, history_exit_hold_counts_while_the_screen_is_shown) {
    duties.history_exit = true;
    for (int i = 0; i < 7; ++i) tick();
    EXPECT_EQ(logs->history_exit_hold, 0);
    logs->history_exit_hold = 10;  // what a release after a full hold leaves
    duties.history_exit.reset();   // screen closed: the count is left alone
    tick();
    EXPECT_EQ(logs->history_exit_hold, 10);
    duties.history_exit = false;
    tick();
    EXPECT_EQ(logs->history_exit_hold, 5);
}

TEST_F(HousekeepingTest, auto_start_message_once_per_run_and_event_on_ok) {
    EXPECT_EQ(auto_start_message_file(0x80), "AutoStartFinishedMessageC.txt");
    EXPECT_EQ(auto_start_message_file(0x7F), "AutoStartFinishedMessageF.txt");
    tick();
    EXPECT_FALSE(hk->state().auto_start_message_shown);
    state.status.set(off::status_280, 0x80);
    EXPECT_EQ(tick().back(), "auto-start");
    EXPECT_EQ(duties.events, std::vector<std::string>{std::string(kAutoStartAcceptedEvent)});
    tick();
    state.status.set(off::status_280, 0x00);
    tick();
    state.status.set(off::status_280, 0x80);
    for (int i = 0; i < 3; ++i) EXPECT_NE(tick().back(), "auto-start");
    EXPECT_EQ(duties.events.size(), 1u);
}

TEST_F(HousekeepingTest, ticks_while_its_message_box_is_open_are_skipped) {
    state.status.set(off::status_280, 0x80);
    duties.press_ok = false;  // closed without OK: no history event
    std::vector<bool> nested;
    duties.while_box_open = [&] {
        // The timer fires in the box's nested event loop.
        for (int i = 0; i < 3; ++i) nested.push_back(hk->tick(now));
    };
    tick();
    EXPECT_EQ(nested, (std::vector<bool>{false, false, false}));
    EXPECT_EQ(link::load(state.link_alive), 9u);  // lowered once, by the outer tick
    EXPECT_TRUE(duties.events.empty());
    duties.while_box_open = nullptr;
    EXPECT_TRUE(hk->tick(now));
}

}  // namespace
}  // namespace dryer::housekeeping
