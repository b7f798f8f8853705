// The moisture-control setup dialogs without Qt: the moisture setpoint and
// its keypad, the unload rates with their bushels-per-hour figures, the
// plenum temperature manager and the bracketed five-speed setup. Each edits
// copies in the settings image after begin_edit() and sends through the
// settings-edit path, so ACCEPT sends only what differs from the
// controller's report and a dialog closed without ACCEPT sends nothing.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "link/link_state.h"
#include "setup/common/screen_text.h"

namespace dryer::setup {

// tenths_text() returns tenths of a percent as "15.5 %"; with two_digits
// the whole part has at least two digits ("05.5 %").
std::string tenths_text(unsigned tenths, bool two_digits = false);

// ---- Moisture setpoint ----------------------------------------------------

// Which moisture value the setpoint dialog edits: mode 3 the discharge
// moisture setpoint (199-200, high byte first), mode 4 the moisture value
// of an automatic start (281-282, low byte first). Any other opener's mode
// is taken as 3.
enum class MoistureTarget : std::uint8_t { setpoint, autostart_value };
MoistureTarget moisture_target(int mode);

// reported_moisture() returns the controller's value for the target.
std::uint16_t reported_moisture(const link::LinkState& state, MoistureTarget target);

// The range a typed moisture value must lie in, tenths of a percent.
inline constexpr std::uint16_t kMoistureMin = 10;   // 1.0 %
inline constexpr std::uint16_t kMoistureMax = 500;  // 50.0 %

// The moisture keypad's entry: it opens showing the reported value; the
// first digit or DELETE starts from 0; a digit appends (ignored once the
// value has four digits, so the value always fits its two bytes), DELETE
// drops the last digit.
class MoistureKeypad {
public:
    explicit MoistureKeypad(std::uint16_t reported) : value_(reported) {}
    void digit(int d);
    void erase();
    std::uint16_t value() const { return value_; }
    bool typed() const { return typed_; }
    // display() returns the value as "%02d.%01d %".
    std::string display() const { return tenths_text(value_, true); }
    // in_range() returns whether the value may be stored.
    bool in_range() const { return value_ >= kMoistureMin && value_ <= kMoistureMax; }

private:
    std::uint16_t value_;
    bool typed_ = false;
};

// accept_moisture() stores value for the target and sends it when it differs
// from the controller's report (a pending different commit is replaced).
// Returns true when sent.
bool accept_moisture(link::LinkState& state, MoistureTarget target, std::uint16_t value);

// ---- Unload rates -----------------------------------------------------------

// dryer_length_feet() returns the length of dryer length code 0-14, 0 for
// any other code.
int dryer_length_feet(std::uint8_t code);

// unload_capacity_bph() returns the dryer's unload capacity in bushels per
// hour at 100 percent (by feet, or by length code for the dryers that carry
// bit 5 of 225).
double unload_capacity_bph(const link::ByteImage& status);

// capacity_note() returns the note under a rate group (empty when neither
// bit 7 nor bit 5 of 225 is set).
std::string capacity_note(const link::ByteImage& status);

// bph_text() returns percent of capacity as "%0.0f".
std::string bph_text(int percent, double capacity);

struct Question2 {
    std::string title;
    std::string text;
};
Question2 unload_adjust_question();
Question2 unload_accept_question();

// The unload parameters' working rates (percent). Each button reports
// whether the "set defaults?" question is to be asked now.
class UnloadRates {
public:
    // Takes the reported rates; `warned` remembers for the whole run that
    // the question during adjustment was asked.
    UnloadRates(const link::LinkState& state, bool& warned);
    int maximum() const { return max_; }
    int minimum() const { return min_; }
    bool max_up();
    bool max_down();  // true: ask unload_adjust_question()
    bool min_up();    // true: ask unload_adjust_question()
    bool min_down();
    void set_defaults();
    // accept_needs_question() is true when the maximum is not above the minimum.
    bool accept_needs_question() const { return max_ <= min_; }
    // commit() stores both rates and sends those that differ. Returns the rows sent.
    std::vector<int> commit(link::LinkState& state) const;

private:
    bool check_after_adjust();
    int max_;
    int min_;
    bool& warned_;
};

// ---- Plenum temperature manager ------------------------------------------------

inline constexpr std::array<int, 8> kTempStepF{1, 2, 3, 5, 10, 15, 20, 25};
inline constexpr std::array<int, 8> kStepMinutes{15, 30, 45, 60, 90, 120, 180, 240};

class TempManager {
public:
    // Copies the reported byte 50 into the settings image.
    explicit TempManager(link::LinkState& state);
    bool on() const { return (byte_ & 0x80) != 0; }
    int time_index() const { return (byte_ >> 3) & 0x07; }
    int step_index() const { return byte_ & 0x07; }
    std::uint8_t byte() const { return byte_; }
    void toggle();
    void time_up();
    void time_down();
    void step_up();
    void step_down();
    // "%d °F" and "%d <minutes text>".
    std::string step_text() const;
    std::string time_text(const TextFn& text) const;
    // accept() sends byte 50 when it differs. Returns true when sent.
    bool accept(link::LinkState& state) const;

private:
    std::uint8_t byte_;
};

// ---- Bracketed five-speed setup ------------------------------------------------

// The pair the five-speed setup's INC/DEC buttons act on; it survives the
// dialog for the whole run.
enum class FivePair : std::uint8_t { outer, inner };

class FiveSpeed {
public:
    // Copies the reported 187 and 226-229 into the settings image. Scheme
    // 5 (temperature) when the low three bits of 187 are 5, else moisture.
    explicit FiveSpeed(link::LinkState& state);
    bool temperature() const { return temperature_; }
    int outer_limit() const { return v_[0]; }
    int inner_limit() const { return v_[1]; }
    int outer_step() const { return v_[2]; }
    int inner_step() const { return v_[3]; }
    void limit_up(FivePair p);
    void limit_down(FivePair p);
    void step_up(FivePair p);
    void step_down(FivePair p);
    void set_defaults();

    // What the dialog shows, top row first: positive outer, positive inner,
    // setpoint, negative inner, negative outer.
    struct Rows {
        std::array<std::string, 5> error;   // left column
        std::array<std::string, 5> offset;  // "Offset" column ("" on the setpoint row)
        std::array<std::string, 5> actual;  // "Actual" column
    };
    Rows rows(const link::LinkState& state) const;

    // accept() sends each of 226-229 that differs. Returns the rows sent.
    std::vector<int> accept(link::LinkState& state) const;

private:
    bool temperature_;
    std::array<int, 4> v_{};  // 226 outer limit, 227 inner limit, 228 outer step, 229 inner step
};

}  // namespace dryer::setup
