#include "setup/diagnostics/diagnostics_model.h"

#include "link/decoder.h"
#include "link/fields.h"
#include "link/reply_table.h"
#include "link/settings_edit.h"
#include "l10n/panel_texts.h"

namespace dryer::setup {

namespace off = link::off;

namespace {

constexpr const char* kSource = "diagnostics";
constexpr std::uint8_t kTestOff = 0x04;        // burner mode bit 2: air-switch test disabled
constexpr std::uint8_t kSensorShutdown = 0x20;  // 49 bit 5

// Unit 6's state byte C: bit 3 set while the control box has the test off.
bool control_box_locked(const link::ByteImage& s) { return link::bit(s, link::heater_state_c_offset(6), 3); }

bool some_unit_disabled(const link::ByteImage& s) {
    const UnitRange units = units_in_use(s.get(off::fan_heater_count));
    for (int u = units.first; u <= 6; ++u)
        if (s.get(link::burner_mode_offset(u)) & kTestOff) return true;
    return false;
}

}  // namespace

UnitRange units_in_use(std::uint8_t count_code) {
    const int n = link::units_for_count_code(count_code);
    return UnitRange{7 - n};
}

AirSwitch air_switch_state(const link::ByteImage& s) {
    if (!some_unit_disabled(s)) return AirSwitch::enabled;
    if (!control_box_locked(s) || link::bit(s, off::status_118, 5)) return AirSwitch::disabled;
    return AirSwitch::re_enabling;
}

std::vector<int> set_air_switch_test(link::LinkState& state, bool disabled) {
    std::vector<int> sent;
    const UnitRange units = units_in_use(state.status.get(off::fan_heater_count));
    for (int u = units.first; u <= 6; ++u) {
        const std::size_t at = link::burner_mode_offset(u);
        // A pending change stays the working copy, so a repeat sends nothing.
        link::begin_edit(state, at, 1);
        const std::uint8_t now = state.settings.get(at);
        const std::uint8_t want = disabled ? static_cast<std::uint8_t>(now | kTestOff)
                                           : static_cast<std::uint8_t>(now & ~kTestOff);
        if (want == now) continue;  // reported so, or already pending so
        if (link::commit_u8(state, at, want, kSource)) sent.push_back(link::burner_mode_row(u));
    }
    return sent;
}

void begin_diagnostics(link::LinkState& state) {
    link::store(state.values.diagnostics_mode, std::uint8_t{1});
    link::begin_edit(state, off::meter_roll_reverse, 1);
    link::begin_edit(state, off::burner_mode_6, 6);
}

void end_diagnostics(link::LinkState& state) { link::store(state.values.diagnostics_mode, std::uint8_t{0}); }

DiagnosticsView refresh_diagnostics(link::LinkState& state) {
    DiagnosticsView v;
    v.set_speed_pressed = link::load(state.values.meter_roll_local_mode) == 1;
    switch (air_switch_state(state.status)) {
        case AirSwitch::enabled: break;
        case AirSwitch::disabled:
            v.air_switch_checked = true;
            v.air_switch_button = 208;
            break;
        case AirSwitch::re_enabling: set_air_switch_test(state, false); break;
    }
    return v;
}

Confirmation set_speed_confirmation(const link::LinkState& state) {
    if (link::load(state.values.meter_roll_local_mode) != 0) return {410, {409}};
    return {408, {406, 407}};
}

bool answer_set_speed(link::LinkState& state) {
    const bool on = link::load(state.values.meter_roll_local_mode) == 0;
    link::store(state.values.meter_roll_local_mode, static_cast<std::uint8_t>(on ? 1 : 0));
    return on;
}

Confirmation sensor_shutdown_confirmation(const link::ByteImage& status) {
    if (status.get(off::meter_roll_reverse) & kSensorShutdown) return {412, {414}};
    return {411, {413, 415}};
}

void answer_sensor_shutdown(link::LinkState& state) {
    link::begin_edit(state, off::meter_roll_reverse, 1);
    const bool reported = state.status.get(off::meter_roll_reverse) & kSensorShutdown;
    std::uint8_t v = state.settings.get(off::meter_roll_reverse);
    v = reported ? static_cast<std::uint8_t>(v & ~kSensorShutdown) : static_cast<std::uint8_t>(v | kSensorShutdown);
    link::commit_u8(state, off::meter_roll_reverse, v, kSource);
}

AirSwitchQuestion::AirSwitchQuestion(const link::ByteImage& status)
    : kind_(control_box_locked(status)   ? Kind::locked
            : some_unit_disabled(status) ? Kind::re_enable
                                         : Kind::disable) {}

Confirmation AirSwitchQuestion::confirmation() const {
    switch (kind_) {
        case Kind::locked: return {417, {416}};
        case Kind::re_enable: return {417, {418}};
        case Kind::disable: return {417, {419}};
        case Kind::disable_sure: return {417, {420}};
    }
    return {417, {416}};
}

bool AirSwitchQuestion::yes(link::LinkState& state) {
    switch (kind_) {
        case Kind::locked: return true;
        case Kind::re_enable: set_air_switch_test(state, false); return true;
        case Kind::disable: kind_ = Kind::disable_sure; return false;
        case Kind::disable_sure: set_air_switch_test(state, true); return true;
    }
    return true;
}

std::array<LightRow, 16> light_rows(const link::ByteImage& s) {
    using l10n::english;
    static constexpr std::array<const char*, 16> kLabels{
        english("J1-01 / SPARE"), english("J1-02 / BURNER 6"), english("J1-03 / FAN 6"), english("J1-04 / BURNER 5"),
        english("J1-05 / FAN 5"), english("J1-06 / BURNER 4"), english("J1-07 / FAN 4"), english("J1-08 / BURNER 3"),
        english("J2-01 / FAN 3"), english("J2-02 / BURNER 2"), english("J2-03 / FAN 2"), english("J2-04 / BURNER 1"),
        english("J2-05 / FAN 1"), english("J2-06 / LOAD"),     english("J2-07 / UNLOAD"), english("J2-08 / START")};
    std::array<LightRow, 16> rows;
    for (int i = 0; i < 16; ++i) {
        // J1 rows take bits 0..7 of 177/239, J2 rows bits 7..0 of 178/240.
        const bool j1 = i < 8;
        const int b = j1 ? i : 7 - (i - 8);
        const std::size_t shorted_at = j1 ? off::status_177 : off::status_177 + 1;
        const std::size_t active_at = j1 ? off::status_239_240 : off::status_239_240 + 1;
        auto& r = rows[static_cast<std::size_t>(i)];
        r.label = kLabels[static_cast<std::size_t>(i)];
        r.shorted = link::bit(s, shorted_at, b);
        r.activated = link::bit(s, active_at, b);
    }
    return rows;
}

std::array<SwitchGroup, 7> switch_groups(const link::ByteImage& s, const TextFn& text) {
    // The labels of the control panel's switches, shown in the panel's
    // language; the auxiliary inputs and the positions of the dryer-type
    // switch (model lines) are names and stay as they are.
    using l10n::english;
    static constexpr std::array<std::array<const char*, 8>, 6> kInputs{{
        {english("STOP"), english("UNLOAD 1 SPEED"), english("UNLOAD 2 SPEED"), english("LOAD ON"),
         english("LOAD AUTO"), english("FAN 1 AUTO"), english("FAN 1 ON"), english("SPARE #1")},
        {english("BURNER 1 AUTO"), english("BURNER 1 ON"), english("FAN 2 AUTO"), english("FAN 2 ON"),
         english("BURNER 2 AUTO"), english("BURNER 2 ON"), english("FAN 3 AUTO"), english("FAN 3 ON")},
        {english("SPARE #2"), english("BURNER 3 AUTO"), english("BURNER 3 ON"), english("FAN 4 AUTO"),
         english("FAN 4 ON"), english("BURNER 4 AUTO"), english("BURNER 4 ON"), english("FAN 5 AUTO")},
        {english("BURNER 6 ON"), english("FAN 5 ON"), english("SPARE #3"), english("BURNER 5 AUTO"),
         english("BURNER 5 ON"), english("FAN 6 AUTO"), english("FAN 6 ON"), english("BURNER 6 AUTO")},
        {english("START"), english("MANUAL"), "AUX", english("DEFAULTS"), english("MR PUSH BUTON"), english("MR LEFT"),
         english("MR RIGHT"), nullptr},
        {"AUX 2", "AUX 1", "COMP", "M/C", "TOWER", "FT SERIES", "AF", "PORT"},
    }};
    auto inputs = [&](std::size_t row, std::size_t at, int from, int to) {
        std::vector<SwitchInput> v;
        for (int b = from; b <= to; ++b) {
            const char* label = kInputs[row][static_cast<std::size_t>(b)];
            if (label) v.push_back({label, at, b, link::bit(s, at, b)});
        }
        return v;
    };
    const std::array<std::string, 4> j = connector_captions(text);
    std::array<SwitchGroup, 7> g;
    for (std::size_t i = 0; i < 4; ++i) g[i] = {j[i], inputs(i, off::mode_flags_179 + i, 0, 7)};
    g[4] = {title_text(text(385), "3 POS DIPSWITCH"), inputs(4, off::status_183, 0, 3)};
    g[5] = {title_text(text(384), "MR ENCODER"), inputs(4, off::status_183, 4, 7)};
    g[6] = {title_text(text(386), "DRYER TYPE SW"), inputs(5, off::options_225, 0, 7)};
    return g;
}

std::array<std::string, 4> connector_captions(const TextFn& text) {
    const std::string inputs = title_text(text(383), "INPUTS");
    return {"J3 " + inputs, "J4 " + inputs, "J5 " + inputs, "J6 " + inputs};
}

}  // namespace dryer::setup
