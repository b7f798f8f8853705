#include "setup/modes/modes_model.h"

#include <cstdio>

#include "link/fields.h"
#include "link/settings_edit.h"
#include "setup/common/screen_text.h"

namespace dryer::setup {

namespace {
namespace off = link::off;
namespace row = link::row;

constexpr std::uint8_t kDualPlenum = 0x02;      // 257 bit 1
constexpr std::uint8_t kModeChosen = 0x08;      // 257 bit 3, cleared when the mode is chosen
constexpr std::uint8_t kTimeCriterion = 0x10;   // 257 bit 4
constexpr std::uint8_t kTempCriterion = 0x20;   // 257 bit 5
constexpr std::uint8_t kMoistCriterion = 0x40;  // 257 bit 6
constexpr std::uint8_t kNoStagedBatch = 0x20;   // status 225 bit 5
constexpr std::uint8_t kUpperSensor = 0x01;     // 224 bit 0
constexpr std::uint8_t kAutoCentering = 0x80;   // 224 bit 7
constexpr std::uint8_t kHeatSplitBits = 0x70;   // 224 bits 4-6
constexpr std::uint8_t kMoistureBatch = 0x86;   // 187 bits 1, 2 and 7
constexpr std::uint8_t kSafetyOn = 0x20;        // 266 bit 5
constexpr std::uint8_t kSafetyInForce = 0x10;   // 266 bit 4
constexpr std::uint8_t kMoistureOption = 0x08;  // 266 bit 3
constexpr std::uint8_t kContinuousScheme = 1;
constexpr std::uint8_t kStagedScheme = 6;

std::uint8_t get(const link::LinkState& s, std::size_t at) { return s.settings.get(at); }
void put(link::LinkState& s, std::size_t at, std::uint8_t v) { s.settings.set(at, v); }
void set_bits(link::LinkState& s, std::size_t at, std::uint8_t bits, bool on) {
    const std::uint8_t v = get(s, at);
    put(s, at, static_cast<std::uint8_t>(on ? (v | bits) : (v & ~bits)));
}
bool has(const link::LinkState& s, std::size_t at, std::uint8_t bits) { return (get(s, at) & bits) != 0; }
bool staged_offered(const link::LinkState& s) { return (s.status.get(off::options_225) & kNoStagedBatch) == 0; }
bool celsius(const link::LinkState& s) { return link::load(s.values.si_units) != 0; }

bool valid_scheme(std::uint8_t low_bits) { return low_bits == 1 || low_bits == 3 || low_bits == 4 || low_bits == 5; }

// The continuous-flow choice of the drying mode selection: scheme 1,
// single plenum.
void take_continuous_flow(link::LinkState& s) {
    put(s, off::drying_mode, 0);
    put(s, off::mc_mode_flags, kContinuousScheme);
    set_bits(s, off::system_flags_257, kDualPlenum | kModeChosen, false);
}

std::string max_time_text(MinSec t) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%03d:%02d", t.min, t.sec);
    return buf;
}
}  // namespace

// ---- Drying mode selection -------------------------------------------------

void begin_drying_mode(link::LinkState& state) {
    link::begin_edit(state, off::drying_mode, 1);
    link::begin_edit(state, off::mc_mode_flags, 1);
    link::begin_edit(state, off::system_flags_257, 1);
    link::begin_edit(state, off::mode_224, 1);
    if (!staged_offered(state) && get(state, off::drying_mode) != 0) take_continuous_flow(state);
}

DryingModeView drying_mode_view(const link::LinkState& state) {
    const DryingMode m = get(state, off::drying_mode) == 0 ? DryingMode::continuous_flow : DryingMode::staged_batch;
    return {m, staged_offered(state)};
}

void choose_drying_mode(link::LinkState& state, DryingMode mode) {
    if (mode == DryingMode::continuous_flow) {
        take_continuous_flow(state);
    } else {
        if (!staged_offered(state)) return;
        put(state, off::drying_mode, 1);
        put(state, off::mc_mode_flags, kStagedScheme);
        set_bits(state, off::system_flags_257, kModeChosen, false);
    }
    link::commit_changed(state, {row::mc_mode, row::system_flags}, "drying mode selection");
}

std::vector<int> commit_drying_mode(link::LinkState& state) {
    return link::commit_changed(state, {row::drying_mode, row::mc_mode, row::drying_option, row::system_flags},
                                "drying mode selection");
}

// ---- Continuous flow setup -------------------------------------------------

void begin_continuous_flow(link::LinkState& state) {
    link::begin_edit(state, off::mc_mode_flags, 1);
    link::begin_edit(state, off::mode_224, 1);
    link::begin_edit(state, off::display_options_266, 1);
    link::begin_edit(state, off::cf_277, 2);
    if (!valid_scheme(get(state, off::mc_mode_flags) & 0x07)) choose_scheme(state, Scheme::temperature_two_speed);
}

