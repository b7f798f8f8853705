#include "platform/time_format.h"

#include <array>
#include <ctime>

namespace dryer::platform {
namespace {

constexpr std::array<const char*, 12> kMonths = {"January", "February", "March",     "April",
                                                  "May",     "June",     "July",      "August",
                                                  "September", "October", "November", "December"};
constexpr std::array<const char*, 7> kDays = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                               "Thursday", "Friday", "Saturday"};

constexpr std::int64_t kTicksPerSecond = 10'000'000;
constexpr std::int64_t kTicksPerDay = kTicksPerSecond * 86'400;
// Days from 1601-01-01 to 1970-01-01.
constexpr std::int64_t kDays1601To1970 = 134'774;

// Days since 1970-01-01 of a proleptic Gregorian date (H. Hinnant's algorithm).
std::int64_t days_from_civil(std::int64_t y, int m, int d) {
    y -= m <= 2;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const std::int64_t yoe = y - era * 400;
    const std::int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146'097 + doe - 719'468;
}

void civil_from_days(std::int64_t z, int& y, int& m, int& d) {
    z += 719'468;
    const std::int64_t era = (z >= 0 ? z : z - 146'096) / 146'097;
    const std::int64_t doe = z - era * 146'097;
    const std::int64_t yoe = (doe - doe / 1460 + doe / 36'524 - doe / 146'096) / 365;
    const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const std::int64_t mp = (5 * doy + 2) / 153;
    d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    y = static_cast<int>(yoe + era * 400 + (m <= 2));
}

std::string name_of(const auto& table, int index, std::size_t length) {
    if (index < 0 || static_cast<std::size_t>(index) >= table.size()) return {};
    return std::string(table[static_cast<std::size_t>(index)]).substr(0, length);
}

std::string number(int value, int width) {
    std::string s = std::to_string(value < 0 ? -value : value);
    if (static_cast<int>(s.size()) < width) s.insert(0, static_cast<std::size_t>(width) - s.size(), '0');
    return value < 0 ? "-" + s : s;
}

// One element: the letter c repeated count times.
std::string element(char c, int count, const LocalTime& t) {
    switch (c) {
    case 'd':
        if (count <= 2) return number(t.day, count);
        return name_of(kDays, t.day_of_week, count == 3 ? 3 : std::string::npos);
    case 'M':
        if (count <= 2) return number(t.month, count);
        return name_of(kMonths, t.month - 1, count == 3 ? 3 : std::string::npos);
    case 'y':
        if (count == 1) return number(t.year % 100, 1);
        if (count == 2) return number(t.year % 100, 2);
        return number(t.year, 1);  // three or more letters: the full year
    case 'h': {
        const int h12 = t.hour % 12 == 0 ? 12 : t.hour % 12;
        return number(h12, count >= 2 ? 2 : 1);
    }
    case 'H':
        return number(t.hour, count >= 2 ? 2 : 1);
    case 'm':
        return number(t.minute, count >= 2 ? 2 : 1);
    case 's':
        return number(t.second, count >= 2 ? 2 : 1);
    case 't': {
        const std::string marker = t.hour < 12 ? "AM" : "PM";
        return count == 1 ? marker.substr(0, 1) : marker;
    }
    case 'g':
        return "A.D.";
    default:
        return std::string(static_cast<std::size_t>(count), c);
    }
}

bool is_element(char c) {
    return c == 'd' || c == 'M' || c == 'y' || c == 'h' || c == 'H' || c == 'm' || c == 's' ||
           c == 't' || c == 'g';
}

}  // namespace

LocalTime local_time_now() {
    timespec ts{};
    clock_gettime(CLOCK_REALTIME, &ts);
    std::tm tm{};
    const std::time_t secs = ts.tv_sec;
    localtime_r(&secs, &tm);
    LocalTime t = local_time_of(tm);
    t.millisecond = static_cast<int>(ts.tv_nsec / 1'000'000);
    return t;
}

LocalTime local_time_of(const std::tm& tm) {
    LocalTime t;
    t.year = tm.tm_year + 1900;
    t.month = tm.tm_mon + 1;
    t.day = tm.tm_mday;
    t.day_of_week = tm.tm_wday;
    t.hour = tm.tm_hour;
    t.minute = tm.tm_min;
    t.second = tm.tm_sec > 59 ? 59 : tm.tm_sec;
    return t;
}

std::int64_t to_file_time(const LocalTime& t) {
    const std::int64_t days = days_from_civil(t.year, t.month, t.day) + kDays1601To1970;
    const std::int64_t secs = ((days * 24 + t.hour) * 60 + t.minute) * 60 + t.second;
    return secs * kTicksPerSecond + static_cast<std::int64_t>(t.millisecond) * 10'000;
}

LocalTime from_file_time(std::int64_t ticks) {
    if (ticks < 0) ticks = 0;
    const std::int64_t days = ticks / kTicksPerDay;
    std::int64_t rest = ticks % kTicksPerDay;
    LocalTime t;
    civil_from_days(days - kDays1601To1970, t.year, t.month, t.day);
    // 1601-01-01 was a Monday.
    t.day_of_week = static_cast<int>((days + 1) % 7);
    t.hour = static_cast<int>(rest / (kTicksPerSecond * 3600));
    rest %= kTicksPerSecond * 3600;
    t.minute = static_cast<int>(rest / (kTicksPerSecond * 60));
    rest %= kTicksPerSecond * 60;
    t.second = static_cast<int>(rest / kTicksPerSecond);
    t.millisecond = static_cast<int>((rest % kTicksPerSecond) / 10'000);
    return t;
}

std::string format_picture(std::string_view picture, const LocalTime& t) {
    std::string out;
    std::size_t i = 0;
    while (i < picture.size()) {
        const char c = picture[i];
        if (c == '\'') {
            // Quoted text up to the closing quote; '' stands for one quote.
            ++i;
            while (i < picture.size()) {
                if (picture[i] == '\'') {
                    if (i + 1 < picture.size() && picture[i + 1] == '\'') {
                        out += '\'';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                out += picture[i++];
            }
            continue;
        }
        if (!is_element(c)) {
            out += c;
            ++i;
            continue;
        }
        int count = 0;
        while (i < picture.size() && picture[i] == c) {
            ++count;
            ++i;
        }
        out += element(c, count, t);
    }
    return out;
}

}  // namespace dryer::platform
