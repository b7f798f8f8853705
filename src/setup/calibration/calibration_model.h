// The calibration dialogs without Qt: the moisture sensor trims with their
// live readings, the bushels-per-hour multiplier and the total counter's
// zeroing, and the metering-roll output limits. Each works on copies taken
// through the settings-edit path and sends through it, so only what differs
// from the controller's report goes out.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "l10n/panel_texts.h"
#include "link/link_state.h"

namespace dryer::setup {

// ---- Moisture sensor calibration -----------------------------------------

enum class Trim : std::uint8_t { wet_moisture, dry_moisture, wet_temperature, dry_temperature };
inline constexpr std::array<Trim, 4> kTrims{Trim::wet_moisture, Trim::dry_moisture, Trim::wet_temperature,
                                            Trim::dry_temperature};

// trim_offset() returns the setting offset of the trim (signed, high byte
// first, tenths); trim_limit() the magnitude it is clamped to.
std::size_t trim_offset(Trim t);
int trim_limit(Trim t);

// The live readings the operator trims against, in tenths: moisture from
// 191-192 (wet) and 189-190 (dry), unsigned; temperatures in Fahrenheit
// from 195-196 and 193-194, signed. All high byte first.
struct SensorReadings {
    int wet_moisture = 0;
    int wet_temperature = 0;
    int dry_moisture = 0;
    int dry_temperature = 0;
};
SensorReadings sensor_readings(const link::ByteImage& status);

// moisture_line() returns "<label>:  15.5 %" (tenths, at least two digits
// before the point); temperature_line() returns "<label>: 72.3 F" with a
// sign in front of the whole value when it is below zero ("-0.5 F").
std::string moisture_line(const std::string& label, int tenths);
std::string temperature_line(const std::string& label, int tenths);

// trim_text() returns an offset in tenths as "%3.1f" ("-0.5", "20.0").
std::string trim_text(int tenths);

class MoistureCalibration {
public:
    // Takes the working copies of 232-235 and 241-244 (a trim committed
    // earlier and not yet echoed stays as committed).
    explicit MoistureCalibration(link::LinkState& state);

    int value(Trim t) const { return values_[static_cast<std::size_t>(t)]; }
    // step() adds delta (+1 for ">>>", -1 for "<<<") and clamps the result
    // to the trim's range; a copy outside the range comes back inside it.
    void step(Trim t, int delta);
    // accept() writes the four trims and sends those that differ from the
    // controller's report. Returns the rows sent.
    std::vector<int> accept(link::LinkState& state) const;

private:
    std::array<int, 4> values_{};
};

// ---- Unload bushels -------------------------------------------------------

inline constexpr int kMultiplierMin = 50;
inline constexpr int kMultiplierMax = 150;

// total_bushels() returns the counter of bushel-seconds (164-167, low byte
// first) divided by 3600, truncated.
std::uint32_t total_bushels(const link::ByteImage& status);
// multiplier_text() returns "%d %%".
std::string multiplier_text(int percent);

// The title and text of the question asked before zeroing the counter.
inline constexpr const char* kClearCounterTitle = l10n::english(" TOTAL BUSHEL COUNTER");
inline constexpr const char* kClearCounterText = l10n::english("Do you wish to ZERO total bushels?");

class UnloadBushels {
public:
    // Takes the working copy of 163.
    explicit UnloadBushels(link::LinkState& state);

    int multiplier() const { return multiplier_; }
    // increase() and decrease() step by 1 within 50..150; a copy outside
    // the range comes back inside it.
    void increase();
    void decrease();
    // accept() sends the multiplier when it differs from the controller's
    // report. Returns true when sent.
    bool accept(link::LinkState& state) const;

private:
    int multiplier_ = 100;
};

// request_counter_zero() sets bit 3 of the working copy of 238 and sends
// it; the decoder keeps it going out until the counter reads zero.
void request_counter_zero(link::LinkState& state);

// ---- Metering-roll output voltage ---------------------------------------

enum class RollLimit : std::uint8_t { minimum, maximum };

struct LimitRange {
    int low, high;
};
// limit_range() returns 0..64 for the minimum and 166..255 for the maximum.
LimitRange limit_range(RollLimit l);

// percent_text() returns value x 100 / 255 as "%3.2f %%", volts_text()
// value x 10 / 255 as "~%3.1f V"; a value changed in the dialog is shown
// with a blank in front.
std::string percent_text(int value, bool changed);
std::string volts_text(int value, bool changed);

// The control byte 238 while the setup runs: which limit the controller
// drives the rolls at.
inline constexpr std::uint8_t kDriveMaximum = 1;
inline constexpr std::uint8_t kDriveMinimum = 2;
inline constexpr std::uint8_t kDriveNormal = 0;

class MeterRollVoltage {
public:
    // Takes the working limits from the controller's report (236 maximum,
    // 237 minimum).
    explicit MeterRollVoltage(const link::LinkState& state);

    int value(RollLimit l) const { return l == RollLimit::minimum ? minimum_ : maximum_; }
    bool changed(RollLimit l) const { return l == RollLimit::minimum ? min_changed_ : max_changed_; }
    // step() moves the limit by +1 or -1 within its range (a reported value
    // outside it comes back inside), sends it at once and makes the
    // controller drive the rolls at it (238 = 2 for the minimum, 1 for the
    // maximum).
    void step(link::LinkState& state, RollLimit l, int delta);
    // defaults() sets the minimum to 0 and the maximum to 255 and sends both.
    void defaults(link::LinkState& state);
    // leave() returns the rolls to normal control (238 = 0); the limits
    // already sent stay sent.
    static void leave(link::LinkState& state);

private:
    int minimum_ = 0;
    int maximum_ = 255;
    bool min_changed_ = false;
    bool max_changed_ = false;
};

}  // namespace dryer::setup