ContinuousFlowView continuous_flow_view(const link::LinkState& state) {
    const std::uint8_t low = get(state, off::mc_mode_flags) & 0x07;
    const Scheme s = valid_scheme(low) ? static_cast<Scheme>(low) : Scheme::temperature_two_speed;
    return {s,
            s == Scheme::temperature_two_speed || s == Scheme::temperature_five_speed,
            s == Scheme::temperature_five_speed || s == Scheme::moisture_five_speed,
            has(state, off::mode_224, kAutoCentering),
            has(state, off::mode_224, kUpperSensor),
            has(state, off::display_options_266, kSafetyOn),
            max_grain_temp_text(max_grain_temp(state), celsius(state))};
}

void choose_scheme(link::LinkState& state, Scheme scheme) {
    put(state, off::mc_mode_flags, static_cast<std::uint8_t>(scheme));
    link::commit_changed(state, {row::mc_mode}, "continuous flow setup");
}

void toggle_auto_centering(link::LinkState& state) {
    set_bits(state, off::mode_224, kAutoCentering, !has(state, off::mode_224, kAutoCentering));
}

void toggle_upper_sensor(link::LinkState& state) {
    set_bits(state, off::mode_224, kUpperSensor, !has(state, off::mode_224, kUpperSensor));
}

std::vector<int> accept_continuous_flow(link::LinkState& state) {
    return link::commit_changed(state, {row::mc_mode, row::drying_option, row::display_options, row::max_grain_temp},
                                "continuous flow setup");
}

// ---- Shared by both setups -------------------------------------------------

void toggle_safety(link::LinkState& state) {
    const bool on = has(state, off::display_options_266, kSafetyOn);
    set_bits(state, off::display_options_266, kSafetyOn | kSafetyInForce, !on);
}

std::uint16_t max_grain_temp(const link::LinkState& state) { return link::u16le(state.settings, off::cf_277); }

void set_max_grain_temp(link::LinkState& state, std::uint16_t fahrenheit) {
    put(state, off::cf_277, static_cast<std::uint8_t>(fahrenheit & 0xFF));
    put(state, off::cf_277 + 1, static_cast<std::uint8_t>(fahrenheit >> 8));
}

MinSec max_time(const link::LinkState& state) { return {get(state, off::staged_274), get(state, off::staged_274 + 1)}; }

void set_max_time(link::LinkState& state, MinSec value) {
    put(state, off::staged_274, value.min);
    put(state, off::staged_274 + 1, value.sec);
}

std::string max_grain_temp_text(std::uint16_t fahrenheit, bool celsius) {
    char buf[24];
    std::snprintf(buf, sizeof buf, "%d %c", shown_temperature(fahrenheit, celsius), celsius ? 'C' : 'F');
    return buf;
}

// ---- Staged batch setup ------------------------------------------------------

void begin_staged_batch(link::LinkState& state) {
    link::begin_edit(state, off::mode_224, 1);
    link::begin_edit(state, off::system_flags_257, 1);
    link::begin_edit(state, off::display_options_266, 1);
    link::begin_edit(state, off::staged_274, 2);
    link::begin_edit(state, off::cf_277, 2);
}

StagedBatchView staged_batch_view(const link::LinkState& state) {
    StagedBatchView v{};
    v.time = has(state, off::system_flags_257, kTimeCriterion);
    v.temperature = has(state, off::system_flags_257, kTempCriterion);
    v.moisture = has(state, off::system_flags_257, kMoistCriterion);
    v.temperature_group = v.time || v.temperature;
    v.moisture_group = v.moisture;
    v.dual = has(state, off::system_flags_257, kDualPlenum);
    switch (get(state, off::mode_224) & kHeatSplitBits) {
    case 0x10: v.heat_split = HeatSplit::full; break;
    case 0x20: v.heat_split = HeatSplit::two_thirds; break;
    case 0x40: v.heat_split = HeatSplit::half; break;
    default: break;
    }
    v.safety = has(state, off::display_options_266, kSafetyOn);
    v.max_time_enabled = !v.moisture;
    v.max_time = max_time_text(max_time(state));
    v.max_grain_temp = max_grain_temp_text(max_grain_temp(state), celsius(state));
    return v;
}

