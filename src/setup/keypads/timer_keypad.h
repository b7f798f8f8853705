// The timer keypad's key logic: a minutes pad (four entry positions, at most
// 249 typed) and a seconds pad (three positions, at most 59 typed) sharing one
// "fresh" flag, DEFAULT, and ACCEPT with a range check on total seconds. No Qt.
//
// Usage:
//   TimerKeypad k({1, 0}, {{0, 1}, {10, 0}, {1, 0}});
//   k.left_digit(2); k.right_digit(3); k.right_digit(0);
//   if (auto t = k.accept()) store_timer(state, 31, *t, "timer selection");
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace dryer::link {
struct LinkState;
}

namespace dryer::setup {

// A timer value as the controller keeps it: a minutes byte and a seconds byte.
struct MinSec {
    std::uint8_t min;
    std::uint8_t sec;
    int total() const { return min * 60 + sec; }
    bool operator==(const MinSec&) const = default;
};

struct TimerLimits {
    MinSec min;
    MinSec max;
    MinSec def;
    bool operator==(const TimerLimits&) const = default;
};

// One timer setting: the minutes byte at offset, the seconds byte after it;
// the pair is sent under the reply item of offset.
struct TimerTarget {
    std::size_t offset;
    TimerLimits limits;
    bool operator==(const TimerTarget&) const = default;
};

class TimerKeypad {
public:
    // The keypad opens with both entry positions 0, not fresh, showing preload.
    TimerKeypad(MinSec preload, TimerLimits limits);

    void left_digit(int d);   // minutes pad; d outside 0..9 is ignored
    void left_del();
    void right_digit(int d);  // seconds pad
    void right_del();
    void load_default();

    int minutes() const { return min_; }
    int seconds() const { return sec_; }
    int left_position() const { return lpos_; }
    int right_position() const { return rpos_; }
    bool fresh() const { return fresh_; }
    const TimerLimits& limits() const { return limits_; }

    // display() returns " %03d : %02d " of minutes and seconds.
    std::string display() const;

    // accept() returns the value to store, or nothing when its total
    // seconds lie above the maximum's or below the minimum's.
    std::optional<MinSec> accept() const;

private:
    TimerLimits limits_;
    int min_;
    int sec_;
    int lpos_ = 0;
    int rpos_ = 0;
    bool fresh_ = false;
};

// limit_line() formats "%s = %02d:%02d" of label and value (UTF-8).
std::string limit_line(const std::string& label, MinSec value);

// begin_timer_edit() copies the status bytes at offset and offset + 1 into
// the settings image (link::begin_edit(), which keeps a value still pending)
// and returns the status value.
MinSec begin_timer_edit(link::LinkState& state, std::size_t offset);

// store_timer() commits the minutes and seconds bytes through the
// settings-edit path: the bytes first, then the change flag of the setting's
// row; the commit is journaled under `source`. Returns false when no reply
// row sends that offset.
bool store_timer(link::LinkState& state, std::size_t offset, MinSec value, std::string_view source);

}  // namespace dryer::setup
