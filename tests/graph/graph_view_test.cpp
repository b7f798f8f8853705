// The graph screen: its texts and scroll rules, and the real widget over real
// files (traces in their colours, scroll bar, trace buttons, setup dialog).
#include <gtest/gtest.h>

#include <QApplication>
#include <QPushButton>
#include <QScrollBar>
#include <fstream>
#include <set>

#include "kit/picture_button.h"
#include "logging/stored_settings/stored_settings.h"
#include "tests/data_logs/data_logs_support.h"
#include "views/graph/graph_window.h"
#include "views/scene/texts.h"

namespace dryer::views {
namespace {

using logging::GraphTime;
using logging::GraphTrace;

struct TextRow {
    std::string got, want;
};

TEST(GraphTexts, read_as_the_operator_sees_them) {
    const TextRow rows[] = {
        {graph_clock_text(GraphTime{0, 5, 12, 1}, false), "12:05AM"},
        {graph_clock_text(GraphTime{12, 0, 12, 1}, false), "12:00PM"},
        {graph_clock_text(GraphTime{13, 7, 3, 9}, true), "1:07PM 3/09"},
        {graph_clock_text(GraphTime{0, 0, 0, 0}, true), "12:00AM 0/00"},  // zero-filled window front
        {graph_offset_text(0, 0, "HRS"), "[END]"},
        {graph_offset_text(22, 24, "HRS"), "[-22 HRS]"},
        {graph_offset_text(24, 24, "HRS"), "[END]"},
        {graph_value_text(GraphTrace::moisture_in, 154), "15.4%"},
        {graph_value_text(GraphTrace::grain_temp_out, -5), "-5F"},
        {graph_value_text(GraphTrace::meter_roll_speed, 80), "80%"},
    };
    for (const auto& r : rows) EXPECT_EQ(r.got, r.want);
}

TEST(GraphScroll, moves_in_hours_within_its_limits) {
    EXPECT_EQ(graph_scroll_left(21, 22), 22u);
    EXPECT_EQ(graph_scroll_left(22, 22), 22u);
    EXPECT_EQ(graph_scroll_right(0), 0u);
    EXPECT_EQ(graph_scroll_position(24, 3), 21);
    EXPECT_EQ(graph_scroll_position(24, 30), 0);  // offsets past 24 hours keep the thumb at the left
    EXPECT_EQ(graph_toggle_trace(0xC0, GraphTrace::meter_roll_speed), 0x20);
    EXPECT_EQ(graph_scale_of_radio(-1), 0u);
    EXPECT_EQ(graph_scale_of_radio(3), 3u);
}

TEST(GraphScene, puts_the_base_value_on_the_base_line_and_the_top_value_on_the_top) {
    logging::GraphWindow w;
    for (std::size_t i = 0; i < logging::kGraphPoints; ++i) w.points[0][i] = i < 180 ? 0 : 900;
    w.axes[0] = logging::scale_graph_axis(w.points[0]);
    const GraphScene scene = graph_scene(w, 0x01, 0, "HRS");
    ASSERT_EQ(scene.lines.size(), 1u);
    EXPECT_EQ(scene.lines[0].points[0].y, 184);
    EXPECT_EQ(scene.lines[0].points[359].y, 4);
    EXPECT_EQ(scene.lines[0].points[359].x, 364);
    ASSERT_EQ(scene.value_labels.size(), 5u);
    EXPECT_EQ(scene.value_labels[4].text, "90.0%");
    EXPECT_EQ(scene.offset_label.text, "[END]");
}

class GraphWidget : public ::testing::Test {
protected:
    logging::test::TempRoot root;
    logging::GraphLog log;
    logging::SettingsStore stored{root.path() / "Registry" / "TavrinDryer.txt"};
    TableTexts texts{{{453, "GRAPH SETUP"}, {454, "1 HOUR"}, {455, "2 HOURS"}, {456, "4 HOURS"}, {457, "8 HOUR"}, {460, "HRS"}, {4, "ACCEPT"}}};

    void SetUp() override { kit::set_button_picture_source([](int) { return QImage(); }); }
    void TearDown() override { kit::set_button_picture_source({}); }

