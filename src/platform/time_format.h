// Local time of the panel and the picture formatter for dates and times.
// Pictures follow the Windows date/time picture rules (d, dd, ddd, dddd, M,
// MM, MMM, MMMM, y, yy, yyy+, h, hh, H, HH, m, mm, s, ss, t, tt; text in
// single quotes is copied, two quotes give one quote), with English names.
#pragma once

#include <cstdint>
#include <ctime>
#include <string>
#include <string_view>

namespace dryer::platform {

// A calendar time as the panel's clock shows it (local time).
struct LocalTime {
    int year = 1601;
    int month = 1;        // 1..12
    int day = 1;          // 1..31
    int day_of_week = 1;  // 0 = Sunday .. 6 = Saturday
    int hour = 0;         // 0..23
    int minute = 0;
    int second = 0;
    int millisecond = 0;
};

// local_time_now() returns the machine's current local time.
LocalTime local_time_now();

// local_time_of() returns the calendar fields of a broken-down time (a leap
// second reads as second 59).
LocalTime local_time_of(const std::tm& tm);

// to_file_time() returns the time as a 64-bit file time: 100-nanosecond
// ticks since 1601-01-01 00:00 (of the same clock, here local time).
std::int64_t to_file_time(const LocalTime& t);

// from_file_time() returns the calendar time of a file time, with the
// day of the week filled in; a negative file time gives 1601-01-01 00:00.
LocalTime from_file_time(std::int64_t ticks);

// format_picture() returns the picture with every date and time
// element replaced by the matching part of t; a field out of its range
// (month 13, day of week 9) gives an empty name rather than reading past a
// table. Characters that are not elements are copied as they are.
std::string format_picture(std::string_view picture, const LocalTime& t);

}  // namespace dryer::platform
