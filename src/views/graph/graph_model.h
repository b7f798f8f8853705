// What the graph screen shows, computed without Qt: the drawing area's value
// labels, traces, time labels and offset label for a window of the graph
// data log, the fixed grid and frame, the scroll bar's range and position and
// the choices of the trace buttons and the setup dialog.
//
// The graph always shows degrees Fahrenheit; the panel's Celsius setting does
// not apply here.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "logging/graph_log/graph_log.h"

namespace dryer::views {

struct GraphRgb {
    std::uint8_t r = 0, g = 0, b = 0;
    bool operator==(const GraphRgb&) const = default;
};

// A box in the drawing area, right and bottom exclusive.
struct GraphBox {
    int left = 0, top = 0, right = 0, bottom = 0;
    bool operator==(const GraphBox&) const = default;
};

enum class GraphAlign : std::uint8_t { left, centre, right };

struct GraphLabel {
    std::string text;
    GraphBox box;
    GraphRgb colour;
    GraphAlign align = GraphAlign::left;
    int size = 12;      // pixel height
    int weight = 400;
};

struct GraphPoint {
    int x = 0, y = 0;
};

struct GraphLine {
    GraphRgb colour;
    std::array<GraphPoint, logging::kGraphPoints> points{};
};

// The drawing area, 380 x 220, and its fixed parts.
inline constexpr int kGraphWidth = 380;
inline constexpr int kGraphHeight = 220;
inline constexpr GraphRgb kGraphGridColour{0, 255, 0};
inline constexpr std::array<int, 3> kGraphGridRows{47, 95, 142};
inline constexpr int kGraphGridFirstX = 1, kGraphGridLastX = 376, kGraphGridPitch = 3;
inline constexpr GraphRgb kGraphBaseColour{0, 200, 0};
inline constexpr int kGraphBaseY = 185;
inline constexpr GraphRgb kGraphFrameColour{100, 100, 100};
inline constexpr std::array<GraphBox, 4> kGraphFrameBars{
    GraphBox{0, 190, 380, 220}, GraphBox{0, 0, 5, 220}, GraphBox{365, 0, 370, 220}, GraphBox{0, 0, 380, 3}};

// A trace's label and line colours.
struct GraphTraceStyle {
    GraphRgb label;
    GraphRgb line;
};
const GraphTraceStyle& graph_trace_style(logging::GraphTrace trace);

// The drawing in the order it is painted over the fixed grid: value labels,
// traces, then (over the frame) the time labels and the offset label.
struct GraphScene {
    std::vector<GraphLabel> value_labels;
    std::vector<GraphLine> lines;
    std::vector<GraphLabel> time_labels;
    GraphLabel offset_label;
};

// Returns the scene of a window with the traces whose bits are set in
// `traces` (bit 0 incoming moisture ... bit 5 meter roll speed), the scroll
// offset in hours and localized string 460 (the hours unit).
GraphScene graph_scene(const logging::GraphWindow& window, std::uint8_t traces, unsigned offset,
                       const std::string& hours_text);

// Returns an axis value as its trace labels it: "15.4%", "150F", "80%".
std::string graph_value_text(logging::GraphTrace trace, int value);

// Returns a record's time as "1:05PM", with its date as "1:05PM 12/01".
std::string graph_clock_text(const logging::GraphTime& time, bool with_date);

// Returns "[-3 HRS]", or "[END]" when the offset equals the hours available.
std::string graph_offset_text(unsigned offset, unsigned hours_available, const std::string& hours_text);

// The scroll bar: range 0 to the hours available, position hours available
// minus the offset (at least 0).
int graph_scroll_position(unsigned hours_available, unsigned offset);
// Scrolling left goes one hour back, up to the maximum offset.
unsigned graph_scroll_left(unsigned offset, unsigned max_offset);
// Scrolling right goes one hour forward, down to 0.
unsigned graph_scroll_right(unsigned offset);

// Returns the trace switches with one trace toggled (bits 6-7 cleared).
std::uint8_t graph_toggle_trace(std::uint8_t traces, logging::GraphTrace trace);
// Returns whether a trace is on.
bool graph_trace_on(std::uint8_t traces, logging::GraphTrace trace);

// The setup dialog's four choices: localized strings 454-457 ("1 HOUR" ...).
inline constexpr std::array<unsigned, 4> kGraphScaleTexts{454, 455, 456, 457};
// Returns the scale of the checked radio (0-3); none or another gives 0.
unsigned graph_scale_of_radio(int checked);

}  // namespace dryer::views
