#include "setup/keypads/temp_keypad.h"

#include <algorithm>
#include <cstdio>

#include "link/link_state.h"
#include "link/settings_edit.h"
#include "setup/common/screen_text.h"

namespace dryer::setup {

TempKeypad::TempKeypad(std::uint16_t preload_f, TempLimits limits, bool celsius)
    : limits_(limits), celsius_(celsius), value_(shown(preload_f)), exact_f_(preload_f) {}

int TempKeypad::shown(std::uint16_t f) const { return shown_temperature(f, celsius_); }

void TempKeypad::digit(int d) {
    if (d < 0 || d > 9) return;
    exact_f_.reset();
    switch (pos_) {
    case 0:
        fresh_ = true;  // the preloaded value is discarded
        value_ = d;
        pos_ = 1;
        break;
    case 1:
        value_ = value_ * 10 + d;
        pos_ = 2;
        break;
    default:
        // At most three significant digits; leading zeros do not count.
        if (value_ < 100) value_ = value_ * 10 + d;
        break;
    }
}

void TempKeypad::del() {
    exact_f_.reset();
    if (pos_ == 0 && !fresh_) {
        fresh_ = true;
        value_ = 0;
    }
    value_ /= 10;
    pos_ = (pos_ == 1) ? 2 : 1;
}

void TempKeypad::clear() {
    exact_f_.reset();
    value_ = 0;
    pos_ = 0;
}

void TempKeypad::load_default() {
    exact_f_ = limits_.def;
    // A default below 0 degrees in the shown unit would let later keys build
    // negative entries; it is shown as 0 (no table has such a default).
    value_ = std::max(0, shown(limits_.def));
    pos_ = value_ >= 100 ? 2 : (value_ >= 10 ? 1 : 0);
}

std::string TempKeypad::display() const {
    char buf[40];
    std::snprintf(buf, sizeof buf, " %03d \u00B0%c ", value_, celsius_ ? 'C' : 'F');
    return buf;
}

int celsius_to_stored_f(int t) {
    static constexpr int kCorrection[5] = {0, 2, 2, 2, 1};
    if (t < 0) t = 0;  // typed entries are never negative
    return t * 9 / 5 + 32 + kCorrection[t % 5];
}

std::optional<std::uint16_t> TempKeypad::accept() const {
    int checked = 0;
    int stored = 0;
    if (exact_f_) {
        checked = stored = *exact_f_;
    } else if (celsius_) {
        checked = value_ * 9 / 5 + 32;
        stored = celsius_to_stored_f(value_);
    } else {
        checked = stored = value_;
    }
    if (checked > limits_.max || checked < limits_.min) return std::nullopt;
    return static_cast<std::uint16_t>(stored);
}

std::uint16_t begin_temperature_edit(link::LinkState& state, std::size_t offset) {
    link::begin_edit(state, offset, 2);
    return link::u16le(state.status, offset);
}

bool store_temperature(link::LinkState& state, std::size_t offset, std::uint16_t value, std::string_view source) {
    return link::commit_u16le(state, offset, value, source);
}

}  // namespace dryer::setup
