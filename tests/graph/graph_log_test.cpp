// The graph data log: axis scaling, rotation at the full-file boundaries, the
// window read across two files, its offsets and its cache.
#include <gtest/gtest.h>

#include <fstream>
#include <vector>

#include "logging/graph_log/graph_log.h"
#include "tests/data_logs/data_logs_support.h"

namespace dryer::logging {
namespace {

using test::clock_at;
using test::plus_seconds;

struct AxisRow {
    const char* name;
    std::vector<int> values;
    int base, step;
};

class AxisScaling : public ::testing::TestWithParam<AxisRow> {};

TEST_P(AxisScaling, gives_base_and_step_and_keeps_every_value_on_the_axis) {
    const AxisRow& row = GetParam();
    const GraphAxis axis = scale_graph_axis(row.values);
    EXPECT_EQ(axis.base, row.base);
    EXPECT_EQ(axis.step, row.step);
    for (int v : row.values) {
        const int h = graph_point_height(v, axis);
        EXPECT_GE(h, 0) << v;
        EXPECT_LE(h, kGraphPlotHeight) << v;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, AxisScaling,
    ::testing::Values(AxisRow{"narrow_150_to_152", {150, 151, 152}, 150, 2},  // 150, 152, ..., 158
                      AxisRow{"wide_0_to_900", {0, 450, 900}, 0, 225},        // 0, 225, ..., 900
                      AxisRow{"flat_zero", {0, 0}, 0, 1},
                      AxisRow{"negative_minimum_floors_the_base", {-25, 0, 40}, -40, 20},
                      AxisRow{"negative_small_span", {-5, 3}, -6, 3},
                      AxisRow{"negative_on_a_step", {-30, -10}, -30, 10},
                      AxisRow{"full_signed_range", {-32768, 32767}, -32800, 16391}),
    [](const ::testing::TestParamInfo<AxisRow>& row) { return std::string(row.param.name); });

TEST(GraphAxisHeight, is_truncated_and_clamped_to_the_plot) {
    const GraphAxis axis{0, 225};
    EXPECT_EQ(graph_point_height(450, axis), 90);
    EXPECT_EQ(graph_point_height(901, axis), kGraphPlotHeight);  // the top step grows truncated
    EXPECT_EQ(graph_point_height(-1, axis), 0);
    EXPECT_EQ(graph_point_height(-25, GraphAxis{-40, 20}), 33);
}

SampleRecord record_with(int moisture_in, const platform::LocalTime& t, int temp_in_tenths = 0) {
    SampleRecord r{};
    r[4] = static_cast<std::uint8_t>(moisture_in >> 8);
    r[5] = static_cast<std::uint8_t>(moisture_in);
    r[2] = static_cast<std::uint8_t>(static_cast<std::uint16_t>(temp_in_tenths) >> 8);
    r[3] = static_cast<std::uint8_t>(temp_in_tenths);
    r[13] = static_cast<std::uint8_t>(t.hour);
    r[14] = static_cast<std::uint8_t>(t.minute);
    r[16] = static_cast<std::uint8_t>(t.month);
    r[17] = static_cast<std::uint8_t>(t.day);
    return r;
}

class GraphFiles : public ::testing::Test {
protected:
    test::TempRoot root;
    GraphLog log;
    const platform::LocalTime start = clock_at(2026, 12, 1, 6, 0, 0);

    std::filesystem::path folder() const { return root.path() / "Hard Disk" / "GraphDataLog"; }

    // Writes a file made at `made` with n records whose incoming moisture
    // counts up from `first`, one record every 10 seconds.
    void write_file(const platform::LocalTime& made, int n, int first) {
        std::filesystem::create_directories(folder());
        std::ofstream out(folder() / ("GRAPH_DATA_LOG_24HR" + platform::format_picture("yy'_'MM'_'dd'_'HH'_'mm'_'ss", made) + ".DAT"),
                          std::ios::binary);
        for (int i = 0; i < n; ++i) {
            const auto r = record_with(first + i, plus_seconds(made, 10LL * i));
            out.write(reinterpret_cast<const char*>(r.data()), static_cast<std::streamsize>(r.size()));
        }
    }
    std::vector<std::uint64_t> sizes() {
        std::vector<std::uint64_t> s;
        for (const auto& f : log.enumerate()) s.push_back(f.size);
        return s;
    }
};

constexpr int kFullRecords = static_cast<int>(kGraphFileFullSize / kSampleRecordSize);

TEST_F(GraphFiles, appends_start_the_folder_and_a_full_file_starts_a_second_then_the_older_goes) {
    EXPECT_TRUE(log.append(record_with(1, start), start));
    EXPECT_EQ(sizes(), (std::vector<std::uint64_t>{18}));

    std::filesystem::remove_all(folder());
    write_file(start, kFullRecords, 0);
    const auto later = plus_seconds(start, 86'400);
    ASSERT_TRUE(log.append(record_with(7, later), later));
    EXPECT_EQ(sizes(), (std::vector<std::uint64_t>{kGraphFileFullSize, 18}));

    std::filesystem::remove_all(folder());
    write_file(start, kFullRecords, 0);
    write_file(later, kFullRecords, 0);
    const auto third = plus_seconds(later, 86'400);
    ASSERT_TRUE(log.append(record_with(7, third), third));
    const auto files = log.enumerate();
    ASSERT_EQ(files.size(), 2u);
    EXPECT_EQ(files[0].made, platform::to_file_time(later));
    EXPECT_EQ(files[1].made, platform::to_file_time(third));
    EXPECT_EQ(files[1].size, 18u);
}

TEST_F(GraphFiles, a_third_file_is_set_aside_not_read) {
    write_file(start, 10, 0);
    write_file(plus_seconds(start, 3600), 10, 0);
    write_file(plus_seconds(start, 7200), 10, 0);
    EXPECT_EQ(log.enumerate().size(), 2u);
    ASSERT_EQ(log.set_aside().size(), 1u);
    EXPECT_TRUE(std::filesystem::exists(log.set_aside()[0]));
}

TEST_F(GraphFiles, sampling_appends_on_every_tenth_call) {
    std::vector<int> appended;
    for (int tick = 1; tick <= 25; ++tick)
        if (log.sampling_step(record_with(tick, start), plus_seconds(start, tick))) appended.push_back(tick);
    EXPECT_EQ(appended, (std::vector<int>{10, 20}));
    EXPECT_EQ(sizes(), (std::vector<std::uint64_t>{36}));
}

TEST_F(GraphFiles, half_an_hour_in_the_one_hour_window_leaves_the_left_half_zero) {
    write_file(start, 180, 100);
    const GraphWindow& w = log.window(0, 0);
    const auto& moist = w.points[static_cast<std::size_t>(GraphTrace::moisture_in)];
    for (std::size_t i = 0; i < 180; ++i) ASSERT_EQ(moist[i], 0) << i;
    for (std::size_t i = 180; i < 360; ++i) ASSERT_EQ(moist[i], static_cast<int>(100 + i - 180)) << i;
    EXPECT_EQ(w.first, (GraphTime{0, 0, 0, 0}));
    EXPECT_EQ(w.middle, (GraphTime{6, 0, 12, 1}));
    EXPECT_EQ(w.last, (GraphTime{6, 29, 12, 1}));
    EXPECT_EQ(w.hours_available, 0u);
    EXPECT_EQ(w.max_offset, 0u);
}

TEST_F(GraphFiles, the_window_reads_the_older_file_first_and_averages_k_records) {
    write_file(start, 200, 1000);                    // 1000..1199
    write_file(plus_seconds(start, 5000), 300, 1200);  // 1200..1499
    const auto two = log.window(1, 0).points[0];      // 720 records, 2 per point, 220 of them zero
    EXPECT_EQ(two[109], 0);
    EXPECT_EQ(two[110], (1000 + 1001) / 2);
    EXPECT_EQ(two[210], (1200 + 1201) / 2);
    EXPECT_EQ(two[359], (1498 + 1499) / 2);
    EXPECT_EQ(log.window(0, 0).points[0][0], 1140);  // one hour: the newest 360
}

TEST_F(GraphFiles, grain_temperatures_are_signed_tenths_shown_in_whole_degrees) {
    std::filesystem::create_directories(folder());
    for (int tenths : {-125, 655}) ASSERT_TRUE(log.append(record_with(0, start, tenths), start));
    const auto& temp = log.window(0, 0).points[static_cast<std::size_t>(GraphTrace::grain_temp_in)];
    EXPECT_EQ(temp[358], -12);
    EXPECT_EQ(temp[359], 65);
}

TEST_F(GraphFiles, thirty_hours_in_the_eight_hour_window_go_back_22_hours_to_the_oldest_record) {
    write_file(start, kFullRecords, 0);
    write_file(plus_seconds(start, 86'400), 6 * 360, kFullRecords);
    const GraphWindow& newest = log.window(3, 0);
    EXPECT_EQ(newest.max_offset, 22u);
    EXPECT_EQ(newest.hours_available, 24u);
    const GraphWindow& oldest = log.window(3, 22);
    EXPECT_EQ(oldest.points[0][0], (0 + 7) / 2);  // records 0..7 averaged
    EXPECT_EQ(log.window(3, 40).points[0][0], (0 + 7) / 2);  // beyond the maximum: still the oldest
}

TEST_F(GraphFiles, an_unchanged_folder_is_not_read_again_and_an_append_is_seen) {
    write_file(start, 400, 0);
    const std::uint64_t g = log.window(0, 0).generation;
    EXPECT_EQ(log.window(0, 0).generation, g);
    const auto t = plus_seconds(start, 4000);
    ASSERT_TRUE(log.append(record_with(9999, t), t));
    const GraphWindow& w = log.window(0, 0);
    const std::uint64_t g2 = w.generation;
    EXPECT_NE(g2, g);
    EXPECT_EQ(w.points[0][359], 9999);
    EXPECT_NE(log.window(1, 0).generation, g2);  // another scale is another window
}

}  // namespace
}  // namespace dryer::logging
