#include "setup/keypads/timer_keypad.h"

#include <cstdio>

#include "link/link_state.h"
#include "link/settings_edit.h"

namespace dryer::setup {

TimerKeypad::TimerKeypad(MinSec preload, TimerLimits limits)
    : limits_(limits), min_(preload.min), sec_(preload.sec) {}

void TimerKeypad::left_digit(int d) {
    if (d < 0 || d > 9) return;
    switch (lpos_) {
    case 0:
        fresh_ = true;  // the preloaded minutes are discarded
        min_ = d;
        if (d != 0) lpos_ = 1;  // leading zeros keep position 0
        break;
    case 1:
        min_ = min_ * 10 + d;
        lpos_ = 2;
        break;
    case 2:
        lpos_ = 3;
        if (min_ < 25) min_ = min_ * 10 + d;  // so at most 249
        break;
    default:
        break;  // a fourth digit is ignored
    }
}

void TimerKeypad::left_del() {
    if (lpos_ == 0 && !fresh_) {
        fresh_ = true;
        min_ = 0;
    }
    min_ /= 10;
    if (lpos_ > 0) --lpos_;
}

void TimerKeypad::right_digit(int d) {
    if (d < 0 || d > 9) return;
    switch (rpos_) {
    case 0:
        fresh_ = true;  // the preloaded seconds are discarded
        sec_ = d;
        if (d != 0) rpos_ = 1;
        break;
    case 1:
        rpos_ = 2;
        if (sec_ < 6) sec_ = sec_ * 10 + d;  // so at most 59
        break;
    default:
        break;
    }
}

void TimerKeypad::right_del() {
    if (rpos_ == 0 && !fresh_) {
        fresh_ = true;
        sec_ = 0;
    }
    sec_ /= 10;
    if (rpos_ > 0) --rpos_;
}

void TimerKeypad::load_default() {
    min_ = limits_.def.min;
    sec_ = limits_.def.sec;
    rpos_ = sec_ >= 10 ? 1 : 0;
    lpos_ = min_ >= 100 ? 3 : (min_ >= 10 ? 2 : 1);
}

std::string TimerKeypad::display() const {
    char buf[32];
    std::snprintf(buf, sizeof buf, " %03d : %02d ", min_, sec_);
    return buf;
}

std::optional<MinSec> TimerKeypad::accept() const {
    const int total = min_ * 60 + sec_;
    if (total > limits_.max.total() || total < limits_.min.total()) return std::nullopt;
    return MinSec{static_cast<std::uint8_t>(min_), static_cast<std::uint8_t>(sec_)};
}

std::string limit_line(const std::string& label, MinSec value) {
    char buf[32];
    std::snprintf(buf, sizeof buf, " = %02d:%02d", value.min, value.sec);
    return label + buf;
}

MinSec begin_timer_edit(link::LinkState& state, std::size_t offset) {
    link::begin_edit(state, offset, 2);
    return MinSec{state.status.get(offset), state.status.get(offset + 1)};
}

bool store_timer(link::LinkState& state, std::size_t offset, MinSec value, std::string_view source) {
    return link::commit_min_sec(state, offset, value.min, value.sec, source);
}

}  // namespace dryer::setup
