#include "setup/calibration/calibration_model.h"

#include <algorithm>
#include <cstdlib>

#include "link/reply_table.h"
#include "link/settings_edit.h"
#include "views/scene/format.h"

namespace dryer::setup {
namespace {

namespace off = link::off;

constexpr const char* kCalibrationSource = "moisture sensor calibration";
constexpr const char* kBushelsSource = "unload bushels setup";
constexpr const char* kVoltageSource = "meter roll output voltage setup";

int s16be(const link::ByteImage& im, std::size_t at) { return static_cast<std::int16_t>(link::u16be(im, at)); }

using views::fmt;

// Tenths as whole part and one digit, the sign in front of the whole value
// (a plain "%d.%1d" would print -5 as "0.-5"); two_digits pads the whole
// part to two places ("%2d").
std::string tenths_text(int tenths, bool two_digits) {
    const int magnitude = std::abs(tenths);
    const char* sign = tenths < 0 ? "-" : "";
    const std::string whole = two_digits ? fmt("%2s", fmt("%s%d", sign, magnitude / 10).c_str())
                                         : fmt("%s%d", sign, magnitude / 10);
    return whole + fmt(".%1d", magnitude % 10);
}

}  // namespace

// ---- Moisture sensor calibration -----------------------------------------

std::size_t trim_offset(Trim t) {
    switch (t) {
    case Trim::wet_moisture: return off::mcal_234;
    case Trim::dry_moisture: return off::mcal_232;
    case Trim::wet_temperature: return off::mcal_243;
    case Trim::dry_temperature: return off::mcal_241;
    }
    return off::mcal_234;
}

int trim_limit(Trim t) { return t == Trim::wet_moisture || t == Trim::dry_moisture ? 200 : 100; }

SensorReadings sensor_readings(const link::ByteImage& status) {
    return {link::u16be(status, off::moisture_191), s16be(status, off::value_195), link::u16be(status, off::moisture_189),
            s16be(status, off::grain_temp_193)};
}

std::string moisture_line(const std::string& label, int tenths) { return label + ":  " + tenths_text(tenths, true) + " %"; }

std::string temperature_line(const std::string& label, int tenths) { return label + ": " + tenths_text(tenths, false) + " F"; }

std::string trim_text(int tenths) { return fmt("%3.1f", tenths * 0.1); }

MoistureCalibration::MoistureCalibration(link::LinkState& state) {
    link::begin_edit(state, off::mcal_232, 4);
    link::begin_edit(state, off::mcal_241, 4);
    for (Trim t : kTrims) values_[static_cast<std::size_t>(t)] = s16be(state.settings, trim_offset(t));
}

void MoistureCalibration::step(Trim t, int delta) {
    int& v = values_[static_cast<std::size_t>(t)];
    v = std::clamp(v + delta, -trim_limit(t), trim_limit(t));
}

std::vector<int> MoistureCalibration::accept(link::LinkState& state) const {
    for (Trim t : kTrims)
        state.settings.set_u16be(trim_offset(t), static_cast<std::uint16_t>(values_[static_cast<std::size_t>(t)]));
    return link::commit_changed(state, {link::row::mcal_232, link::row::mcal_234, link::row::mcal_241, link::row::mcal_243},
                                kCalibrationSource);
}

// ---- Unload bushels -------------------------------------------------------

std::uint32_t total_bushels(const link::ByteImage& status) { return link::u32le(status, off::unload_counter) / 3600u; }

std::string multiplier_text(int percent) { return fmt("%d %%", percent); }

UnloadBushels::UnloadBushels(link::LinkState& state) {
    link::begin_edit(state, off::unload_163, 1);
    multiplier_ = state.settings.get(off::unload_163);
}

void UnloadBushels::increase() { multiplier_ = std::clamp(multiplier_ + 1, kMultiplierMin, kMultiplierMax); }
void UnloadBushels::decrease() { multiplier_ = std::clamp(multiplier_ - 1, kMultiplierMin, kMultiplierMax); }

bool UnloadBushels::accept(link::LinkState& state) const {
    state.settings.set(off::unload_163, static_cast<std::uint8_t>(multiplier_));
    return !link::commit_changed(state, {link::row::unload_bushels}, kBushelsSource).empty();
}

void request_counter_zero(link::LinkState& state) {
    link::begin_edit(state, off::unload_control_238, 1);
    const auto control = static_cast<std::uint8_t>(state.settings.get(off::unload_control_238) | 0x08);
    link::commit_u8(state, off::unload_control_238, control, kBushelsSource);
}

// ---- Metering-roll output voltage ---------------------------------------

LimitRange limit_range(RollLimit l) { return l == RollLimit::minimum ? LimitRange{0, 64} : LimitRange{166, 255}; }

std::string percent_text(int value, bool changed) {
    return fmt(changed ? " %3.2f %%" : "%3.2f %%", value * 100.0 / 255.0);
}

std::string volts_text(int value, bool changed) {
    return fmt(changed ? " ~%3.1f V" : "~%3.1f V", value * 10.0 / 255.0);
}

MeterRollVoltage::MeterRollVoltage(const link::LinkState& state)
    : minimum_(state.status.get(off::mr_volt_237)), maximum_(state.status.get(off::mr_volt_236)) {}

void MeterRollVoltage::step(link::LinkState& state, RollLimit l, int delta) {
    const LimitRange r = limit_range(l);
    const bool minimum = l == RollLimit::minimum;
    int& v = minimum ? minimum_ : maximum_;
    v = std::clamp(v + delta, r.low, r.high);
    (minimum ? min_changed_ : max_changed_) = true;
    link::commit_u8(state, minimum ? off::mr_volt_237 : off::mr_volt_236, static_cast<std::uint8_t>(v), kVoltageSource);
    link::commit_u8(state, off::unload_control_238, minimum ? kDriveMinimum : kDriveMaximum, kVoltageSource);
}

void MeterRollVoltage::defaults(link::LinkState& state) {
    minimum_ = 0;
    maximum_ = 255;
    min_changed_ = max_changed_ = false;
    link::commit_u8(state, off::mr_volt_237, 0, kVoltageSource);
    link::commit_u8(state, off::mr_volt_236, 255, kVoltageSource);
}

void MeterRollVoltage::leave(link::LinkState& state) {
    link::commit_u8(state, off::unload_control_238, kDriveNormal, kVoltageSource);
}

}  // namespace dryer::setup
