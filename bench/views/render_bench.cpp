// Render time of each main-screen window into its off-screen picture, and of
// the whole 640 by 480 panel, for a busy status image. Run under the
// offscreen platform: QT_QPA_PLATFORM=offscreen views_render_bench.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPainter>

#include "tests/views/sample_status.h"
#include "views/dryer_picture/dryer_picture_window.h"
#include "views/plenum/plenum_window.h"
#include "views/state_line/state_line_window.h"
#include "views/status_bars/status_bars_windows.h"
#include "views/warning/warning_window.h"

using namespace dryer;
using namespace dryer::views;

namespace {

struct Panel {
    link::LinkState st;
    NumberTexts texts;
    DryerPictureWindow pic{nullptr, st, texts};
    StateLineWindow line{nullptr, st, texts};
    LeftStatusBarWindow bar{nullptr, st, texts};
    ReadingsWindow readings{nullptr, st, texts};
    PlenumWindow plenum{nullptr, st, texts};
    WarningWindow warning{nullptr, st, texts};
    Panel() {
        sample::fill_busy(st);
        st.status.set(link::off::shutdown_node, 3);
        st.status.set(link::off::shutdown_code, 5);
        for (SceneWindow* w : {static_cast<SceneWindow*>(&pic), static_cast<SceneWindow*>(&line),
                               static_cast<SceneWindow*>(&bar), static_cast<SceneWindow*>(&readings),
                               static_cast<SceneWindow*>(&plenum), static_cast<SceneWindow*>(&warning)})
            w->set_blink_flags(0x5);
    }
};

Panel& panel() {
    static Panel p;
    return p;
}

template <class W>
void render_window(benchmark::State& state, W Panel::*member) {
    Panel& p = panel();
    for (auto _ : state) {
        p.pic.advance_phase();
        benchmark::DoNotOptimize((p.*member).render_offscreen().cacheKey());
    }
}

void BM_DryerPicture(benchmark::State& s) { render_window(s, &Panel::pic); }
void BM_StateLine(benchmark::State& s) { render_window(s, &Panel::line); }
void BM_LeftStatusBar(benchmark::State& s) { render_window(s, &Panel::bar); }
void BM_Readings(benchmark::State& s) { render_window(s, &Panel::readings); }
void BM_Plenum(benchmark::State& s) { render_window(s, &Panel::plenum); }
void BM_Warning(benchmark::State& s) { render_window(s, &Panel::warning); }

// A whole frame: every window of the main screen and the warning window,
// composed into one 640 by 480 picture.
void BM_WholePanel(benchmark::State& state) {
    Panel& p = panel();
    QPixmap frame(640, 480);
    for (auto _ : state) {
        p.pic.advance_phase();
        QPainter painter(&frame);
        painter.drawPixmap(0, 0, p.pic.render_offscreen());
        painter.drawPixmap(240, 0, p.line.render_offscreen());
        painter.drawPixmap(240, 40, p.readings.render_offscreen());
        painter.drawPixmap(240, 245, p.plenum.render_offscreen());
        painter.drawPixmap(10, 20, p.warning.render_offscreen());
        painter.end();
        benchmark::DoNotOptimize(frame.cacheKey());
    }
}

BENCHMARK(BM_DryerPicture)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_StateLine)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_LeftStatusBar)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_Readings)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_Plenum)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_Warning)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_WholePanel)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
