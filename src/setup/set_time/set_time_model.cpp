#include "setup/set_time/set_time_model.h"

#include <array>
#include <cstdio>

#include "l10n/panel_texts.h"

namespace dryer::setup {
namespace {

constexpr std::array<FieldRange, kClockFieldCount> kRanges{{
    {1, 12},      // month
    {1, 31},      // day
    {2000, 2050}, // year
    {0, 6},       // day of the week
    {1, 12},      // hour
    {0, 59},      // minute
}};

std::string number(int v) {
    char s[24];
    std::snprintf(s, sizeof s, " %d", v);
    return s;
}

// Text first + index when the index is in 0..count-1, else the number.
std::string named(const TextFn& text, unsigned first, int index, int count, int value) {
    if (index < 0 || index >= count || !text) return number(value);
    std::string s = text(first + static_cast<unsigned>(index));
    return s.empty() ? number(value) : s;
}

std::string text_or(const TextFn& text, unsigned n, const char* fallback) {
    std::string s = text ? text(n) : std::string();
    return s.empty() ? std::string(fallback) : s;
}

}  // namespace

FieldRange field_range(ClockField field) { return kRanges[static_cast<std::size_t>(field)]; }

int step_value(int value, FieldRange range, bool up) {
    if (up) return value >= range.high || value < range.low ? range.low : value + 1;
    return value <= range.low || value > range.high ? range.high : value - 1;
}

Hour12 to_12_hour(int hour24) {
    if (hour24 == 0) return {12, false};
    if (hour24 < 12) return {hour24, false};
    if (hour24 == 12) return {12, true};
    return {hour24 - 12, true};
}

int to_24_hour(Hour12 h) {
    if (!h.pm) return h.hour == 12 ? 0 : h.hour;
    return h.hour == 12 ? 12 : h.hour + 12;
}

int& ClockEdit::field(ClockField f) {
    switch (f) {
    case ClockField::month: return month;
    case ClockField::day: return day;
    case ClockField::year: return year;
    case ClockField::day_of_week: return day_of_week;
    case ClockField::hour: return hour;
    case ClockField::minute: return minute;
    }
    return minute;
}

void ClockEdit::step(ClockField f, bool up) {
    int& v = field(f);
    v = step_value(v, field_range(f), up);
}

ClockEdit clock_edit_of(const platform::LocalTime& t) {
    const Hour12 h = to_12_hour(t.hour);
    return ClockEdit{t.month, t.day, t.year, t.day_of_week, h.hour, t.minute, t.second, h.pm};
}

platform::LocalTime local_time_of(const ClockEdit& e) {
    platform::LocalTime t;
    t.year = e.year;
    t.month = e.month;
    t.day = e.day;
    t.day_of_week = e.day_of_week;
    t.hour = to_24_hour({e.hour, e.pm});
    t.minute = e.minute;
    t.second = e.second;
    return t;
}

std::string field_text(const ClockEdit& e, ClockField f, const TextFn& text) {
    switch (f) {
    case ClockField::month: return named(text, 113, e.month - 1, 12, e.month);
    case ClockField::day_of_week: return named(text, 125, e.day_of_week, 7, e.day_of_week);
    default: {
        ClockEdit copy = e;
        return number(copy.field(f));
    }
    }
}

std::string am_pm_title(const TextFn& text) { return text_or(text, 109, "AM") + "/" + text_or(text, 110, "PM"); }

std::string am_pm_text(const ClockEdit& e, const TextFn& text) {
    return e.pm ? text_or(text, 110, "PM") : text_or(text, 109, "AM");
}

ClockReport clock_report(platform::ClockOutcome outcome) {
    using platform::ClockOutcome;
    const std::string refused = l10n::local("CLOCK NOT SET");
    switch (outcome) {
    case ClockOutcome::set: return {};
    case ClockOutcome::set_without_rtc:
        return {true, false, l10n::local("HARDWARE CLOCK NOT SET"),
                l10n::local("The clock is set, but the hardware clock could not be set. The time may be lost at "
                            "the next restart.")};
    case ClockOutcome::invalid_time:
        return {true, true, refused,
                l10n::local("This date does not exist (for example 31 February). The clock was not changed.")};
    case ClockOutcome::not_permitted:
        return {true, true, refused,
                l10n::local("The system did not allow the panel to set the clock. The clock was not changed.")};
    case ClockOutcome::automatic_sync:
        return {true, true, refused,
                l10n::local("The clock is kept by network time synchronization. The clock was not changed.")};
    case ClockOutcome::failed: break;
    }
    return {true, true, refused, l10n::local("The clock could not be set. The clock was not changed.")};
}

}  // namespace dryer::setup
