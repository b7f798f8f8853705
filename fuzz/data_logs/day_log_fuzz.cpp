// Any set of 24-hour log files (names valid, stray or folders; any sizes, any
// bytes): the reader pages, counts and appends without crashing, never
// returns more than asked, never loses a byte of what was there (extra files
// are renamed, not deleted), and after an append the newest record read back
// is the one appended.
//
// Input: byte 0 gives the number of entries (0-4); each entry is a kind byte
// (bits 0-2 pick one of eight times in the name, bits 3-4: 0-1 a log file,
// 2 a stray name, 3 a folder), a length byte pair (low first, at most 6000)
// and that many content bytes; the rest are (count, skip) pairs for pages.
#include <algorithm>
#include <cstdint>
#include <fstream>
#include <string>

#include "../sample_files_input.h"
#include "logging/day_log/day_log.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace dryer::logging;
    using dryer::fuzz::bytes_in;
    const dryer::fuzz::SampleFolder folder("dryer-daylog-fuzz", "ShortTermDataLog");
    if (!folder.ok()) return 0;
    const std::filesystem::path& dir = folder.dir();
    dryer::fuzz::FuzzBytes in(data, size);
    const auto next = [&in] { return in.next(); };
    const int entries = next() % 5;
    for (int e = 0; e < entries; ++e) {
        const auto entry = dryer::fuzz::next_entry(in, dir, "DATA_LOG_24HR");
        if (!entry.path) continue;
        const std::size_t length = std::min<std::size_t>(entry.length, 6000);
        std::string content(length, '\0');
        for (auto& c : content) c = static_cast<char>(next());
        std::ofstream(*entry.path, std::ios::binary | std::ios::app) << content;
    }
    {
        DayLog log(dir);
        const std::uint64_t before = bytes_in(dir);
        if (log.record_count() > kDayLogShownRecords) __builtin_trap();
        for (int q = 0; q < 4 && in.more(); ++q) {
            const std::size_t count = next();
            const std::size_t skip = next() * 2u;
            const auto page = log.read_page(count, skip);
            if (page.records.size() > count) __builtin_trap();
            if (page.status != PageStatus::ok && !page.records.empty()) __builtin_trap();
        }
        if (log.enumerate().size() > 2) __builtin_trap();
        if (bytes_in(dir) != before) __builtin_trap();
        SampleRecord r{};
        r[0] = 0xAB;
        r[1] = 0xCD;
        dryer::platform::LocalTime now;
        now.year = 2026;
        now.month = 12;
        now.day = 31;
        now.hour = 23;
        if (log.append_sample(r, now) == DayAppend::written) {
            const auto page = log.read_page(1, 0);
            if (page.records.size() != 1 || page.records[0] != r) __builtin_trap();
        }
    }
    return 0;
}
