#include "views/graph/graph_model.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "l10n/panel_texts.h"

namespace dryer::views {

namespace {

using logging::GraphTrace;

constexpr std::size_t kTraces = logging::kGraphTraceCount;

// The value labels' rows, from the base (e) to the top (e + 4d).
constexpr std::array<std::array<int, 2>, 5> kLabelRows{{{170, 190}, {142, 162}, {95, 115}, {47, 67}, {5, 20}}};

struct Column {
    int left, right;
    GraphAlign align;
};
constexpr std::array<Column, kTraces> kLabelColumns{{{6, 39, GraphAlign::left},
                                                     {35, 65, GraphAlign::left},
                                                     {60, 90, GraphAlign::left},
                                                     {280, 310, GraphAlign::right},
                                                     {310, 337, GraphAlign::right},
                                                     {340, 365, GraphAlign::right}}};

constexpr std::array<GraphTraceStyle, kTraces> kStyles{{
    {{0, 200, 0}, {0, 255, 0}},      // incoming moisture
    {{200, 105, 50}, {255, 128, 64}},  // incoming grain temperature
    {{0, 200, 200}, {0, 255, 255}},  // outgoing moisture
    {{200, 0, 200}, {255, 0, 255}},  // outgoing grain temperature
    {{200, 200, 0}, {255, 255, 0}},  // dryer grain temperature
    {{150, 0, 0}, {255, 0, 0}},      // meter roll speed
}};

constexpr int kTimeTop = 195, kTimeBottom = 215;
constexpr GraphRgb kBlack{0, 0, 0};
constexpr GraphRgb kOffsetColour{0, 80, 0};

std::string printf_text(const char* format, auto... args) {
    char buf[64];
    std::snprintf(buf, sizeof buf, format, args...);
    return buf;
}

}  // namespace

const GraphTraceStyle& graph_trace_style(GraphTrace trace) {
    return kStyles[std::min<std::size_t>(static_cast<std::size_t>(trace), kTraces - 1)];
}

std::string graph_value_text(GraphTrace trace, int value) {
    switch (trace) {
        case GraphTrace::moisture_in:
        case GraphTrace::moisture_out: return printf_text("%d.%d%%", value / 10, std::abs(value % 10));
        case GraphTrace::meter_roll_speed: return printf_text("%d%%", value);
        default: return printf_text("%dF", value);
    }
}

std::string graph_clock_text(const logging::GraphTime& t, bool with_date) {
    const unsigned hour = t.hour % 12 == 0 ? 12u : t.hour % 12u;
    const char* half = t.hour >= 12 ? "PM" : "AM";
    if (with_date) return printf_text("%u:%02u%s %u/%02u", hour, unsigned{t.minute}, half, unsigned{t.month}, unsigned{t.day});
    return printf_text("%u:%02u%s", hour, unsigned{t.minute}, half);
}

std::string graph_offset_text(unsigned offset, unsigned hours_available, const std::string& hours_text) {
    if (offset == hours_available) return l10n::local("[END]");
    return printf_text("[-%u %s]", offset, hours_text.c_str());
}

int graph_scroll_position(unsigned hours_available, unsigned offset) {
    return offset >= hours_available ? 0 : static_cast<int>(hours_available - offset);
}

unsigned graph_scroll_left(unsigned offset, unsigned max_offset) { return offset < max_offset ? offset + 1 : max_offset; }

unsigned graph_scroll_right(unsigned offset) { return offset > 0 ? offset - 1 : 0; }

std::uint8_t graph_toggle_trace(std::uint8_t traces, GraphTrace trace) {
    return static_cast<std::uint8_t>((traces ^ (1u << static_cast<unsigned>(trace))) & 0x3F);
}

bool graph_trace_on(std::uint8_t traces, GraphTrace trace) {
    return (traces >> static_cast<unsigned>(trace) & 1u) != 0;
}

unsigned graph_scale_of_radio(int checked) { return checked >= 0 && checked <= 3 ? static_cast<unsigned>(checked) : 0; }

GraphScene graph_scene(const logging::GraphWindow& w, std::uint8_t traces, unsigned offset,
                       const std::string& hours_text) {
    GraphScene scene;
    for (std::size_t t = 0; t < kTraces; ++t) {
        const auto trace = static_cast<GraphTrace>(t);
        if (!graph_trace_on(traces, trace)) continue;
        const GraphTraceStyle& style = kStyles[t];
        const logging::GraphAxis& axis = w.axes[t];
        const Column& c = kLabelColumns[t];
        for (std::size_t row = 0; row < kLabelRows.size(); ++row) {
            scene.value_labels.push_back({graph_value_text(trace, axis.value(static_cast<int>(row))),
                                          {c.left, kLabelRows[row][0], c.right, kLabelRows[row][1]},
                                          style.label,
                                          c.align,
                                          12,
                                          400});
        }
        GraphLine line;
        line.colour = style.line;
        for (std::size_t i = 0; i < logging::kGraphPoints; ++i) {
            line.points[i] = {static_cast<int>(i) + 5,
                              kGraphBaseY - 1 - logging::graph_point_height(w.points[t][i], axis)};
        }
        scene.lines.push_back(line);
    }
    scene.time_labels = {
        {graph_clock_text(w.first, false), {3, kTimeTop, 100, kTimeBottom}, kBlack, GraphAlign::left, 14, 600},
        {graph_clock_text(w.middle, true), {135, kTimeTop, 235, kTimeBottom}, kBlack, GraphAlign::centre, 14, 600},
        {graph_clock_text(w.last, false), {300, kTimeTop, 367, kTimeBottom}, kBlack, GraphAlign::right, 14, 600},
    };
    scene.offset_label = {graph_offset_text(offset, w.hours_available, hours_text),
                          {55, kTimeTop, 120, kTimeBottom},
                          kOffsetColour,
                          GraphAlign::right,
                          14,
                          600};
    return scene;
}

}  // namespace dryer::views
