// The 24-hour data log: the record, file names, rotation across file
// boundaries, the reader's page positions, stray and extra files, sampling.
#include <gtest/gtest.h>

#include <set>

#include "data_logs_support.h"
#include "logging/day_log/day_log.h"
#include "logging/long_term_log/long_term_log.h"

namespace dryer::logging {
namespace {

using test::clock_at;
using test::plus_seconds;
using test::TempRoot;
using test::write_bytes;

// A record numbered g (bytes 0-1) so pages can be checked by number.
SampleRecord numbered(unsigned g) {
    SampleRecord r{};
    r[0] = static_cast<std::uint8_t>(g >> 8);
    r[1] = static_cast<std::uint8_t>(g & 0xFF);
    return r;
}

std::string file_of(unsigned first, unsigned count) {
    std::string bytes;
    for (unsigned g = first; g < first + count; ++g) {
        const auto r = numbered(g);
        bytes.append(r.begin(), r.end());
    }
    return bytes;
}

std::vector<unsigned> numbers(const DayPage& page) {
    std::vector<unsigned> out;
    for (const auto& r : page.records) out.push_back(sample_values(r).grain_column_temp);
    return out;
}

std::vector<unsigned> range(unsigned first, unsigned last) {
    std::vector<unsigned> out;
    for (unsigned g = first; g <= last; ++g) out.push_back(g);
    return out;
}

TEST(DayLogRecord, CapturesStatusAndClockBigEndian) {
    link::ByteImage status;
    test::fill_status(status);
    const auto r = capture_sample_record(status, clock_at(2026, 12, 8, 13, 45, 7), SampleRecord{});
    const SampleRecord expected{0x00, 0x96, 0x02, 0x58, 0x00, 0xCD, 0x03, 0xB8, 0x00, 0x9A, 0, 45, 0, 13, 45, 7, 12, 8};
    EXPECT_EQ(r, expected);
    using namespace link::off;
    status.set_u16le(value_91, 258);  // each reading sits low byte first in the image
    status.set_u16le(value_89, 7);
    SampleRecord previous{};
    previous[0] = 0x12;
    previous[1] = 0x34;
    const std::pair<std::uint8_t, unsigned> selectors[] = {{1, 258}, {2, 7}, {3, 0x1234}, {255, 0x1234}};
    for (const auto& [selector, reading] : selectors) {
        status.set(status_184, selector);
        EXPECT_EQ(sample_values(capture_sample_record(status, {}, previous)).grain_column_temp, reading) << +selector;
    }
}

TEST(DayLogNames, NameAndItsTime) {
    EXPECT_EQ(day_log_file_name(clock_at(2024, 3, 15, 13, 45, 7)), "DATA_LOG_24HR24_03_15_13_45_07.DAT");
    const struct {
        const char* name;
        bool matches;
        bool has_time;
    } rows[] = {
        {"DATA_LOG_24HR24_03_15_13_45_07.DAT", true, true},
        {"data_log_24hr24_03_15_13_45_07.dat", true, true},
        {"DATA_LOG_24HRxx_03_15_13_45_07.DAT", true, false},
        {"DATA_LOG_24HR24_13_15_13_45_07.DAT", true, false},
        {"DATA_LOG_24HR24_03_15_24_45_07.DAT", true, false},
        {"DATA_LOG_24HR24_03_15_13_45_07.DAT.SET_ASIDE", false, false},
        {"DATA_LOG_24HR24-03_15_13_45_07.DAT", false, false},
        {"GRAPH_DATA_LOG_24HR24_03_15_13_45_07.DAT", false, false},
    };
    for (const auto& r : rows) {
        EXPECT_EQ(day_log_name_matches(r.name), r.matches) << r.name;
        EXPECT_EQ(day_log_name_time(r.name).has_value(), r.has_time) << r.name;
    }
}

TEST(DayLog, RotatesAcrossFileBoundaries) {
    TempRoot root;
    DayLog log;
    auto now = clock_at(2026, 12, 8, 6, 0, 0);
    const auto append = [&](unsigned g) {
        now = plus_seconds(now, 600);
        return log.append_sample(numbered(g), now);
    };
    for (unsigned g = 0; g < 144; ++g) ASSERT_EQ(append(g), DayAppend::written);
    ASSERT_EQ(log.enumerate().size(), 1u);
    ASSERT_EQ(append(144), DayAppend::written);  // the first file is full: a second starts
    auto files = log.enumerate();
    ASSERT_EQ(files.size(), 2u);
    EXPECT_EQ(files[0].size, kDayLogFullSize);
    EXPECT_EQ(files[1].size, kSampleRecordSize);
    for (unsigned g = 145; g < 288; ++g) ASSERT_EQ(append(g), DayAppend::written);
    EXPECT_EQ(log.enumerate().size(), 2u);
    EXPECT_EQ(log.record_count(), 144u);
    ASSERT_EQ(append(288), DayAppend::written);  // both full: the older goes
    files = log.enumerate();
    ASSERT_EQ(files.size(), 2u);
    EXPECT_EQ(files[0].size, kDayLogFullSize);
    EXPECT_EQ(files[1].size, kSampleRecordSize);
    EXPECT_EQ(numbers(log.read_page(3, 0)), range(286, 288));
    EXPECT_TRUE(log.set_aside().empty());
    EXPECT_TRUE(log.delete_all());
    EXPECT_TRUE(log.enumerate().empty());
    EXPECT_EQ(log.read_page(8, 0).records.size(), 0u);
}

// Two files: the older holds records 0-143, the newer 144-153 (m = 10).
TEST(DayLog, PagesFromTheEnd) {
    TempRoot root;
    write_bytes(root.day_folder() / "DATA_LOG_24HR26_12_07_06_00_00.DAT", file_of(0, 144));
    write_bytes(root.day_folder() / "DATA_LOG_24HR26_12_08_06_00_00.DAT", file_of(144, 10));
    const struct {
        const char* name;
        std::size_t count, skip;
        std::vector<unsigned> expected;
    } rows[] = {
        {"newest page", 8, 0, range(146, 153)},
        {"newer file only", 8, 2, range(144, 151)},
        {"across the boundary", 8, 5, range(141, 148)},
        {"older file only", 8, 10, range(136, 143)},
        {"beyond the oldest clamps to the first", 8, 150, range(0, 7)},
        {"whole newer and part of older", 20, 0, range(134, 153)},
    };
    DayLog log;
    for (const auto& r : rows) {
        const auto page = log.read_page(r.count, r.skip);
        EXPECT_EQ(page.status, PageStatus::ok) << r.name;
        EXPECT_EQ(numbers(page), r.expected) << r.name;
    }
    EXPECT_EQ(log.record_count(), 144u);
}

TEST(DayLog, SingleShortFileAndMisalignedSizeKeepNewestAligned) {
    TempRoot root;
    const auto name = root.day_folder() / "DATA_LOG_24HR26_12_08_06_00_00.DAT";
    write_bytes(name, "garbage" + file_of(1, 5));  // size 97: not a multiple of 18
    DayLog log;
    EXPECT_EQ(numbers(log.read_page(8, 0)), range(1, 5));
    EXPECT_EQ(log.record_count(), 5u);
    ASSERT_EQ(log.append_sample(numbered(6), clock_at(2026, 12, 8, 7, 0, 0)), DayAppend::written);
    EXPECT_EQ(numbers(log.read_page(3, 0)), range(4, 6));
}

// More than two log files: the newest two stay in use, the others (and a
// name without a valid time) are renamed aside, never deleted; a folder
// that matches the pattern is left alone.
TEST(DayLog, StrayAndExtraFilesAreSetAsideNotDeleted) {
    TempRoot root;
    const auto dir = root.day_folder();
    write_bytes(dir / "DATA_LOG_24HR26_12_06_06_00_00.DAT", file_of(0, 144));
    write_bytes(dir / "DATA_LOG_24HR26_12_07_06_00_00.DAT", file_of(144, 144));
    write_bytes(dir / "DATA_LOG_24HR26_12_08_06_00_00.DAT", file_of(288, 4));
    write_bytes(dir / "DATA_LOG_24HRab_cd_ef_gh_ij_kl.DAT", file_of(900, 2));
    write_bytes(dir / "DATA_LOG_24HR26_12_06_06_00_00.DAT.SET_ASIDE", "earlier");
    std::filesystem::create_directories(dir / "DATA_LOG_24HR26_12_09_06_00_00.DAT");
    DayLog log;
    EXPECT_EQ(numbers(log.read_page(6, 0)), range(286, 291));
    std::set<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(dir)) names.insert(e.path().filename().string());
    const std::set<std::string> expected{
        "DATA_LOG_24HR26_12_07_06_00_00.DAT",
        "DATA_LOG_24HR26_12_08_06_00_00.DAT",
        "DATA_LOG_24HR26_12_09_06_00_00.DAT",
        "DATA_LOG_24HR26_12_06_06_00_00.DAT.SET_ASIDE",
        "DATA_LOG_24HR26_12_06_06_00_00.DAT.SET_ASIDE.1",
        "DATA_LOG_24HRab_cd_ef_gh_ij_kl.DAT.SET_ASIDE",
    };
    EXPECT_EQ(names, expected);
    EXPECT_EQ(test::read_bytes(dir / "DATA_LOG_24HR26_12_06_06_00_00.DAT.SET_ASIDE"), "earlier");
    EXPECT_EQ(test::read_bytes(dir / "DATA_LOG_24HR26_12_06_06_00_00.DAT.SET_ASIDE.1"), file_of(0, 144));
    EXPECT_EQ(log.set_aside().size(), 2u);
    EXPECT_EQ(log.append_sample(numbered(292), clock_at(2026, 12, 8, 7, 0, 0)), DayAppend::written);
    EXPECT_EQ(numbers(log.read_page(2, 0)), range(291, 292));
}

TEST(DayLog, FaultsOnDiskLeaveWhatIsThere) {
    TempRoot root;
    write_bytes(root.day_folder(), "not a folder");
    DayLog log;
    EXPECT_EQ(log.append_sample(numbered(1), clock_at(2026, 1, 1, 0, 0, 0)), DayAppend::cannot_open);
    EXPECT_EQ(log.record_count(), 0u);
    EXPECT_EQ(log.read_page(8, 0).records.size(), 0u);
    EXPECT_EQ(test::read_bytes(root.day_folder()), "not a folder");
    std::filesystem::remove(root.day_folder());
    write_bytes(root.day_folder() / "DATA_LOG_24HR26_12_08_06_00_00.DAT", file_of(1, 2));
    {
        test::FileSizeLimit full(40);  // the disk fills in the middle of a record
        EXPECT_EQ(log.append_sample(numbered(3), clock_at(2026, 1, 1, 0, 0, 0)), DayAppend::write_failed);
    }
    EXPECT_EQ(numbers(log.read_page(8, 0)), range(1, 2));
    EXPECT_EQ(std::filesystem::file_size(root.day_folder() / "DATA_LOG_24HR26_12_08_06_00_00.DAT"), 36u);
}

TEST(DayLogSampling, TimedEverySampleTimeTimes60Plus1Ticks) {
    TempRoot root;
    link::ByteImage status;
    test::fill_status(status);
    DayLog log;
    log.set_sample_time(1);
    std::vector<int> written;
    auto now = clock_at(2026, 12, 8, 6, 0, 0);
    for (int tick = 0; tick < 130; ++tick) {
        now = plus_seconds(now, 1);
        if (log.sampling_step(status, numbered(tick), now).append) written.push_back(tick);
        if (tick == 100) log.restart_countdown();
    }
    EXPECT_EQ(written, (std::vector<int>{0, 61, 101}));
}

TEST(DayLogSampling, SamplerDrivenOneShotRearmedByBitOne) {
    TempRoot root;
    using namespace link::off;
    link::ByteImage status;
    test::fill_status(status);
    status.set(options_293, 0x80);
    DayLog log;
    const struct {
        std::uint8_t state;
        std::uint8_t moisture_low;
        bool appends;
    } rows[] = {
        {0x02, 0x9A, true},  {0x02, 0x9A, false}, {0x03, 0x9A, false}, {0x01, 0x9A, false},
        {0x02, 0x00, false}, {0x02, 0x9A, true},  {0x00, 0x9A, false}, {0x02, 0x9A, false},
    };
    int i = 0;
    for (const auto& r : rows) {
        status.set(status_292, r.state);
        status.set(moisture_189 + 1, r.moisture_low);
        EXPECT_EQ(log.sampling_step(status, numbered(0), clock_at(2026, 1, 1, 0, 0, i)).append.has_value(), r.appends)
            << "row " << i;
        ++i;
    }
}

}  // namespace
}  // namespace dryer::logging
