// The temperature keypad's key logic: three entry positions, the "fresh"
// rule that discards the preloaded value on the first key, DELETE, CLEAR,
// DEFAULT, and ACCEPT with its range check and Celsius correction. No Qt.
//
// Usage:
//   TempKeypad k(preload_f, {50, 250, 180}, celsius);
//   k.digit(1); k.digit(9); k.digit(0);
//   if (auto f = k.accept()) store_temperature(state, 69, *f, "temperature setpoints");
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

// Limits the opening screen hands to the keypad, whole degrees Fahrenheit.
struct TempLimits {
    std::uint16_t min;
    std::uint16_t max;
    std::uint16_t def;
    bool operator==(const TempLimits&) const = default;
};

// One temperature setting: its two-byte (low byte first) setting offset,
// which is also its reply item, and its limits.
struct TempTarget {
    std::size_t offset;
    TempLimits limits;
    bool operator==(const TempTarget&) const = default;
};

class TempKeypad {
public:
    // The keypad opens at entry position 0, not fresh, showing preload_f
    // (converted when celsius is set: the operator types in the shown unit).
    TempKeypad(std::uint16_t preload_f, TempLimits limits, bool celsius);

    void digit(int d);     // d outside 0..9 is ignored
    void del();            // DELETE
    void clear();          // CLEAR
    void load_default();   // DEFAULT

    // value() returns the number shown, in the displayed unit.
    int value() const { return value_; }
    int position() const { return pos_; }
    bool fresh() const { return fresh_; }
    bool celsius() const { return celsius_; }

    // display() returns " %03d °F " (or °C with the Celsius flag), UTF-8.
    std::string display() const;

    // accept() returns the Fahrenheit value to store, or nothing when the
    // entry lies outside [min, max]. A typed Celsius value t is checked as
    // t*9/5+32 and stored with the correction that makes it convert back to
    // t exactly. A shown value that came from a Fahrenheit source (the
    // preload or DEFAULT) and was not edited is stored as that Fahrenheit
    // value, so what the operator saw is what is stored.
    std::optional<std::uint16_t> accept() const;

private:
    int shown(std::uint16_t f) const;

    TempLimits limits_;
    bool celsius_;
    int value_ = 0;
    int pos_ = 0;
    bool fresh_ = false;
    std::optional<std::uint16_t> exact_f_;  // Fahrenheit value behind an unedited display
};

// celsius_to_stored_f() returns t*9/5+32 (truncated) plus the correction
// (+1 when t mod 5 is 4, +2 when it is 1, 2 or 3) for a typed t >= 0; a
// negative t is taken as 0.
int celsius_to_stored_f(int t);

// begin_temperature_edit() copies the two status bytes at offset into the
// settings image (link::begin_edit(), which keeps a value still pending) and
// returns the status value, low byte first.
std::uint16_t begin_temperature_edit(link::LinkState& state, std::size_t offset);

// store_temperature() commits value (low byte first) at offset through the
// settings-edit path: the bytes first, then the change flag of the setting's
// row; the commit is journaled under `source`. Returns false when no reply
// row sends that offset.
bool store_temperature(link::LinkState& state, std::size_t offset, std::uint16_t value, std::string_view source);

}  // namespace dryer::setup
