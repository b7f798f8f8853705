#include "views/status_chart/status_chart_model.h"

#include "views/scene/format.h"
#include "views/scene/temperature.h"

namespace dryer::views {

namespace {

// Column edges of the table (x), the last column ending where the scroll
// bar begins.
struct Column {
    int left, right;
};
constexpr Column kTime{0, 100};
constexpr Column kGrainColumn{100, 150};
constexpr Column kMoistureIn{150, 200};
constexpr Column kMoistureOut{200, 250};
constexpr Column kGrainOut{250, 300};
constexpr Column kMeterRoll{300, 350};

constexpr int kHeadingSize = 10;
constexpr int kRowSize = 12;
constexpr int kHeadingLine = 16;  // each of the two heading lines
constexpr int kGridBottom = 205;  // the grid runs the height of the drawing area

std::string or_default(const Texts& texts, unsigned n, const char* fallback) {
    std::string t = texts.text(n);
    return t.empty() ? std::string(fallback) : t;
}

}  // namespace

ChartRow chart_row(const logging::SampleValues& v, bool celsius) {
    ChartRow row;
    const int hour12 = v.hour % 12 == 0 ? 12 : v.hour % 12;
    row.time = fmt("%2d:%02d%s %d/%d", hour12, v.minute, v.hour >= 12 ? "PM" : "AM", v.month, v.day);
    row.grain_column = temp_deg(v.grain_column_temp, celsius);
    row.moisture_in = tenths(v.moisture_in) + "%";
    row.moisture_out = tenths(v.moisture_out) + "%";
    const std::int16_t tenths_f = units::as_signed16(v.grain_temp_out);
    const int grain_out = celsius ? units::tenths_fahrenheit_to_celsius(tenths_f) : tenths_f / 10;
    row.grain_out = fmt("%d%s%s", grain_out, kDegree, unit_letter(celsius));
    row.meter_roll = fmt("%d %%", v.meter_roll_speed);
    return row;
}

std::string sample_time_label(const Texts& texts, unsigned minutes) {
    return or_default(texts, 286, "SAMPLE") + "\n" + fmt("%u ", minutes) + or_default(texts, 342, "MIN");
}

Scene chart_scene(const ChartInput& in, const Texts& texts) {
    Scene sc;
    sc.width = titled_client_width(kChartWidth);
    sc.height = titled_client_height(kChartHeight);
    sc.background = colour::black;

    for (const int x : {100, 150, 200, 250, 300}) sc.line(x, 0, x, kGridBottom, 1, kChartGrid);
    sc.line(0, 33, kChartWidth, 33, 1, kChartGrid);
    sc.line(0, 35, kChartWidth, 35, 1, kChartGrid);
    sc.line(361, 0, 361, 33, 1, kChartGrid);

    // Two heading lines over each value column; the time column's heading
    // is the sample-time button.
    const auto heading = [&](Column c, unsigned first, unsigned second) {
        sc.text({c.left + 1, 1, c.right, 1 + kHeadingLine}, texts.label(first), kHeadingSize, 400, colour::white,
                Align::centre)
            .abbreviate = true;
        if (second != 0)
            sc.text({c.left + 1, 1 + kHeadingLine, c.right, 1 + 2 * kHeadingLine}, texts.label(second), kHeadingSize,
                    400, colour::white, Align::centre)
                .abbreviate = true;
    };
    heading(kGrainColumn, 341, 265);
    heading(kMoistureIn, 267, 345);
    heading(kMoistureOut, 267, 344);
    heading(kGrainOut, 265, 344);
    heading(kMeterRoll, 346, 0);

    // The running corner: ON with the long-term log's fill level, or OFF.
    // It has the width right of the grid line up to the window's edge; a word
    // too long for it even at the smallest size is abbreviated.
    const Rect upper{362, 1, sc.width, 1 + kHeadingLine};
    const Rect lower{362, 1 + kHeadingLine, sc.width, 1 + 2 * kHeadingLine};
    if (in.running) {
        sc.text(upper, texts.label(14), kHeadingSize, 700, colour::green, Align::centre).abbreviate = true;
        const Label level = in.fill_level > 99 ? texts.label(243) : Label(fmt("%d%%", in.fill_level));
        sc.text(lower, level, kHeadingSize, 700, colour::white, Align::centre).abbreviate = true;
    } else {
        sc.text(upper, texts.label(15), kHeadingSize, 700, colour::red, Align::centre).abbreviate = true;
    }

    const std::size_t rows = in.records.size() < kChartRows ? in.records.size() : kChartRows;
    for (std::size_t i = 0; i < rows; ++i) {
        const ChartRow r = chart_row(logging::sample_values(in.records[i]), in.celsius);
        const int top = kChartRowTop + static_cast<int>(i) * kChartRowHeight;
        const auto cell = [&](Column c, const std::string& t, Rgb colour) {
            sc.text({c.left + 2, top, c.right - 2, top + kChartRowHeight}, t, kRowSize, 400, colour, Align::centre)
                .vcentre = true;
        };
        cell(kTime, r.time, colour::green);
        cell(kGrainColumn, r.grain_column, colour::yellow);
        cell(kMoistureIn, r.moisture_in, kMagenta);
        cell(kMoistureOut, r.moisture_out, colour::green);
        cell(kGrainOut, r.grain_out, colour::cyan);
        cell(kMeterRoll, r.meter_roll, colour::red);
    }
    return sc;
}

}  // namespace dryer::views
