// Latency of one shutdown record on the receive thread (open, insert with a
// rollback journal and synchronous FULL, close), on the disk that holds the
// temporary folder (or $DRYER_BENCH_DIR). Reports the median and the worst of
// 1000 records; the link cycle that waits for it is 350 ms.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "logging/history/shutdown_recorder.h"
#include "logging/history/shutdown_store.h"

namespace {

using dryer::history::ShutdownRecorder;
using dryer::history::ShutdownStore;

std::filesystem::path fresh_root() {
    const char* base = std::getenv("DRYER_BENCH_DIR");
    std::string tmpl = ((base ? std::filesystem::path(base) : std::filesystem::temp_directory_path()) /
                        "dryer-history-bench-XXXXXX")
                           .string();
    std::filesystem::path root = mkdtemp(tmpl.data());
    std::filesystem::create_directories(root / "Hard Disk");
    std::filesystem::create_directories(root / "Hard Disk2");
    return root;
}

void report(benchmark::State& state, std::vector<double>& us) {
    std::sort(us.begin(), us.end());
    state.counters["median_us"] = us[us.size() / 2];
    state.counters["p99_us"] = us[us.size() * 99 / 100];
    state.counters["worst_us"] = us.back();
}

// Records into a store that grows from empty to 1000 records.
void BM_RecordShutdown(benchmark::State& state) {
    const auto root = fresh_root();
    ShutdownStore store(root / "Hard Disk" / "ShutdownHistoryDB");
    store.prepare();
    ShutdownRecorder recorder(store, [](std::uint8_t, std::uint8_t) { return std::string("AUGER MOTOR OVERLOAD"); });
    std::vector<double> us;
    int i = 0;
    for (auto _ : state) {
        const auto t0 = std::chrono::steady_clock::now();
        recorder.record_shutdown(static_cast<std::uint8_t>(1 + i % 15), static_cast<std::uint8_t>(1 + i % 50));
        us.push_back(std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - t0).count());
        ++i;
    }
    report(state, us);
    std::filesystem::remove_all(root);
}
BENCHMARK(BM_RecordShutdown)->Iterations(1000)->Unit(benchmark::kMillisecond)->UseRealTime();

// The same while the screen lists and exports the history without pause:
// the recording must not wait for those operations.
void BM_RecordWhileScreenWorks(benchmark::State& state) {
    const auto root = fresh_root();
    ShutdownStore store(root / "Hard Disk" / "ShutdownHistoryDB");
    store.prepare();
    for (int k = 0; k < 2000; ++k) store.record("EARLIER SHUTDOWN " + std::to_string(k), "MAIN I/O");
    std::atomic<bool> stop{false};
    std::thread screen([&] {
        while (!stop.load()) {
            (void)store.fill_list(dryer::history::SortOrder::by_warning);
            (void)store.export_text(2000, root / "Hard Disk2");
        }
    });
    ShutdownRecorder recorder(store, [](std::uint8_t, std::uint8_t) { return std::string("FLAME FAILURE"); });
    std::vector<double> us;
    int queued = 0;
    for (auto _ : state) {
        const auto t0 = std::chrono::steady_clock::now();
        recorder.record_shutdown(3, 7);
        us.push_back(std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - t0).count());
        if (recorder.last_outcome() == dryer::history::RecordOutcome::queued) ++queued;
        // One shutdown per link cycle at most; a short pause keeps the queue
        // from filling faster than any dryer could.
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    stop = true;
    screen.join();
    state.counters["queued"] = queued;
    report(state, us);
    std::filesystem::remove_all(root);
}
BENCHMARK(BM_RecordWhileScreenWorks)->Iterations(1000)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
