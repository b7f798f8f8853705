// What the "Set Time / Date - 18" dialog edits and shows, without Qt: a copy
// of the local time on a 12-hour clock, the UP/DOWN wrap-around of each
// field, the conversions to and from the 24-hour clock, the localized names
// and the texts that report a clock the system would not set.
#pragma once

#include <string>

#include "platform/clock_setter.h"
#include "platform/time_format.h"
#include "setup/common/screen_text.h"

namespace dryer::setup {

enum class ClockField { month, day, year, day_of_week, hour, minute };
inline constexpr int kClockFieldCount = 6;

struct FieldRange {
    int low;
    int high;
};

// Returns the field's range: month 1-12, day 1-31, year 2000-2050, day of
// the week 0-6, hour 1-12, minute 0-59.
FieldRange field_range(ClockField field);

// Returns the value after UP (up) or DOWN: one step, wrapping past the top
// to the bottom of the range and past the bottom to the top. A value read
// from the clock outside the range (year 2051) wraps on its first step.
int step_value(int value, FieldRange range, bool up);

struct Hour12 {
    int hour;  // 1..12
    bool pm;
    bool operator==(const Hour12&) const = default;
};

// 0 -> 12 AM, 1-11 -> AM, 12 -> 12 PM, 13-23 -> hour - 12 PM.
Hour12 to_12_hour(int hour24);
// AM: 12 -> 0, others stay; PM: 12 stays, 1-11 -> 13-23.
int to_24_hour(Hour12 h);

// The dialog's copy of the time.
struct ClockEdit {
    int month = 1;
    int day = 1;
    int year = 2000;
    int day_of_week = 0;
    int hour = 12;  // 1..12
    int minute = 0;
    int second = 0;  // as read at opening, never edited
    bool pm = false;
    bool operator==(const ClockEdit&) const = default;

    int& field(ClockField f);
    // UP or DOWN on a field.
    void step(ClockField f, bool up);
};

// Returns the edit of a local time as read at opening.
ClockEdit clock_edit_of(const platform::LocalTime& t);
// Returns the local time the edit sets (hour back on the 24-hour clock).
platform::LocalTime local_time_of(const ClockEdit& e);

// Returns what a field shows: the month's and the day of the week's
// localized names (texts 113-124 and 125-131), the others as " %d"; an
// out-of-range month or weekday shows its number.
std::string field_text(const ClockEdit& e, ClockField f, const TextFn& text);
// "%s/%s" of texts 109 and 110.
std::string am_pm_title(const TextFn& text);
// Text 109 or 110.
std::string am_pm_text(const ClockEdit& e, const TextFn& text);

// A message box that reports how setting the clock went, when there is
// something to report (nothing for a clock set in full).
struct ClockReport {
    bool shown = false;
    bool refused = false;  // the clock was not changed
    std::string title;
    std::string text;
};
ClockReport clock_report(platform::ClockOutcome outcome);

}  // namespace dryer::setup
