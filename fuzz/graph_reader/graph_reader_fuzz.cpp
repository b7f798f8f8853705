// Any set of graph files (names valid, stray or folders; any sizes, any
// bytes): the window is read, reduced and scaled for any scale and offset
// without crashing; every point lies on or above its axis base; no more than
// 24 hours are reported; reading never changes a byte on disk (extra files
// are renamed, not deleted); after an append the newest point of the 1-hour
// window is the record appended.
//
// Input: byte 0 gives the number of entries (0-4); each entry is a kind byte
// (bits 0-2 pick one of eight times in the name, bits 3-4: 0-1 a graph file,
// 2 a stray name, 3 a folder), a length byte pair (low first, in units of 3
// bytes, at most 60,000 bytes) and content bytes, repeated to the length; the
// rest are (scale, offset) pairs for windows.
#include <algorithm>
#include <cstdint>
#include <fstream>
#include <string>

#include "../sample_files_input.h"
#include "logging/graph_log/graph_log.h"

namespace {

void check(const dryer::logging::GraphWindow& w) {
    using namespace dryer::logging;
    if (w.hours_available > kGraphMaxHoursShown) __builtin_trap();
    for (std::size_t t = 0; t < kGraphTraceCount; ++t) {
        if (w.axes[t].step < 1) __builtin_trap();
        for (int v : w.points[t]) {
            if (v < w.axes[t].base) __builtin_trap();
            const int h = graph_point_height(v, w.axes[t]);
            if (h < 0 || h > kGraphPlotHeight) __builtin_trap();
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace dryer::logging;
    using dryer::fuzz::bytes_in;
    const dryer::fuzz::SampleFolder folder("dryer-graph-fuzz", "GraphDataLog");
    if (!folder.ok()) return 0;
    const std::filesystem::path& dir = folder.dir();
    dryer::fuzz::FuzzBytes in(data, size);
    const auto next = [&in] { return in.next(); };
    const int entries = next() % 5;
    for (int e = 0; e < entries; ++e) {
        const auto entry = dryer::fuzz::next_entry(in, dir, "GRAPH_DATA_LOG_24HR");
        if (!entry.path) continue;
        const std::size_t length = std::min<std::size_t>(entry.length * 3, 60000);
        std::string pattern;
        for (int i = 0; i < 36 && in.more(); ++i) pattern.push_back(static_cast<char>(next()));
        if (pattern.empty()) pattern.push_back('\0');
        std::string content(length, '\0');
        for (std::size_t i = 0; i < length; ++i) content[i] = pattern[i % pattern.size()];
        std::ofstream(*entry.path, std::ios::binary | std::ios::app) << content;
    }
    {
        GraphLog log(dir);
        log.hours_available();
        const std::uint64_t before = bytes_in(dir);
        for (int q = 0; q < 4 && in.more(); ++q) {
            const unsigned scale = next() % 6;
            const unsigned offset = next();
            check(log.window(scale, offset));
        }
        if (log.enumerate().size() > 2) __builtin_trap();
        if (bytes_in(dir) != before) __builtin_trap();
        SampleRecord r{};
        r[4] = 0x12;
        r[5] = 0x34;
        dryer::platform::LocalTime now;
        now.year = 2026;
        now.month = 12;
        now.day = 31;
        now.hour = 23;
        if (log.append(r, now)) {
            const GraphWindow& w = log.window(0, 0);
            check(w);
            if (!w.read_failed && w.points[0][kGraphPoints - 1] != 0x1234) __builtin_trap();
        }
    }
    return 0;
}
