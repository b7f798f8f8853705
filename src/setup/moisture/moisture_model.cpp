#include "setup/moisture/moisture_model.h"

#include <algorithm>
#include <cstdio>

#include "l10n/panel_texts.h"
#include "link/fields.h"
#include "link/settings_edit.h"

namespace dryer::setup {

namespace {
namespace off = link::off;

std::string printed(const char* format, auto... values) {
    char buf[96];
    std::snprintf(buf, sizeof buf, format, values...);
    return buf;
}

constexpr std::array<int, 15> kLengthFeet{8, 10, 12, 14, 16, 18, 20, 22, 24, 26, 28, 34, 36, 38, 40};

// Capacity by length code of the dryers that carry bit 5 of 225.
int capacity_by_code(std::uint8_t code) {
    if (code <= 3) return 3000;
    if (code <= 5) return 4000;
    if (code == 6) return 6400;
    if (code <= 8) return 7000;
    return 8000;
}

constexpr int kDefaultMax = 80;
constexpr int kDefaultMin = 5;
constexpr int kLowestMin = 5;
}  // namespace

std::string tenths_text(unsigned tenths, bool two_digits) {
    return printed(two_digits ? "%02u.%01u %%" : "%u.%01u %%", tenths / 10, tenths % 10);
}

// ---- Moisture setpoint ----------------------------------------------------

MoistureTarget moisture_target(int mode) {
    return mode == 4 ? MoistureTarget::autostart_value : MoistureTarget::setpoint;
}

std::uint16_t reported_moisture(const link::LinkState& state, MoistureTarget target) {
    return target == MoistureTarget::setpoint ? link::u16be(state.status, off::moisture_setpoint)
                                              : link::u16le(state.status, off::moisture_281);
}

void MoistureKeypad::digit(int d) {
    if (d < 0 || d > 9) return;
    if (!typed_) value_ = 0;
    typed_ = true;
    if (value_ >= 1000) return;  // four digits: 999.9 %
    value_ = static_cast<std::uint16_t>(value_ * 10 + d);
}

void MoistureKeypad::erase() {
    if (!typed_) value_ = 0;
    typed_ = true;
    value_ = static_cast<std::uint16_t>(value_ / 10);
}

bool accept_moisture(link::LinkState& state, MoistureTarget target, std::uint16_t value) {
    const bool setpoint = target == MoistureTarget::setpoint;
    const std::size_t at = setpoint ? off::moisture_setpoint : off::moisture_281;
    link::begin_edit(state, at, 2);
    const auto hi = static_cast<std::uint8_t>(value >> 8);
    const auto lo = static_cast<std::uint8_t>(value & 0xFF);
    state.settings.set(at, setpoint ? hi : lo);
    state.settings.set(at + 1, setpoint ? lo : hi);
    const int row = setpoint ? link::row::moisture_setpoint : link::row::moisture_281;
    return !link::commit_changed(state, {row}, setpoint ? "moisture setpoint" : "auto-start moisture").empty();
}

// ---- Unload rates -----------------------------------------------------------

int dryer_length_feet(std::uint8_t code) { return code < kLengthFeet.size() ? kLengthFeet[code] : 0; }

double unload_capacity_bph(const link::ByteImage& status) {
    const std::uint8_t code = status.get(off::dryer_length_index);
    if (link::bit(status, off::options_225, 5)) return capacity_by_code(code);
    const double per_foot = link::bit(status, off::status_183, 1) ? 129.6 : 140.62021;
    return dryer_length_feet(code) * per_foot;
}

std::string capacity_note(const link::ByteImage& status) {
    const std::uint8_t code = status.get(off::dryer_length_index);
    if (link::bit(status, off::options_225, 7)) {
        return format_numbers(l10n::local("*Based upon %dft dryer @ 17.5 RPM."), dryer_length_feet(code), 0);
    }
    if (link::bit(status, off::options_225, 5)) {
        return format_numbers(l10n::local("*Based upon %d BPH capacity."), capacity_by_code(code), 0);
    }
    return {};
}

std::string bph_text(int percent, double capacity) { return printed("%0.0f", percent / 100.0 * capacity); }

Question2 unload_adjust_question() {
    return {l10n::local(" ERROR SETTING MAX / MIN UNLOAD RATES"),
            l10n::local("The MAXIMUM unload rate must be greater than MINIMUM unload rate.  Set defaults?.")};
}

Question2 unload_accept_question() {
    const std::string gap = ' ' + std::string(11, '\t');
    return {l10n::local(" ERROR SETTING MAX / MIN UNLOAD RATES"),
            l10n::local("The MAXIMUM unload rate must be greater than MINIMUM unload rate.") + gap +
                l10n::local("Set defaults?  Pressing YES will set defaults (Hi = 80% and Low = 5%).") + gap +
                l10n::local("Pressing NO will not change the previous settings.")};
}

// The reported rates are taken as they come, clamped to what the buttons
// allow, so a stray value never shows above 100 percent.
UnloadRates::UnloadRates(const link::LinkState& state, bool& warned)
    : max_(std::min<int>(link::u16be(state.status, off::unload_rate_max), 100)),
      min_(std::min<int>(link::u16be(state.status, off::unload_rate_min), 100)),
      warned_(warned) {}

bool UnloadRates::check_after_adjust() {
    if (min_ < max_ || warned_) return false;
    warned_ = true;
    return true;
}

bool UnloadRates::max_up() {
    max_ = std::min(max_ + 1, 100);
    return false;
}

bool UnloadRates::max_down() {
    max_ = std::max(max_ - 1, 0);
    return check_after_adjust();
}

bool UnloadRates::min_up() {
    min_ = std::min(min_ + 1, 100);
    return check_after_adjust();
}

bool UnloadRates::min_down() {
    if (min_ > kLowestMin) --min_;
    return false;
}

void UnloadRates::set_defaults() {
    max_ = kDefaultMax;
    min_ = kDefaultMin;
}

std::vector<int> UnloadRates::commit(link::LinkState& state) const {
    link::begin_edit(state, off::unload_rate_max, 4);
    state.settings.set(off::unload_rate_max, static_cast<std::uint8_t>(max_ >> 8));
    state.settings.set(off::unload_rate_max + 1, static_cast<std::uint8_t>(max_ & 0xFF));
    state.settings.set(off::unload_rate_min, static_cast<std::uint8_t>(min_ >> 8));
    state.settings.set(off::unload_rate_min + 1, static_cast<std::uint8_t>(min_ & 0xFF));
    return link::commit_changed(state, {link::row::unload_rate_max, link::row::unload_rate_min}, "unload parameters");
}

// ---- Plenum temperature manager ------------------------------------------------

TempManager::TempManager(link::LinkState& state) {
    link::begin_edit(state, off::plenum_temp_manager, 1);
    byte_ = state.settings.get(off::plenum_temp_manager);
}

void TempManager::toggle() { byte_ ^= 0x80; }

void TempManager::time_up() {
    byte_ = static_cast<std::uint8_t>((byte_ & ~0x38) | (((time_index() + 1) & 7) << 3));
}

void TempManager::time_down() {
    byte_ = static_cast<std::uint8_t>((byte_ & ~0x38) | (((time_index() + 7) & 7) << 3));
}

void TempManager::step_up() { byte_ = static_cast<std::uint8_t>((byte_ & ~0x07) | ((step_index() + 1) & 7)); }

void TempManager::step_down() { byte_ = static_cast<std::uint8_t>((byte_ & ~0x07) | ((step_index() + 7) & 7)); }

std::string TempManager::step_text() const {
    return printed("%d \u00B0F", kTempStepF[static_cast<std::size_t>(step_index())]);
}

std::string TempManager::time_text(const TextFn& text) const {
    const std::string unit = title_text(text(17), "MINUTES");
    return printed("%d %s", kStepMinutes[static_cast<std::size_t>(time_index())], unit.c_str());
}

bool TempManager::accept(link::LinkState& state) const {
    state.settings.set(off::plenum_temp_manager, byte_);
    return !link::commit_changed(state, {link::row::plenum_temp_manager}, "plenum temperature manager").empty();
}

// ---- Bracketed five-speed setup ------------------------------------------------

namespace {
struct FiveLimits {
    int inner_top;   // the inner limit stays below this
    int outer_top;   // the outer limit stays below this
    int outer_floor; // the outer limit stays above this
    std::array<int, 4> defaults;
};
constexpr FiveLimits kMoistureLimits{6, 30, 3, {6, 3, 6, 3}};
constexpr FiveLimits kTemperatureLimits{2, 5, 2, {3, 1, 6, 3}};
}  // namespace

FiveSpeed::FiveSpeed(link::LinkState& state) {
    link::begin_edit(state, off::mc_mode_flags, 1);
    link::begin_edit(state, off::mc5_226, 4);
    temperature_ = (state.settings.get(off::mc_mode_flags) & 0x07) == 5;
    for (std::size_t i = 0; i < v_.size(); ++i) v_[i] = state.settings.get(off::mc5_226 + i);
}

void FiveSpeed::limit_up(FivePair p) {
    const FiveLimits& l = temperature_ ? kTemperatureLimits : kMoistureLimits;
    if (p == FivePair::inner) {
        if (v_[1] < v_[0] && v_[1] < l.inner_top) ++v_[1];
    } else if (v_[0] < l.outer_top) {
        ++v_[0];
    }
}

void FiveSpeed::limit_down(FivePair p) {
    const FiveLimits& l = temperature_ ? kTemperatureLimits : kMoistureLimits;
    if (p == FivePair::inner) {
        if (v_[1] >= 2) --v_[1];
    } else if (v_[0] > v_[1] && v_[0] > l.outer_floor) {
        --v_[0];
    }
}

void FiveSpeed::step_up(FivePair p) {
    if (p == FivePair::inner) {
        // The inner step stays below the outer one, as the outer step's
        // DEC keeps it (equal or crossed steps would turn the bracket over).
        if (v_[3] + 1 < v_[2] && v_[3] <= 9) ++v_[3];
    } else if (v_[2] < 30) {
        ++v_[2];
    }
}

void FiveSpeed::step_down(FivePair p) {
    if (p == FivePair::inner) {
        if (v_[3] >= 2) --v_[3];
    } else if (v_[2] > v_[3] + 1 && v_[2] >= 4) {
        --v_[2];
    }
}

void FiveSpeed::set_defaults() { v_ = (temperature_ ? kTemperatureLimits : kMoistureLimits).defaults; }

FiveSpeed::Rows FiveSpeed::rows(const link::LinkState& state) const {
    Rows r;
    if (temperature_) {
        const bool celsius = link::load(state.values.si_units) != 0;
        const char unit = celsius ? 'C' : 'F';
        const int sp = shown_temperature(link::u16le(state.status, off::target_149), celsius);
        r.error = {printed("+%01d \u00B0%c", v_[0], unit), printed("+%01d \u00B0%c", v_[1], unit),
                   printed("%d \u00B0%c", sp, unit), printed("-%01d \u00B0%c", v_[1], unit),
                   printed("-%01d \u00B0%c", v_[0], unit)};
    } else {
        const unsigned sp = link::u16be(state.status, off::moisture_setpoint);
        r.error = {printed("+%01d.%d %%", v_[0] / 10, v_[0] % 10), printed("+%01d.%d %%", v_[1] / 10, v_[1] % 10),
                   printed("%u.%u %%", sp / 10, sp % 10), printed("-%01d.%d %%", v_[1] / 10, v_[1] % 10),
                   printed("-%01d.%d %%", v_[0] / 10, v_[0] % 10)};
    }
    const int main = state.status.get(off::value_230);
    auto actual = [](int speed) { return printed("%d", std::max(speed, 0) * 10); };
    // Moisture: grain drier than the setpoint (negative rows) runs faster.
    // Temperature: grain hotter than the setpoint (positive rows) runs faster.
    const int up = temperature_ ? 1 : -1;  // sign of the speed change on the positive rows
    const int outer = v_[2], inner = v_[3];
    r.offset = {printed("%+d", up * outer * 10), printed("%+d", up * inner * 10), "",
                printed("%+d", -up * inner * 10), printed("%+d", -up * outer * 10)};
    r.actual = {actual(main + up * outer), actual(main + up * inner), actual(main), actual(main - up * inner),
                actual(main - up * outer)};
    return r;
}

std::vector<int> FiveSpeed::accept(link::LinkState& state) const {
    std::array<int, 4> rows{};
    for (std::size_t i = 0; i < v_.size(); ++i) {
        state.settings.set(off::mc5_226 + i, static_cast<std::uint8_t>(v_[i]));
        rows[i] = link::row::mc5_226 + static_cast<int>(i);
    }
    return link::commit_changed(state, rows, "five speed setup");
}

}  // namespace dryer::setup
