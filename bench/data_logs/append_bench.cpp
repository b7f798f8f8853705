// Latency of one long-term CSV line and of one 24-hour record, each with its
// fdatasync to storage (open, append, sync, close), on the disk that holds
// the temporary folder (or $DRYER_BENCH_DIR). Reports the median and the
// worst of 1000 appends; the one-second tick that makes them allows 50 ms.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "logging/day_log/day_log.h"
#include "logging/long_term_log/long_term_log.h"

namespace {

using namespace dryer::logging;

std::filesystem::path fresh_root() {
    const char* base = std::getenv("DRYER_BENCH_DIR");
    std::string tmpl = ((base ? std::filesystem::path(base) : std::filesystem::temp_directory_path()) /
                        "dryer-datalogs-bench-XXXXXX")
                           .string();
    std::filesystem::path root = mkdtemp(tmpl.data());
    std::filesystem::create_directories(root / "Hard Disk");
    return root;
}

void report(benchmark::State& state, std::vector<double>& us) {
    std::sort(us.begin(), us.end());
    state.counters["median_us"] = us[us.size() / 2];
    state.counters["p99_us"] = us[us.size() * 99 / 100];
    state.counters["worst_us"] = us.back();
}

dryer::platform::LocalTime at_second(long long s) {
    dryer::platform::LocalTime t;
    t.year = 2026;
    t.month = 12;
    t.day = 8;
    return dryer::platform::from_file_time(dryer::platform::to_file_time(t) + s * 10'000'000LL);
}

void BM_CsvLine(benchmark::State& state) {
    const auto root = fresh_root();
    LongTermLog log(root / "Hard Disk" / "DataLog" / "LongTermDataLog.csv");
    log.set_dryer_running(true);
    LongTermSample s;
    s.moisture_out = 154;
    s.bushels_per_hour = 300;
    std::vector<double> us;
    long long i = 0;
    for (auto _ : state) {
        s.time = at_second(12 * i++);
        const auto t0 = std::chrono::steady_clock::now();
        if (log.write_sample_line(s) != LongTermCode::written) state.SkipWithError("line not written");
        us.push_back(std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - t0).count());
    }
    report(state, us);
    std::filesystem::remove_all(root);
}
BENCHMARK(BM_CsvLine)->Iterations(1000)->Unit(benchmark::kMillisecond)->UseRealTime();

// Crosses file boundaries (a new file every 144 records, the older deleted).
void BM_DayRecord(benchmark::State& state) {
    const auto root = fresh_root();
    DayLog log(root / "Hard Disk" / "ShortTermDataLog");
    SampleRecord r{};
    std::vector<double> us;
    long long i = 0;
    for (auto _ : state) {
        const auto now = at_second(600 * i++);
        const auto t0 = std::chrono::steady_clock::now();
        if (log.append_sample(r, now) != DayAppend::written) state.SkipWithError("record not written");
        us.push_back(std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - t0).count());
    }
    report(state, us);
    std::filesystem::remove_all(root);
}
BENCHMARK(BM_DayRecord)->Iterations(1000)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