    // Two hours of records in which every trace rises and falls in its own
    // band and phase, so no trace hides another.
    void write_two_hours() {
        const auto dir = root.path() / "Hard Disk" / "GraphDataLog";
        std::filesystem::create_directories(dir);
        std::ofstream out(dir / "GRAPH_DATA_LOG_24HR26_12_01_06_00_00.DAT", std::ios::binary);
        for (int i = 0; i < 720; ++i) {
            logging::SampleRecord r{};
            const int base[6] = {100, 500, 200, 900, 120, 40};
            const int gain[6] = {1, 10, 2, 20, 1, 1};
            const std::size_t at[6] = {4, 2, 8, 6, 0, 10};
            for (int t = 0; t < 6; ++t) {
                const int phase = (i + 10 * t) % 60;
                const int v = base[t] + gain[t] * (phase < 30 ? phase : 60 - phase);
                r[at[t]] = static_cast<std::uint8_t>(v >> 8);
                r[at[t] + 1] = static_cast<std::uint8_t>(v);
            }
            out.write(reinterpret_cast<const char*>(r.data()), static_cast<std::streamsize>(r.size()));
        }
    }
};

TEST_F(GraphWidget, shows_all_six_traces_in_their_line_colours) {
    write_two_hours();
    ASSERT_TRUE(stored.write(logging::StoredKey::graph_traces_on_off, 0x3F));
    GraphScreen screen(log, stored, texts, nullptr);
    screen.show();
    screen.refresh();
    const QImage shot = screen.grab().toImage();
    std::set<QRgb> seen;
    for (int y = 5 + 3; y < 5 + 190; ++y)
        for (int x = 5 + 5; x < 5 + 365; ++x) seen.insert(shot.pixel(x, y) & 0xFFFFFF);
    for (std::size_t t = 0; t < logging::kGraphTraceCount; ++t) {
        const GraphRgb c = graph_trace_style(static_cast<GraphTrace>(t)).line;
        EXPECT_TRUE(seen.count(qRgb(c.r, c.g, c.b) & 0xFFFFFF)) << "trace " << t;
    }
    EXPECT_TRUE(seen.count(qRgb(0, 200, 0) & 0xFFFFFF));  // the moisture labels
}

TEST_F(GraphWidget, buttons_and_scroll_bar_change_and_store_the_view) {
    write_two_hours();
    GraphScreen screen(log, stored, texts, nullptr);
    screen.show();
    screen.refresh();
    screen.trace_button(GraphTrace::meter_roll_speed)->click();
    screen.trace_button(GraphTrace::moisture_in)->click();
    EXPECT_EQ(stored.raw(logging::StoredKey::graph_traces_on_off), 0x21);
    EXPECT_TRUE(screen.trace_button(GraphTrace::moisture_in)->is_on());

    QScrollBar* bar = screen.scroll_bar();
    EXPECT_EQ(bar->maximum(), 2);
    EXPECT_EQ(bar->value(), 2);
    bar->triggerAction(QAbstractSlider::SliderSingleStepSub);
    EXPECT_EQ(screen.offset(), 1u);  // max offset with two hours and the 1-hour window
    bar->triggerAction(QAbstractSlider::SliderPageStepSub);
    EXPECT_EQ(screen.offset(), 1u);
    EXPECT_EQ(bar->value(), 1);
    bar->setSliderPosition(2);  // a drag moves nothing
    bar->triggerAction(QAbstractSlider::SliderMove);
    EXPECT_EQ(screen.offset(), 1u);
    EXPECT_EQ(bar->value(), 1);
    bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(screen.offset(), 0u);

    GraphSetupDialog dialog(&screen, texts, screen.scale());
    dialog.hour_button(2)->click();
    EXPECT_EQ(dialog.chosen_scale(), 2u);
    screen.set_scale(dialog.chosen_scale());
    EXPECT_EQ(stored.raw(logging::StoredKey::graph_horizontal_scale), 2);
    EXPECT_EQ(GraphSetupDialog(&screen, texts, 7).chosen_scale(), 0u);
}

}  // namespace
}  // namespace dryer::views

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
