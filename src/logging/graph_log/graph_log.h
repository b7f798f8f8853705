// The graph data log and what the graph screen plots from it: 18-byte sample
// records appended every 10 seconds to at most two files
// "GRAPH_DATA_LOG_24HRyy_MM_dd_HH_mm_ss.DAT" in "\Hard Disk\GraphDataLog",
// 8,640 records (155,520 bytes, 24 hours) to a full file; the window of 1, 2,
// 4 or 8 hours read across the two files, reduced to 360 points per trace,
// and the value axes scaled to the points.
//
// A file's creation time is the date and time in its name (the moment the
// panel made it), as for the 24-hour log. Every operation looks at the folder
// afresh; more than two files (the panel never makes a third) keep the two
// newest, and the others are set aside by renaming (logging/sample_files).
// Each file counts in whole records from its end, so a torn head of a file
// never shifts the records behind it. No Qt; user-interface thread.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "logging/day_log/day_log.h"
#include "logging/sample_files/sample_files.h"
#include "platform/time_format.h"

namespace dryer::logging {

inline constexpr std::uint64_t kGraphFileFullSize = 155'520;  // 8,640 records, 24 hours
inline constexpr std::uint64_t kGraphHourRecords = 360;
inline constexpr std::uint64_t kGraphHourBytes = kGraphHourRecords * kSampleRecordSize;  // 6,480
inline constexpr std::size_t kGraphPoints = 360;
inline constexpr std::size_t kGraphTraceCount = 6;
inline constexpr unsigned kGraphMaxHoursShown = 24;
inline constexpr int kGraphPlotHeight = 180;  // height of the value axis in pixels
inline constexpr int kGraphSamplePeriod = 10;  // seconds between records

// The six traces in drawing order; the bit of each in GRAPH_TRACES_ON_OFF is
// its index.
enum class GraphTrace : std::uint8_t {
    moisture_in,       // record bytes 4-5, tenths of a percent
    grain_temp_in,     // bytes 2-3, tenths of a degree F (signed), plotted in whole degrees
    moisture_out,      // bytes 8-9, tenths of a percent
    grain_temp_out,    // bytes 6-7, tenths of a degree F (signed), plotted in whole degrees
    dryer_grain_temp,  // bytes 0-1, whole degrees F
    meter_roll_speed,  // bytes 10-11, percent
};

// Returns k, the records per point: 1, 2, 4 or 8 for scale 0-3 (others as 0).
unsigned graph_records_per_point(unsigned scale);

// Returns the plotted value of a trace in a record.
int graph_field(const SampleRecord& record, GraphTrace trace);

// A value axis: five values base + i x step, i = 0..4.
struct GraphAxis {
    int base = 0;
    int step = 1;
    int value(int i) const { return base + i * step; }
    bool operator==(const GraphAxis&) const = default;
};

// Returns the axis of a trace's points: step from the span (max - min + 3),
// base the largest multiple of the step at or below the minimum, the step
// grown by (max - base - 4 x step) / 4 when the top would lie below the
// maximum.
GraphAxis scale_graph_axis(std::span<const int> values);

// Returns the height of a value above the base line, (value - base) x 180 /
// (4 x step) truncated, kept within 0..180.
int graph_point_height(int value, const GraphAxis& axis);

// The time bytes of a record.
struct GraphTime {
    std::uint8_t hour = 0, minute = 0, month = 0, day = 0;
    bool operator==(const GraphTime&) const = default;
};

// What one redraw of the graph shows.
struct GraphWindow {
    std::array<std::array<int, kGraphPoints>, kGraphTraceCount> points{};
    std::array<GraphAxis, kGraphTraceCount> axes{};
    GraphTime first, middle, last;  // records 0, 180 x k and 360 x k - 1 of the window
    unsigned hours_available = 0;   // whole hours in the files, at most 24
    unsigned max_offset = 0;        // hours the window can be moved back
    bool read_failed = false;       // the last read failed; the points are the previous ones
    std::uint64_t generation = 0;   // changes whenever the points or times change
};

class GraphLog {
public:
    // The log in "\Hard Disk\GraphDataLog" under the panel root (mapped afresh
    // on every operation).
    GraphLog();
    // The log in an explicit folder.
    explicit GraphLog(std::filesystem::path folder);

    // Returns the kept graph files, oldest first (at most two), after setting
    // stray and extra files aside.
    std::vector<SampleFile> enumerate();

    // Appends one record: to the newer file while it is not full; with one
    // full file to a new file named from now; with two files of which the
    // newer is full, the older is deleted and a new file started. Returns true
    // only when all 18 bytes are on storage.
    bool append(const SampleRecord& record, const platform::LocalTime& now);

    // The sampling duty of the one-second tick while the dryer runs: a
    // countdown from 10 is lowered on each call, and at 0 the record is
    // appended and the countdown starts again. Returns true when a record was
    // appended (the graph is then redrawn).
    bool sampling_step(const SampleRecord& record, const platform::LocalTime& now);

    // Returns the whole hours of records in the kept files, at most 24.
    unsigned hours_available();

    // Returns the window for scale 0-3 (others as 0) moved back `offset` hours
    // (limited by the data). The files are read only when their names, sizes
    // or change times, the scale or the offset differ from the last call;
    // otherwise the last window is returned as it was. When a file cannot be
    // opened or a read is short, the previous points stay.
    const GraphWindow& window(unsigned scale, unsigned offset);

    // Forgets the last window's key, so the next window() reads the files.
    void forget() { key_.reset(); }

    std::filesystem::path folder() const;
    const std::vector<std::filesystem::path>& set_aside() const { return set_aside_; }

private:
    struct Key {
        std::vector<SampleFile> files;
        unsigned scale = 0;
        unsigned offset = 0;
        bool operator==(const Key&) const;
    };

    std::optional<std::filesystem::path> folder_;
    std::vector<std::filesystem::path> set_aside_;
    int countdown_ = kGraphSamplePeriod;
    std::optional<Key> key_;
    GraphWindow window_;
    std::vector<std::uint8_t> buffer_;
};

}  // namespace dryer::logging
