// The status chart (AVERAGE_VALUES_WINDOW): the newest records of the
// 24-hour data log as a table of eight rows under two heading lines, with
// the sample-time button at the top left, the running corner at the top
// right and a scroll bar that pages back through the shown records.
//
// Scrolling: the position runs from 0 (the oldest page) to the newest page,
// count - 8; the page read skips count - 8 - position records from the
// newest, so the last position shows the newest eight records and the first
// the oldest eight, with no dead step at either end. After the operator
// scrolls, a 15-second hold keeps the position; once the hold has run out
// the position returns to the newest page. No Qt.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "logging/day_log/day_log.h"
#include "views/scene/scene.h"
#include "views/scene/texts.h"

namespace dryer::views {

inline constexpr int kChartWidth = 400;
inline constexpr int kChartHeight = 205;
inline constexpr std::size_t kChartRows = 8;
inline constexpr int kChartRowTop = 40;
inline constexpr int kChartRowHeight = 16;
inline constexpr unsigned kChartScrollHold = 15;  // seconds
// Client coordinates of the sample-time button and the scroll bar.
inline constexpr Rect kSampleTimeButton{1, 1, 99, 32};
inline constexpr Rect kChartScrollBar{361, 37, 391, 172};
inline constexpr Rgb kChartGrid{150, 150, 150};
inline constexpr Rgb kMagenta{255, 0, 255};

// One table row, as drawn from left to right.
struct ChartRow {
    std::string time;          // "%2d:%02d%s %d/%d", 12-hour clock
    std::string grain_column;  // "150°F" / "65°C"
    std::string moisture_in;   // "20.5%"
    std::string moisture_out;  // "15.4%"
    std::string grain_out;     // whole degrees of the tenths value
    std::string meter_roll;    // "45 %"
    friend bool operator==(const ChartRow&, const ChartRow&) = default;
};

// Returns the row of a record. Temperatures are taken as signed 16-bit values
// (as every other screen shows them) and converted when celsius is set.
ChartRow chart_row(const logging::SampleValues& v, bool celsius);

// Returns the two lines of the sample-time button: text 286 and the sample
// time with text 342 ("SAMPLE" / "10 MIN").
std::string sample_time_label(const Texts& texts, unsigned minutes);

// What the chart shows besides the texts.
struct ChartInput {
    std::vector<logging::SampleRecord> records;  // the page, oldest first
    bool running = false;                        // the dryer runs
    int fill_level = 0;                          // the long-term log's, percent
    bool celsius = false;
};

// Returns the chart's drawing for its client area (the button and the scroll
// bar are widgets of their own over it). At most eight rows are drawn.
Scene chart_scene(const ChartInput& in, const Texts& texts);

// Returns whether the scroll bar is shown (more than eight records).
constexpr bool chart_scroll_shown(std::size_t count) { return count > kChartRows; }

// Returns the position of the newest page: count - 8, or 0 with eight
// records or fewer.
constexpr std::size_t chart_newest_position(std::size_t count) {
    return count > kChartRows ? count - kChartRows : 0;
}

// Returns how many records before the newest the page at position ends;
// positions beyond the newest page count as the newest page.
constexpr std::size_t chart_page_skip(std::size_t count, std::size_t position) {
    const std::size_t newest = chart_newest_position(count);
    return newest - (position < newest ? position : newest);
}

// Returns the position a redraw shows: the newest page once the hold has run
// out, otherwise the operator's position, kept within the scroll range.
constexpr std::size_t chart_settle_position(std::size_t position, std::size_t count, unsigned hold) {
    const std::size_t newest = chart_newest_position(count);
    return hold == 0 || position > newest ? newest : position;
}

// Returns the hold that a scroll to position starts: none when the position
// is the newest page, 15 seconds otherwise.
constexpr unsigned chart_hold_after_scroll(std::size_t position, std::size_t count) {
    return position >= chart_newest_position(count) ? 0 : kChartScrollHold;
}

}  // namespace dryer::views
