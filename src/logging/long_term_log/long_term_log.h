// The long-term data log: one CSV line every 12 seconds while the dryer runs
// and logging is switched on, in "\Hard Disk\DataLog\LongTermDataLog.csv",
// capped at 5,242,880 bytes. 8-bit text, every line ended by CR LF, a header
// line (after an empty line) before the first data line of each program run.
//
// The moisture-in column is written like the other tenths columns, without a
// percent sign ("15.4"), so every tenths column reads alike in a spreadsheet.
//
// Each line is on storage (write, then fdatasync) before the call returns. A
// line that a power loss left without its CR LF is cut back before the first
// line of the run is added, so it never runs into the next line; a failed or
// short write is cut back the same way at once. No Qt; user-interface thread.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

#include "link/images.h"
#include "platform/time_format.h"

namespace dryer::logging {

inline constexpr std::uint64_t kLongTermLogLimit = 5'242'880;

// Returns true when the dryer runs: status 172 bit 0 or status 171 bit 6.
bool dryer_running(const link::ByteImage& status);

// Returns the grain column temperature of the sensor that status 184 selects
// (0, 1, 2 -> the readings at 93/94, 91/92, 89/90, high byte first), or
// nothing for another selector, in which case the caller keeps its last one.
std::optional<std::uint16_t> grain_column_temperature(const link::ByteImage& status);

// One captured sample of the long-term log (whole values, as written).
struct LongTermSample {
    std::uint16_t grain_column_temp = 0;  // whole degrees F
    std::uint16_t moisture_in = 0;        // tenths of a percent
    std::uint16_t grain_temp_in = 0;      // tenths of a degree F
    std::uint16_t moisture_out = 0;       // tenths of a percent
    std::uint16_t grain_temp_out = 0;     // tenths of a degree F
    std::uint8_t meter_roll_speed = 0;    // percent
    std::uint16_t bushels_per_hour = 0;
    std::uint8_t status_202 = 0;          // captured, never written
    platform::LocalTime time;
};

// Returns the sample of the status image and clock; grain_column_temp is
// taken from previous when the sensor selector is not 0, 1 or 2.
LongTermSample capture_long_term_sample(const link::ByteImage& status, const platform::LocalTime& now,
                                        std::uint16_t previous_grain_column_temp);

// Returns the header bytes written once per run: CR LF, the nine column
// names, CR LF.
std::string long_term_header();

// Returns the data line of a sample, CR LF included, e.g.
// "2026-12-08,01:05:09PM,150,15.4,60.0,0.5,95.2,45,300\r\n".
std::string long_term_data_line(const LongTermSample& sample);

// Returns the fill level in percent (0-100) of a log file of that size.
int long_term_fill_level(std::uint64_t size);

enum class LongTermCode {
    written = 0,          // header (if due) and line are on storage
    not_running = 1,      // dryer not running: nothing written
    cannot_open = 2,      // folder or file cannot be made or opened
    write_failed = 3,     // a short or failed write, cut back again
    full = 4,             // the file has reached the limit: nothing written
};

// What one second of the log's duty did.
struct LongTermTick {
    bool sampled = false;          // a 12-second sample was taken this tick
    bool logging_enabled = false;  // status 289 was 1 at the sample
    std::optional<LongTermCode> code;  // set when a line was attempted
    int fill_level = 0;            // the stored fill level after the tick
    bool size_warning_due = false; // ask "DATA LOG FILE SIZE WARNING" now (once per run)
};

class LongTermLog {
public:
    // The log at "\Hard Disk\DataLog\LongTermDataLog.csv" under the panel root.
    LongTermLog();
    // The log at an explicit file (its folder is created when missing).
    explicit LongTermLog(std::filesystem::path file);

    // The duty of the one-second tick. Returns what it did: every 12th tick
    // (the first tick included) it samples; with status 289 equal to 1 it
    // writes a line (when the dryer was running on the previous tick) and
    // may raise the size warning; otherwise it only creates the file if
    // missing and refreshes the fill level. Never throws.
    LongTermTick second_tick(const link::ByteImage& status, const platform::LocalTime& now);

    // Sets the log's copy of the dryer-running flag; the housekeeping calls it
    // after second_tick() on every tick.
    void set_dryer_running(bool running) { running_ = running; }

    // Writes one sample line now (the header first when it is due this run).
    // Returns the code; stores the fill level for written, not_running, full.
    LongTermCode write_sample_line(const LongTermSample& sample);

    // Returns the last computed fill level (0 until the first sample).
    int fill_level() const { return fill_level_; }

    // Removes the log file; returns true when it is gone afterwards.
    bool remove_file();

    const std::filesystem::path& file() const { return file_; }

private:
    std::filesystem::path file_;
    bool header_pending_ = true;
    bool tail_checked_ = false;
    bool running_ = false;
    bool warning_armed_ = true;
    unsigned countdown_ = 12;
    int fill_level_ = 0;
    std::uint16_t grain_column_temp_ = 0;
};

}  // namespace dryer::logging
