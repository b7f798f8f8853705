// Sample records and a panel root for the status chart's tests.
#pragma once

#include <cstdint>

#include "logging/day_log/day_log.h"
#include "platform/panel_paths.h"
#include "platform/time_format.h"
#include "tests/support/temp_root.h"

namespace dryer::views::test {

// The values of one record, written big-endian as the log stores them.
struct RecordValues {
    std::uint16_t grain_column = 150, grain_in = 600, moisture_in = 205, grain_out = 952, moisture_out = 154;
    std::uint8_t meter_roll = 45, hour = 13, minute = 5, second = 0, month = 12, day = 8;
};

inline logging::SampleRecord make_record(const RecordValues& v) {
    logging::SampleRecord r{};
    const auto be = [&r](std::size_t at, std::uint16_t x) {
        r[at] = static_cast<std::uint8_t>(x >> 8);
        r[at + 1] = static_cast<std::uint8_t>(x & 0xFF);
    };
    be(0, v.grain_column);
    be(2, v.grain_in);
    be(4, v.moisture_in);
    be(6, v.grain_out);
    be(8, v.moisture_out);
    r[11] = v.meter_roll;
    r[13] = v.hour;
    r[14] = v.minute;
    r[15] = v.second;
    r[16] = v.month;
    r[17] = v.day;
    return r;
}

// A record numbered n: minute n % 60 and hour n / 60, so a page's records
// are told apart by their time.
inline logging::SampleRecord numbered(unsigned n) {
    RecordValues v;
    v.hour = static_cast<std::uint8_t>(n / 60);
    v.minute = static_cast<std::uint8_t>(n % 60);
    return make_record(v);
}
inline unsigned number_of(const logging::SampleRecord& r) { return r[13] * 60u + r[14]; }

inline platform::LocalTime clock_at(int hour, int minute, int second) {
    return {.year = 2026, .month = 12, .day = 8, .hour = hour, .minute = minute, .second = second};
}

// A panel root in a temporary folder, set as the panel's root while it lives.
class ChartRoot : public test_support::TempRoot {
public:
    ChartRoot() { platform::set_panel_root(path()); }
};

// Appends records first..last-1 through the day log, one a minute.
inline void append_numbered(logging::DayLog& log, unsigned first, unsigned last) {
    for (unsigned n = first; n < last; ++n)
        log.append_sample(numbered(n), clock_at(static_cast<int>(n / 60 % 24), static_cast<int>(n % 60), 0));
}

}  // namespace dryer::views::test
