// The status chart's rows, scroll positions and the sample-time dialog's
// rules, without Qt; the stored sample time on real files.
#include <gtest/gtest.h>

#include "link/fields.h"
#include "tests/status_chart/chart_records.h"
#include "views/status_chart/sample_time_model.h"
#include "views/status_chart/status_chart_model.h"

namespace dryer::views {
namespace {

using test::make_record;
using test::RecordValues;

TEST(StatusChartRow, FormatsEachColumn) {
    struct Row {
        const char* name;
        RecordValues v;
        bool celsius;
        ChartRow want;
    };
    const Row rows[] = {
        {"midnight is 12 AM", {.hour = 0, .minute = 5}, false,
         {"12:05AM 12/8", "150°F", "20.5%", "15.4%", "95°F", "45 %"}},
        {"noon is 12 PM, Celsius", {.grain_out = 1000, .hour = 12, .minute = 30}, true,
         {"12:30PM 12/8", "65°C", "20.5%", "15.4%", "37°C", "45 %"}},
        {"below zero converts signed",  // -40 F and -40.5 F
         {.grain_column = 0xFFD8, .moisture_in = 5, .grain_out = 0xFE6B, .meter_roll = 100, .hour = 13, .minute = 0,
          .month = 1, .day = 31},
         true, {" 1:00PM 1/31", "-40°C", "0.5%", "15.4%", "-40°C", "100 %"}},
        {"tenths truncate", {.grain_out = 999, .hour = 23, .minute = 59}, false,
         {"11:59PM 12/8", "150°F", "20.5%", "15.4%", "99°F", "45 %"}},
    };
    for (const Row& r : rows)
        EXPECT_EQ(chart_row(logging::sample_values(make_record(r.v)), r.celsius), r.want) << r.name;
}

TEST(StatusChartScene, RunningCornerShowsTheFillLevelOrFull) {
    const TableTexts texts({{14, "ON"}, {15, "OFF"}, {243, "FULL"}});
    const struct {
        bool running;
        int level;
        const char* shown;
    } rows[] = {{true, 99, "99%"}, {true, 100, "FULL"}, {false, 50, "OFF"}};
    for (const auto& r : rows)
        EXPECT_NE(chart_scene({{}, r.running, r.level, false}, texts).find_text(r.shown), nullptr) << r.shown;
}

TEST(StatusChartScroll, PagesReachBothEndsAndTheHoldRunsOut) {
    struct Row {
        const char* name;
        std::size_t count, position;
        unsigned hold;
        std::size_t settled, skip;
        bool shown;
    };
    const Row rows[] = {
        {"five records: no scroll bar", 5, 0, 0, 0, 0, false},
        {"eight records: no scroll bar", 8, 0, 15, 0, 0, false},
        {"nine, oldest page", 9, 0, 15, 0, 1, true},
        {"nine, newest page", 9, 1, 15, 1, 0, true},
        {"full log, oldest page", 144, 0, 15, 0, 136, true},
        {"full log, one line on", 144, 1, 15, 1, 135, true},
        {"full log, newest page", 144, 136, 15, 136, 0, true},
        {"held past the end after a clear", 144, 140, 15, 136, 0, true},
        {"the log shrank under the hold", 20, 100, 3, 12, 0, true},
        {"hold run out", 144, 50, 0, 136, 0, true},
        {"hold still running", 144, 50, 1, 50, 86, true},
    };
    for (const Row& r : rows) {
        const std::size_t settled = chart_settle_position(r.position, r.count, r.hold);
        EXPECT_EQ(settled, r.settled) << r.name;
        EXPECT_EQ(chart_page_skip(r.count, settled), r.skip) << r.name;
        EXPECT_EQ(chart_scroll_shown(r.count), r.shown) << r.name;
    }
    EXPECT_EQ(chart_hold_after_scroll(136, 144), 0u);
    EXPECT_EQ(chart_hold_after_scroll(135, 144), kChartScrollHold);
    EXPECT_EQ(chart_hold_after_scroll(0, 5), 0u);
}

TEST(SampleTimeRules, OpeningAndAccepting) {
    struct Row {
        std::uint8_t stored;
        bool cycled;
        unsigned checked;
        bool one_minute;
        unsigned one_minute_text;
        bool store;
    };
    const Row rows[] = {
        {1, false, 1, true, 368, false},   {10, false, 10, true, 368, false}, {7, false, 5, true, 368, true},
        {0, false, 5, true, 368, true},    {1, true, 5, false, 84, false},    {15, true, 5, false, 84, false},
        {200, true, 5, false, 84, true},
    };
    for (const Row& r : rows) {
        const SampleTimeOpening o = sample_time_opening(r.stored, r.cycled);
        EXPECT_EQ(o.checked, r.checked) << int(r.stored) << " cycled " << r.cycled;
        EXPECT_EQ(o.one_minute_enabled, r.one_minute) << int(r.stored);
        EXPECT_EQ(o.one_minute_text, r.one_minute_text) << int(r.stored);
        EXPECT_EQ(o.store_replacement, r.store) << int(r.stored);
    }
    EXPECT_EQ(accepted_sample_time(std::nullopt, false), 5u);
    EXPECT_EQ(accepted_sample_time(15u, false), 15u);
    EXPECT_EQ(accepted_sample_time(1u, false), 1u);
    EXPECT_EQ(accepted_sample_time(1u, true), 5u);
}

TEST(SampleTimeRules, StoredSevenIsWrittenBackAsFiveAndAcceptStoresAndRestarts) {
    test::ChartRoot root;
    {
        logging::SettingsStore seed;
        ASSERT_TRUE(seed.write(logging::StoredKey::temp_data_log_sample_time, 7));
    }
    logging::DataLogs logs;
    logs.stored.load();
    logs.day.set_sample_time(logs.stored.settings().sample_time_minutes);
    link::ByteImage status;
    status.set(link::off::status_172, 0x01);
    EXPECT_EQ(open_sample_time(logs, status).checked, 5u);
    const auto stored_now = [] {
        logging::SettingsStore again;
        again.load();
        return again.raw(logging::StoredKey::temp_data_log_sample_time);
    };
    EXPECT_EQ(stored_now(), std::optional<std::uint8_t>(5));
    EXPECT_EQ(logs.day.sample_time(), 5u);

    const logging::SampleRecord rec = test::numbered(0);
    ASSERT_TRUE(logs.day.sampling_step(status, rec, test::clock_at(1, 0, 0)).append);  // countdown reloaded
    ASSERT_FALSE(logs.day.sampling_step(status, rec, test::clock_at(1, 0, 1)).append);
    EXPECT_TRUE(accept_sample_time(logs, 15));
    EXPECT_EQ(stored_now(), std::optional<std::uint8_t>(15));
    EXPECT_EQ(logs.day.sample_time(), 15u);
    EXPECT_TRUE(logs.day.sampling_step(status, rec, test::clock_at(1, 0, 2)).append);  // the next tick writes
}

}  // namespace
}  // namespace dryer::views
