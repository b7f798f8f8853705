// The long-term CSV log: its exact bytes for a scripted run, the fill level
// and its one-time warning, torn last lines, and faults on disk.
#include <gtest/gtest.h>

#include "data_logs_support.h"
#include "logging/long_term_log/long_term_log.h"

namespace dryer::logging {
namespace {

using test::clock_at;
using test::plus_seconds;
using test::read_bytes;
using test::TempRoot;
using test::write_bytes;

const std::string kHeader =
    "\r\nDate,Time,Grain Column Temp,Moist In,Grain Temp In,Moist Out,Grain Temp Out,MR Speed,BPH\r\n";

struct LineRow {
    const char* name;
    int hour, minute, second;
    std::uint16_t moisture_out;
    const char* line;
};

TEST(LongTermLine, FormatsClockAndTenths) {
    const LineRow rows[] = {
        {"midnight", 0, 0, 0, 154, "2026-03-05,12:00:00AM,150,20.5,60.0,15.4,95.2,45,300\r\n"},
        {"noon", 12, 0, 0, 5, "2026-03-05,12:00:00PM,150,20.5,60.0,0.5,95.2,45,300\r\n"},
        {"afternoon", 13, 5, 9, 0, "2026-03-05,01:05:09PM,150,20.5,60.0,0.0,95.2,45,300\r\n"},
        {"morning", 11, 59, 59, 65535, "2026-03-05,11:59:59AM,150,20.5,60.0,6553.5,95.2,45,300\r\n"},
    };
    for (const auto& r : rows) {
        link::ByteImage status;
        test::fill_status(status);
        status.set_u16be(link::off::moisture_189, r.moisture_out);
        const auto s = capture_long_term_sample(status, clock_at(2026, 3, 5, r.hour, r.minute, r.second), 0);
        EXPECT_EQ(long_term_data_line(s), r.line) << r.name;
    }
}

TEST(LongTermFill, LevelAtItsEdges) {
    const struct {
        std::uint64_t size;
        int fill;
    } rows[] = {{0, 0}, {52'429, 1}, {3'722'444, 70}, {3'722'445, 71}, {5'242'879, 99}, {5'242'880, 100}, {9'000'000, 100}};
    for (const auto& r : rows) EXPECT_EQ(long_term_fill_level(r.size), r.fill) << r.size;
}

// Runs ticks one second apart from start; returns the results.
std::vector<LongTermTick> run(LongTermLog& log, link::ByteImage& status, platform::LocalTime start, int ticks) {
    std::vector<LongTermTick> out;
    for (int i = 0; i < ticks; ++i) {
        out.push_back(log.second_tick(status, plus_seconds(start, i)));
        log.set_dryer_running(dryer_running(status));
    }
    return out;
}

TEST(LongTermLog, ScriptedRunsWriteExactBytes) {
    TempRoot root;
    link::ByteImage status;
    test::fill_status(status);
    {
        LongTermLog log;
        auto ticks = run(log, status, clock_at(2026, 12, 8, 23, 59, 48), 13);
        // The first tick samples while the log's running flag is still clear.
        ASSERT_TRUE(ticks[0].sampled);
        EXPECT_EQ(ticks[0].code, LongTermCode::not_running);
        for (int i = 1; i < 12; ++i) EXPECT_FALSE(ticks[i].sampled) << i;
        EXPECT_EQ(ticks[12].code, LongTermCode::written);
        status.set_u16be(link::off::moisture_189, 5);
        ticks = run(log, status, clock_at(2026, 12, 9, 0, 0, 1), 12);
        EXPECT_EQ(ticks[11].code, LongTermCode::written);
    }
    {
        LongTermLog next_run;
        run(next_run, status, clock_at(2026, 12, 9, 11, 59, 48), 13);
    }
    EXPECT_EQ(read_bytes(root.csv()), kHeader + "2026-12-09,12:00:00AM,150,20.5,60.0,15.4,95.2,45,300\r\n" +
                                          "2026-12-09,12:00:12AM,150,20.5,60.0,0.5,95.2,45,300\r\n" + kHeader +
                                          "2026-12-09,12:00:00PM,150,20.5,60.0,0.5,95.2,45,300\r\n");
}

TEST(LongTermLog, DisabledOrStoppedWritesNothingButKeepsTheLevel) {
    TempRoot root;
    link::ByteImage status;
    test::fill_status(status);
    status.set(link::off::day_logger_289, 0);
    LongTermLog log;
    const auto t = log.second_tick(status, clock_at(2026, 1, 1, 8, 0, 0));
    EXPECT_TRUE(t.sampled);
    EXPECT_FALSE(t.code.has_value());
    EXPECT_TRUE(std::filesystem::exists(root.csv()));
    EXPECT_EQ(std::filesystem::file_size(root.csv()), 0u);
}

TEST(LongTermLog, SizeWarningOnceAbove70AndNothingWrittenWhenFull) {
    TempRoot root;
    link::ByteImage status;
    test::fill_status(status);
    LongTermLog log;  // running flag stays clear: samples refresh the level only
    const auto sample_with_size = [&](std::uint64_t size) {
        write_bytes(root.csv(), std::string(size - 2, 'x') + "\r\n");
        auto ticks = run(log, status, clock_at(2026, 1, 1, 8, 0, 0), 12);
        log.set_dryer_running(false);
        return ticks[0];
    };
    auto t = sample_with_size(3'722'444);
    EXPECT_EQ(t.fill_level, 70);
    EXPECT_FALSE(t.size_warning_due);
    t = sample_with_size(3'722'445);
    EXPECT_EQ(t.fill_level, 71);
    EXPECT_TRUE(t.size_warning_due);
    t = sample_with_size(4'000'000);
    EXPECT_FALSE(t.size_warning_due);
    log.set_dryer_running(true);
    write_bytes(root.csv(), std::string(kLongTermLogLimit - 2, 'x') + "\r\n");
    EXPECT_EQ(log.write_sample_line({}), LongTermCode::full);
    EXPECT_EQ(log.fill_level(), 100);
    EXPECT_EQ(std::filesystem::file_size(root.csv()), kLongTermLogLimit);
}

// A line torn by a power loss at any byte is cut back before the run's first
// line, so the file reads as whole lines again; a long tail without any line
// end (not a line of ours) is completed instead.
TEST(LongTermLog, TornLastLineIsCutBackBeforeTheFirstAppend) {
    const std::string kept = kHeader + "2026-12-09,12:00:00AM,150,20.5,60.0,15.4,95.2,45,300\r\n";
    const std::string torn = "2026-12-09,12:00:12AM,150,20.5,60.0,0.5,95.2,45,300\r\n";
    const std::string next = "2027-01-01,12:00:00AM,0,0.0,0.0,0.0,0.0,0,0\r\n";
    for (std::size_t cut = 0; cut < torn.size(); ++cut) {
        TempRoot root;
        write_bytes(root.csv(), kept + torn.substr(0, cut));
        LongTermLog log;
        log.set_dryer_running(true);
        LongTermSample s;
        s.time = clock_at(2027, 1, 1, 0, 0, 0);
        ASSERT_EQ(log.write_sample_line(s), LongTermCode::written);
        EXPECT_EQ(read_bytes(root.csv()), kept + kHeader + next) << "cut at " << cut;
    }
    TempRoot root;
    const std::string foreign(5000, 'y');
    write_bytes(root.csv(), foreign);
    LongTermLog log;
    log.set_dryer_running(true);
    LongTermSample s;
    s.time = clock_at(2027, 1, 1, 0, 0, 0);
    ASSERT_EQ(log.write_sample_line(s), LongTermCode::written);
    EXPECT_EQ(read_bytes(root.csv()), foreign + "\r\n" + kHeader + next);
}

TEST(LongTermLog, FaultsOnDiskLeaveWhatIsThere) {
    LongTermSample s;
    {
        TempRoot root;  // a folder where the file should be
        std::filesystem::create_directories(root.csv());
        LongTermLog log;
        log.set_dryer_running(true);
        EXPECT_EQ(log.write_sample_line(s), LongTermCode::cannot_open);
        EXPECT_TRUE(std::filesystem::is_directory(root.csv()));
    }
    {
        TempRoot root;  // a file where the folder should be
        write_bytes(root.csv().parent_path(), "keep");
        LongTermLog log;
        log.set_dryer_running(true);
        EXPECT_EQ(log.write_sample_line(s), LongTermCode::cannot_open);
        EXPECT_EQ(read_bytes(root.csv().parent_path()), "keep");
    }
    {
        TempRoot root;  // the disk fills in the middle of a line
        write_bytes(root.csv(), "old\r\n");
        LongTermLog log;
        log.set_dryer_running(true);
        LongTermCode code;
        {
            test::FileSizeLimit full(40);
            code = log.write_sample_line(s);
        }
        EXPECT_EQ(code, LongTermCode::write_failed);
        EXPECT_EQ(read_bytes(root.csv()), "old\r\n");
        EXPECT_EQ(log.write_sample_line(s), LongTermCode::written);
        EXPECT_EQ(read_bytes(root.csv()).substr(0, 5 + kHeader.size()), "old\r\n" + kHeader);
    }
}

}  // namespace
}  // namespace dryer::logging
