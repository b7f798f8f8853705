// The graph screen's redraw with 48 hours of records in two full files and
// all six traces on, 8-hour window: read + reduce + draw (the files changed),
// and the redraw of the one-second tick when nothing changed (the folder is
// listed, nothing is read or drawn). Reports the median and the worst of the
// iterations; runs on the offscreen platform in the temporary folder (or
// $DRYER_BENCH_DIR).
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <QApplication>
#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "logging/stored_settings/stored_settings.h"
#include "views/graph/graph_window.h"
#include "views/scene/texts.h"

namespace {

using namespace dryer;

struct Fixture {
    std::filesystem::path root;
    logging::GraphLog log;
    logging::SettingsStore stored;
    views::TableTexts texts{{{460, "HRS"}, {453, "GRAPH SETUP"}}};

    Fixture() : root(make_root()), log(root / "GraphDataLog"), stored(root / "TavrinDryer.txt") {
        std::filesystem::create_directories(root / "GraphDataLog");
        write_full(root / "GraphDataLog" / "GRAPH_DATA_LOG_24HR26_12_01_06_00_00.DAT", 0);
        write_full(root / "GraphDataLog" / "GRAPH_DATA_LOG_24HR26_12_02_06_00_00.DAT", 8640);
        stored.write(logging::StoredKey::graph_traces_on_off, 0x3F);
        stored.write(logging::StoredKey::graph_horizontal_scale, 3);
    }
    ~Fixture() {
        std::error_code ec;
        std::filesystem::remove_all(root, ec);
    }
    static std::filesystem::path make_root() {
        const char* base = std::getenv("DRYER_BENCH_DIR");
        std::string tmpl = ((base ? std::filesystem::path(base) : std::filesystem::temp_directory_path()) /
                            "dryer-graph-bench-XXXXXX")
                               .string();
        return mkdtemp(tmpl.data());
    }
    static void write_full(const std::filesystem::path& file, int first) {
        std::vector<std::uint8_t> bytes(logging::kGraphFileFullSize);
        for (int i = 0; i < 8640; ++i) {
            std::uint8_t* r = bytes.data() + i * 18;
            const int n = first + i;
            const int v[6] = {150 + n % 40, 600 + n % 300, 140 + n % 70, 900 + n % 500, 120 + n % 25, 40 + n % 60};
            const int at[6] = {0, 2, 4, 6, 8, 10};
            for (int t = 0; t < 6; ++t) {
                r[at[t]] = static_cast<std::uint8_t>(v[t] >> 8);
                r[at[t] + 1] = static_cast<std::uint8_t>(v[t]);
            }
            r[13] = static_cast<std::uint8_t>(n / 360 % 24);
            r[14] = static_cast<std::uint8_t>(n / 6 % 60);
            r[16] = 12;
            r[17] = static_cast<std::uint8_t>(1 + n / 8640);
        }
        std::ofstream(file, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                    static_cast<std::streamsize>(bytes.size()));
    }
};

void report(benchmark::State& state, std::vector<double>& us) {
    std::sort(us.begin(), us.end());
    state.counters["median_us"] = us[us.size() / 2];
    state.counters["worst_us"] = us.back();
}

// The files changed since the last redraw: list, read 8 hours across the two
// files, reduce to 360 points, scale six axes, paint the drawing.
void BM_GraphRedrawChanged(benchmark::State& state) {
    Fixture f;
    views::GraphScreen screen(f.log, f.stored, f.texts, nullptr);
    std::vector<double> us;
    for (auto _ : state) {
        f.log.forget();
        const auto t0 = std::chrono::steady_clock::now();
        screen.refresh();
        us.push_back(std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - t0).count());
    }
    report(state, us);
}
BENCHMARK(BM_GraphRedrawChanged)->Iterations(500);

// The one-second tick's redraw with nothing changed: the folder is listed and
// the cache answers; nothing is read or painted.
void BM_GraphRedrawUnchanged(benchmark::State& state) {
    Fixture f;
    views::GraphScreen screen(f.log, f.stored, f.texts, nullptr);
    screen.refresh();
    std::vector<double> us;
    for (auto _ : state) {
        const auto t0 = std::chrono::steady_clock::now();
        screen.refresh();
        us.push_back(std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - t0).count());
    }
    report(state, us);
}
BENCHMARK(BM_GraphRedrawUnchanged)->Iterations(2000);

// Reading and reducing alone (no Qt): what the log costs of the redraw.
void BM_GraphReadReduce(benchmark::State& state) {
    Fixture f;
    std::vector<double> us;
    for (auto _ : state) {
        f.log.forget();
        const auto t0 = std::chrono::steady_clock::now();
        benchmark::DoNotOptimize(f.log.window(3, 0).generation);
        us.push_back(std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - t0).count());
    }
    report(state, us);
}
BENCHMARK(BM_GraphReadReduce)->Iterations(500);

}  // namespace

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