void choose_criterion(link::LinkState& state, Criterion criterion) {
    const bool safety = has(state, off::display_options_266, kSafetyOn);
    if (criterion == Criterion::moisture) {
        set_bits(state, off::system_flags_257, kDualPlenum | kTimeCriterion | kTempCriterion, false);
        set_bits(state, off::system_flags_257, kMoistCriterion, true);
        set_bits(state, off::mc_mode_flags, kMoistureBatch, true);
        put(state, off::mode_224, static_cast<std::uint8_t>((get(state, off::mode_224) & ~kHeatSplitBits) | 0x10));
        set_bits(state, off::display_options_266, kMoistureOption, true);
        set_bits(state, off::display_options_266, kSafetyInForce, safety);
        link::commit_changed(state, {row::mc_mode, row::drying_option}, "staged batch setup");
        return;
    }
    const std::uint8_t bit = criterion == Criterion::time ? kTimeCriterion : kTempCriterion;
    const bool on = !has(state, off::system_flags_257, bit);
    set_bits(state, off::system_flags_257, bit, on);
    set_bits(state, off::system_flags_257, kMoistCriterion, false);
    set_bits(state, off::display_options_266, kMoistureOption, false);
    set_bits(state, off::mc_mode_flags, kMoistureBatch, false);
    if (criterion == Criterion::time) set_bits(state, off::display_options_266, kSafetyInForce, on && safety);
    link::commit_changed(state, {row::mc_mode}, "staged batch setup");
}

bool choose_plenum(link::LinkState& state, bool dual) {
    const bool allowed = !dual || state.status.get(off::fan_heater_count) == 0;
    set_bits(state, off::system_flags_257, kDualPlenum, dual && allowed);
    return allowed;
}

void choose_heat_split(link::LinkState& state, HeatSplit split) {
    static constexpr std::array<std::uint8_t, 3> kBits{0x10, 0x20, 0x40};
    const std::uint8_t bit = kBits[static_cast<std::size_t>(split)];
    put(state, off::mode_224, static_cast<std::uint8_t>((get(state, off::mode_224) & ~kHeatSplitBits) | bit));
    link::commit_changed(state, {row::drying_option}, "staged batch setup");
}

std::optional<std::vector<int>> accept_staged_batch(link::LinkState& state) {
    if (!has(state, off::system_flags_257, kTimeCriterion | kTempCriterion | kMoistCriterion)) return std::nullopt;
    return link::commit_changed(state,
                                {row::mc_mode, row::drying_option, row::system_flags, row::display_options,
                                 row::staged_max_time, row::max_grain_temp},
                                "staged batch setup");
}

// ---- Burner modes ------------------------------------------------------------

std::size_t burner_mode_offset_of(int fan_heater) { return link::burner_mode_offset(link::plenum_unit(fan_heater)); }

BurnerModes::BurnerModes(link::LinkState& state) {
    link::begin_edit(state, off::burner_mode_6, choices_.size());
    for (int i = 1; i <= 6; ++i) {
        choices_[static_cast<std::size_t>(i - 1)] = static_cast<BurnerChoice>(get(state, burner_mode_offset_of(i)) & 0x03);
    }
}

BurnerChoice BurnerModes::choice(int fan_heater) const {
    if (fan_heater < 1 || fan_heater > 6) return BurnerChoice::unknown;
    return choices_[static_cast<std::size_t>(fan_heater - 1)];
}

void BurnerModes::select(int fan_heater) {
    if (fan_heater < 1 || fan_heater > 6) return;
    BurnerChoice& c = choices_[static_cast<std::size_t>(fan_heater - 1)];
    switch (c) {
    case BurnerChoice::hi_lo: c = BurnerChoice::on_off; break;
    case BurnerChoice::on_off: c = BurnerChoice::automatic; break;
    case BurnerChoice::automatic:
    case BurnerChoice::unknown: c = BurnerChoice::hi_lo; break;
    }
}

void BurnerModes::set(int fan_heater, BurnerChoice c) {
    if (fan_heater < 1 || fan_heater > 6 || c == BurnerChoice::unknown) return;
    choices_[static_cast<std::size_t>(fan_heater - 1)] = c;
}

void BurnerModes::set_all(BurnerChoice c) {
    if (c == BurnerChoice::unknown) return;
    choices_.fill(c);
}

std::vector<int> BurnerModes::accept(link::LinkState& state) const {
    std::array<int, 6> rows{};
    for (int i = 1; i <= 6; ++i) {
        const std::size_t at = burner_mode_offset_of(i);
        const BurnerChoice c = choices_[static_cast<std::size_t>(i - 1)];
        if (c != BurnerChoice::unknown) {
            put(state, at, static_cast<std::uint8_t>((get(state, at) & ~0x03) | static_cast<std::uint8_t>(c)));
        }
        rows[static_cast<std::size_t>(i - 1)] = link::burner_mode_row(link::plenum_unit(i));
    }
    return link::commit_changed(state, rows, "burner mode selection");
}

}  // namespace dryer::setup
