// Setting the panel's clock so that it survives a restart: the system
// clock and the hardware clock. First through the system's time service
// (org.freedesktop.timedate1 SetTime over the system D-Bus, which sets both
// clocks and asks polkit for the right "org.freedesktop.timedate1.set-time");
// when there is no system bus or no time service on it, directly: the
// system clock with clock_settime(CLOCK_REALTIME) (needs CAP_SYS_TIME) and
// the hardware clock /dev/rtc0 in UTC with the RTC_SET_TIME ioctl.
//
// A local time that does not exist (31 February, a time skipped by a
// daylight-saving change) is refused before anything is touched: the fields
// are converted with mktime and must come back unchanged. The day of the
// week is not part of a Linux clock; it follows from the date.
//
// The header has no Qt; the implementation uses Qt D-Bus.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/time_format.h"

namespace dryer::platform {

enum class ClockOutcome {
    set,              // system clock and hardware clock set
    set_without_rtc,  // system clock set, the hardware clock could not be
    invalid_time,     // the local time does not exist; nothing changed
    not_permitted,    // the system refused the right; nothing changed
    automatic_sync,   // the time service keeps the clock by network time
    failed,           // another failure; nothing changed
};

struct ClockResult {
    ClockOutcome outcome = ClockOutcome::failed;
    std::string detail;  // the error's name or text, for a log line
};

// Returns the seconds since the epoch of the local time (year, month, day,
// hour, minute, second; day_of_week and millisecond are ignored), or nothing
// when that local time does not exist or is out of range.
std::optional<std::int64_t> epoch_of_local_time(const LocalTime& t);

// Sets the clock to the local time t as described above and returns how it
// went. Blocks until the time service answers (at most 10 seconds).
ClockResult set_local_clock(const LocalTime& t);

}  // namespace dryer::platform
