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
#include <stdlib.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "logging/day_log/day_log.h"

namespace {

std::uint64_t bytes_in(const std::filesystem::path& dir) {
    std::uint64_t total = 0;
    std::error_code ec;
    for (std::filesystem::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        if (it->is_regular_file()) total += it->file_size();
    }
    return total;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace dryer::logging;
    std::string tmpl = (std::filesystem::temp_directory_path() / "dryer-daylog-fuzz-XXXXXX").string();
    if (!mkdtemp(tmpl.data())) return 0;
    const std::filesystem::path dir = std::filesystem::path(tmpl) / "ShortTermDataLog";
    std::filesystem::create_directories(dir);
    std::size_t at = 0;
    const auto next = [&]() -> std::uint8_t { return at < size ? data[at++] : 0; };
    const int entries = next() % 5;
    for (int e = 0; e < entries; ++e) {
        const std::uint8_t kind = next();
        std::size_t length = next();
        length |= static_cast<std::size_t>(next()) << 8;
        if (length > 6000) length = 6000;
        const std::string stamp = "26_12_0" + std::to_string(1 + (kind & 7)) + "_06_00_00";
        const int what = (kind >> 3) & 3;
        const auto path = dir / ((what == 2 ? "DATA_LOG_24HRzz" + stamp.substr(2) : "DATA_LOG_24HR" + stamp) + ".DAT");
        if (what == 3) {
            std::error_code ec;  // a file of that name may be there already
            std::filesystem::create_directories(path, ec);
            continue;
        }
        std::string content(length, '\0');
        for (auto& c : content) c = static_cast<char>(next());
        std::ofstream(path, std::ios::binary | std::ios::app) << content;
    }
    {
        DayLog log(dir);
        const std::uint64_t before = bytes_in(dir);
        if (log.record_count() > kDayLogShownRecords) __builtin_trap();
        for (int q = 0; q < 4 && at < size; ++q) {
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
    std::filesystem::remove_all(tmpl);
    return 0;
}
