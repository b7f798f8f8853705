// The 24-hour data log: 18-byte sample records in at most two files
// "DATA_LOG_24HRyy_MM_dd_HH_mm_ss.DAT" in "ShortTermDataLog" under the storage
// root, 144 records (2,592 bytes) to a full file, the newest 144 shown.
//
// A file's age is the date and time in its name (the moment the panel made
// it). Every operation looks at the folder afresh and keeps the two newest
// log files; stray and extra files are set aside by renaming them
// (logging/sample_files).
//
// Reading positions count from the end of a file, so a file whose size is not
// a multiple of 18 keeps its newest records aligned as written. Each record
// is on storage (write, then fdatasync) before an append returns; a failed or
// short write is cut back. No Qt; user-interface thread.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "link/images.h"
#include "logging/sample_files/sample_files.h"
#include "platform/time_format.h"

namespace dryer::logging {

inline constexpr std::size_t kSampleRecordSize = kRecordBytes;
inline constexpr std::uint64_t kDayLogFullSize = 2'592;  // 144 records
inline constexpr std::size_t kDayLogShownRecords = 144;

// The 18-byte sample record, shared with the graph data log. Big-endian:
// 0-1 grain column temperature (whole F), 2-3 incoming grain temperature
// (tenths F), 4-5 incoming moisture (tenths %), 6-7 outgoing grain
// temperature (tenths F), 8-9 outgoing moisture (tenths %), 10 zero, 11 meter
// roll speed (%), 12 zero, 13 hour 0-23, 14 minute, 15 second, 16 month,
// 17 day of month.
using SampleRecord = std::array<std::uint8_t, kSampleRecordSize>;

// The values of a record as the screens use them.
struct SampleValues {
    std::uint16_t grain_column_temp = 0;
    std::uint16_t grain_temp_in = 0;
    std::uint16_t moisture_in = 0;
    std::uint16_t grain_temp_out = 0;
    std::uint16_t moisture_out = 0;
    std::uint8_t meter_roll_speed = 0;
    std::uint8_t hour = 0, minute = 0, second = 0, month = 0, day = 0;
};

// Returns the record of the status image and clock; bytes 0-1 are copied
// from previous when the grain-temperature sensor selector is not 0, 1, 2.
SampleRecord capture_sample_record(const link::ByteImage& status, const platform::LocalTime& now,
                                   const SampleRecord& previous);

// Returns the values held by a record.
SampleValues sample_values(const SampleRecord& record);

// Returns the file name for a file made at that time,
// e.g. "DATA_LOG_24HR26_12_08_13_45_07.DAT".
std::string day_log_file_name(const platform::LocalTime& made);

// Returns whether a name matches "DATA_LOG_24HR??_??_??_??_??_??.DAT" (letters
// in any case).
bool day_log_name_matches(std::string_view name);

// Returns the file time of the date and time in a matching name (years
// 2000-2099), or nothing when the name carries no valid date and time.
std::optional<std::int64_t> day_log_name_time(std::string_view name);

// One kept log file.
using DayLogFile = SampleFile;

using DayAppend = RecordAppend;
enum class PageStatus { ok, open_failed, read_failed };

// A page of records, oldest first; with an error status no records.
struct DayPage {
    std::vector<SampleRecord> records;
    PageStatus status = PageStatus::ok;
};

// What the sampling duty did on one tick.
struct DayTick {
    std::optional<DayAppend> append;  // set when a record was due
    bool redraw = false;              // the 24-hour screen is to be redrawn
};

class DayLog {
public:
    // The log in "ShortTermDataLog" under the storage root (decided afresh on
    // every operation).
    DayLog();
    // The log in an explicit folder.
    explicit DayLog(std::filesystem::path folder);

    // Returns the kept log files, oldest first (at most two), after setting
    // stray and extra files aside. Directories and other non-regular entries
    // that match the pattern are skipped.
    std::vector<DayLogFile> enumerate();

    // Appends one record: to the newer file while it is not full, otherwise
    // to a new file named from now; when two full files exist the older is
    // deleted first. Returns what happened.
    DayAppend append_sample(const SampleRecord& record, const platform::LocalTime& now);

    // Returns the records in the kept files, at most 144.
    std::size_t record_count();

    // Returns up to count records, oldest first, ending skip records before
    // the newest one, across the two files.
    DayPage read_page(std::size_t count, std::size_t skip);

    // Deletes the kept log files ("CLEAR TABLE"). Returns true when none is left.
    bool delete_all();

    // The sampling duty of the one-second tick while the dryer runs. Timed
    // (status 293 bit 7 clear): a record when the countdown, tested before its
    // decrement, is 0 or less; it is then reloaded with sample time x 60.
    // Sampler-driven (bit set): one record when status 292 has bit 1 (value 2)
    // set and status 190 is non-zero, re-armed by a tick that sees bit 0
    // (value 1) without that condition.
    DayTick sampling_step(const link::ByteImage& status, const SampleRecord& record,
                          const platform::LocalTime& now);

    // Sets the sample time in minutes; 0 samples as 1 minute.
    void set_sample_time(unsigned minutes) { sample_minutes_ = minutes == 0 ? 1 : minutes; }
    unsigned sample_time() const { return sample_minutes_; }
    // Makes the next running tick write a record (the sample-time dialog's accept).
    void restart_countdown() { countdown_ = 0; }

    // Returns the files set aside so far by this object (full paths).
    const std::vector<std::filesystem::path>& set_aside() const { return set_aside_; }

    std::filesystem::path folder() const;

private:
    std::optional<std::filesystem::path> folder_;
    std::vector<std::filesystem::path> set_aside_;
    unsigned sample_minutes_ = 10;
    long countdown_ = 0;
    bool sampler_fired_ = false;
};

}  // namespace dryer::logging
