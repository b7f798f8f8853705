#include "setup/setup_dialogs/setup_dialogs_model.h"

#include <cstdio>

#include "l10n/panel_texts.h"
#include "link/settings_edit.h"

namespace dryer::setup {

namespace {
namespace off = link::off;
constexpr std::uint8_t kSiBit = 0x80;       // 266 bit 7
constexpr std::uint8_t kMrrBit = 0x10;      // 49 bit 4
constexpr std::uint8_t kSaveBit = 0x02;     // 266 bit 1
constexpr std::uint8_t kRestoreBit = 0x01;  // 266 bit 0

bool celsius_shown(const link::LinkState& state) { return link::load(state.values.si_units) != 0; }
}  // namespace

Question units_question(bool celsius) {
    if (celsius) {
        return {l10n::local("SWITCH TO ENGLISH UNITS OF MEASURE"),
                l10n::local("Switch to English Units (Fahrenheit, bushels, etc.)?")};
    }
    return {l10n::local("SWITCH TO SI UNITS OF MEASURE"),
            l10n::local("Switch to Metric (SI) Units (Celsius, metric ton, etc.)?")};
}

Question units_dialog_question(bool celsius, const TextFn& text) {
    if (celsius) {
        return {title_text(text(136), "SWITCH TO US UNITS OF MEASURE"),
                title_text(text(137), "Do you wish to show temperatures in Fahrenheit and grain in bushels?")};
    }
    return {title_text(text(132), "SWITCH TO SI UNITS OF MEASURE"),
            title_text(text(133), "Do you wish to show temperatures in Celsius and grain in metric tons?")};
}

bool switch_units_on_panel(link::LinkState& state) {
    const bool celsius = !celsius_shown(state);
    link::store(state.values.si_units, celsius ? 1 : 0);
    return celsius;
}

bool switch_units_on_dryer(link::LinkState& state) {
    const bool celsius = !celsius_shown(state);
    link::begin_edit(state, off::display_options_266, 1);
    const std::uint8_t old = state.settings.get(off::display_options_266);
    state.settings.set(off::display_options_266,
                       static_cast<std::uint8_t>(celsius ? (old | kSiBit) : (old & ~kSiBit)));
    link::commit_changed(state, {link::row::display_options}, "units switch");
    link::store(state.values.si_units, celsius ? 1 : 0);
    return celsius;
}

bool mrr_active(link::LinkState& state) {
    link::begin_edit(state, off::meter_roll_reverse, 1);
    return (state.settings.get(off::meter_roll_reverse) & kMrrBit) != 0;
}

Question mrr_question(bool active) {
    return {l10n::local(" METERING ROLL REVERSE OPTION"),
            active ? l10n::local("Do you wish to DEACTIVATE the Metering Roll Reverse Option?")
                   : l10n::local("Do you wish to ACTIVATE the Metering Roll Reverse Option?")};
}

Question mrr_dialog_question(bool active, const TextFn& text) {
    const Question fixed = mrr_question(active);
    return {title_text(text(138), "METERING ROLL REVERSE OPTION"),
            title_text(text(active ? 140 : 139), fixed.text.c_str())};
}

void toggle_mrr(link::LinkState& state) {
    link::begin_edit(state, off::meter_roll_reverse, 1);
    const std::uint8_t v = state.settings.get(off::meter_roll_reverse);
    state.settings.set(off::meter_roll_reverse, static_cast<std::uint8_t>(v ^ kMrrBit));
    link::commit_changed(state, {link::row::meter_roll_option}, "metering roll reverse option");
}

BurnerDifferential::BurnerDifferential(link::LinkState& state) {
    link::begin_edit(state, off::burner_diff_6, values_.size());
    for (std::size_t i = 0; i < values_.size(); ++i) values_[i] = state.settings.get(off::burner_diff_6 + i);
}

void BurnerDifferential::select(int plenum) {
    if (plenum >= 1 && plenum <= 6) selected_ = plenum;
}

void BurnerDifferential::set(int degrees) {
    if (degrees < 1 || degrees > 5) return;
    values_[static_cast<std::size_t>(6 - selected_)] = static_cast<std::uint8_t>(degrees);  // Plenum n at 101 - n
}

int BurnerDifferential::value(int plenum) const {
    if (plenum < 1 || plenum > 6) return 0;
    return values_[static_cast<std::size_t>(6 - plenum)];
}

std::array<std::string, 6> BurnerDifferential::lines(const TextFn& text) const {
    std::array<std::string, 6> out;
    for (std::size_t i = 0; i < out.size(); ++i) {
        char buf[160];
        const std::string label = title_text(text(86 + static_cast<unsigned>(i)), "Burner Differential");
        std::snprintf(buf, sizeof buf, "%s: %3d \u00B0F ", label.c_str(), values_[i]);
        out[i] = buf;
    }
    return out;
}

std::vector<int> BurnerDifferential::accept(link::LinkState& state) const {
    std::array<int, 6> rows{};
    for (std::size_t i = 0; i < values_.size(); ++i) {
        state.settings.set(off::burner_diff_6 + i, values_[i]);
        rows[i] = link::row::burner_diff_6 + static_cast<int>(i);
    }
    return link::commit_changed(state, rows, "burner differential");
}

void clear_batch_counter(link::LinkState& state) {
    link::commit_u16be(state, off::batch_counter, 0, "clear batch counter");
}

Watchdog watchdog_setting(std::uint8_t byte) {
    return {static_cast<ConnectionType>((byte >> 2) & 0x03), byte & 0x03};
}

std::uint8_t watchdog_byte(std::uint8_t old, const Watchdog& w) {
    const int low = ((static_cast<int>(w.type) & 0x03) << 2) | (w.rings & 0x03);
    return static_cast<std::uint8_t>((old & 0xF0) | low);
}

Watchdog begin_watchdog(link::LinkState& state) {
    link::begin_edit(state, off::watchdog, 1);
    return watchdog_setting(state.settings.get(off::watchdog));
}

bool accept_watchdog(link::LinkState& state, const Watchdog& w) {
    state.settings.set(off::watchdog, watchdog_byte(state.settings.get(off::watchdog), w));
    return !link::commit_changed(state, {link::row::watchdog}, "watchdog setup").empty();
}

void request_user_settings(link::LinkState& state, bool save) {
    link::begin_edit(state, off::display_options_266, 1);
    const std::uint8_t v = state.settings.get(off::display_options_266);
    link::commit_u8(state, off::display_options_266, static_cast<std::uint8_t>(v | (save ? kSaveBit : kRestoreBit)),
                    save ? "user settings: save" : "user settings: restore");
}

}  // namespace dryer::setup
