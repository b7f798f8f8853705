#include "setup/moisture/meter_roll_model.h"

#include <algorithm>

#include "l10n/panel_texts.h"
#include "link/fields.h"
#include "link/settings_edit.h"

namespace dryer::setup {

namespace {
namespace off = link::off;
namespace row = link::row;

constexpr std::size_t kHigh = off::meter_roll_speeds_155 + 1;  // 156
constexpr std::size_t kMain = off::meter_roll_speeds_155 + 2;  // 157
constexpr std::size_t kLow = off::meter_roll_speeds_155 + 3;   // 158
constexpr std::uint8_t kTwoSpeedBits = 0x80;  // 187 bit 7: scheme 1 offers one or two speeds
constexpr std::uint8_t kOneSpeed = 0x40;      // 187 bit 6
constexpr std::uint8_t kTracking = 0x20;      // 187 bit 5
constexpr const char* kSource = "meter roll speed setpoints";

std::size_t at(Speed s) { return static_cast<std::size_t>(s); }
}  // namespace

TrackingQuestion tracking_question() {
    const std::string tabs(10, '\t');
    return {l10n::local(" SWITCH TO +/- 15% TRACKING OF CENTER"),
            l10n::local("Pressing YES will position the HI setpoint 15% above the center, and") + tabs +
                l10n::local("the LOW 15% below the center.\n"
                            "NOTE: THE PRESENT SETTINGS OF THE HI AND LOW SETPOINTS WILL BE LOST!")};
}

MeterRoll::MeterRoll(link::LinkState& state) : state_(state) {
    const auto& s = state.status;
    const int scheme = s.get(off::mc_mode_flags) & 0x07;
    speeds_[at(Speed::high)] = std::min<int>(s.get(kHigh), 100);
    speeds_[at(Speed::main)] = std::min<int>(s.get(scheme == 4 || scheme == 5 ? off::value_230 : kMain), 100);
    speeds_[at(Speed::low)] = std::min<int>(s.get(kLow), 100);
    link::hand_back(state, row::meter_roll_value_back);
    link::withdraw(state, row::meter_roll_control);
    link::store(state.values.meter_roll_screen_open, 1);
    // The decoder keeps the controller's selection in the settings image.
    const int sel = state.settings.get(off::meter_roll_control_159) & 0x3F;
    selected_ = sel <= 2 ? static_cast<Speed>(sel) : Speed::main;
}

void MeterRoll::close() {
    if (open_) link::store(state_.values.meter_roll_screen_open, 0);
    open_ = false;
}

// A scheme change committed and not yet echoed shows at once.
namespace {
std::uint8_t mode_byte(const link::LinkState& s) {
    return s.flags.raised(row::mc_mode) ? s.settings.get(off::mc_mode_flags) : s.status.get(off::mc_mode_flags);
}
}  // namespace

int MeterRoll::scheme() const { return mode_byte(state_) & 0x07; }
bool MeterRoll::one_speed() const { return (mode_byte(state_) & kOneSpeed) != 0; }
bool MeterRoll::tracking() const { return scheme() == 2 && (mode_byte(state_) & kTracking) != 0; }

bool MeterRoll::note_shown() const {
    return link::load(state_.values.batch_mode) == 0 && scheme() == 3 && (mode_byte(state_) & kTwoSpeedBits) &&
           state_.status.get(off::status_52) == 0;
}

bool MeterRoll::adjust_allowed() const { return !note_shown(); }

int MeterRoll::speed(Speed s) const {
    const int m = speeds_[at(Speed::main)];
    if (tracking() && s == Speed::high) return std::min(m * 115 / 100, 100);
    if (tracking() && s == Speed::low) return m * 85 / 100;
    return speeds_[at(s)];
}

namespace {
// The speeds shown as bars, in drawing order.
std::vector<Speed> bar_speeds(const MeterRoll& m, bool batch) {
    if (batch) return {Speed::main};
    const int scheme = m.scheme();
    if (scheme == 2) return {Speed::low, Speed::main, Speed::high};
    if (scheme == 1) {
        std::vector<Speed> out;
        if (!m.one_speed()) out.push_back(Speed::low);
        if (m.selected() == Speed::main) out.push_back(Speed::main);
        out.push_back(Speed::high);
        return out;
    }
    return {Speed::main};
}

bool scheme1_two_speed_form(const MeterRoll& m, const link::LinkState& s) {
    return m.scheme() == 1 && (mode_byte(s) & kTwoSpeedBits) != 0;
}

// The speed INCREASE and DECREASE act on: the one bar, or the selected one.
Speed active_speed(const MeterRoll& m, const link::LinkState& s) {
    const bool batch = link::load(s.values.batch_mode) != 0;
    return !batch && (m.scheme() == 1 || m.scheme() == 2) ? m.selected() : Speed::main;
}
}  // namespace

MeterRollView MeterRoll::view(const TextFn& text) const {
    MeterRollView v;
    v.caption = title_text(text(353), "MODIFYING METER ROLL SPEED SETPOINTS");
    v.adjust = adjust_allowed();
    const bool batch = link::load(state_.values.batch_mode) != 0;
    if (note_shown()) {
        // One text, so that each language breaks its lines where it reads well.
        const std::string note = l10n::local(
            "NOTE:  The dryer has\nentered automatic mode.\nNo manual adjustments\nare allowed in this mode.\n"
            "To make adjustments,\nswitch to manual mode\nusing the UNLOAD\nselector switch.");
        for (std::size_t from = 0; from <= note.size();) {
            const std::size_t end = std::min(note.find('\n', from), note.size());
            v.note.push_back(note.substr(from, end - from));
            from = end + 1;
        }
    } else {
        const bool multi = !batch && (scheme() == 2 || scheme1_two_speed_form(*this, state_));
        const Speed active = active_speed(*this, state_);
        std::vector<Speed> speeds = multi ? bar_speeds(*this, batch) : std::vector<Speed>{active};
        static constexpr std::array<const char*, 3> kLabels{l10n::english("LOW SP"), l10n::english("MAIN SP"),
                                                              l10n::english("HIGH SP")};
        for (Speed s : speeds) {
            v.bars.push_back({s, multi ? l10n::local(kLabels[at(s)]) : std::string(), speed(s), s == active});
        }
    }
    if (!batch && scheme1_two_speed_form(*this, state_)) {
        v.scheme_button = v.radio = true;
        v.scheme_caption = title_text(text(one_speed() ? 347 : 354), one_speed() ? "SCHEME: ONE SPEED" : "SCHEME: TWO SPEED");
        v.radio_text = {title_text(text(348), "ONE SPEED"), title_text(text(349), "TWO SPEED")};
        v.radio_first = one_speed();
    } else if (!batch && scheme() == 2) {
        v.scheme_button = v.radio = true;
        v.scheme_caption = l10n::local("15% HI/LOW  TRACKING");
        v.radio_text = {title_text(text(14), "ON"), title_text(text(15), "OFF")};
        v.radio_first = tracking();
    }
    v.select = !batch && (mode_byte(state_) & 0x3F) == 1;
    return v;
}

void MeterRoll::increase() {
    if (!adjust_allowed()) return;
    int& v = speeds_[at(active_speed(*this, state_))];
    v = std::min(v + 1, 100);
}

void MeterRoll::decrease() {
    if (!adjust_allowed()) return;
    int& v = speeds_[at(active_speed(*this, state_))];
    v = std::max(v - 1, 0);
}

void MeterRoll::select() {
    if (!adjust_allowed() || (mode_byte(state_) & 0x3F) != 1) return;
    if (link::bit(state_.status, off::mode_flags_179, 1)) {
        selected_ = Speed::main;
    } else if (one_speed()) {
        selected_ = Speed::high;
    } else if (selected_ == Speed::low) {
        selected_ = Speed::high;
    } else if (selected_ == Speed::high) {
        selected_ = Speed::low;
    }
    const std::uint8_t b = static_cast<std::uint8_t>(selected_);
    link::commit_bytes(state_, row::meter_roll_control, {&b, 1}, kSource);
}

MeterRoll::SchemeAction MeterRoll::scheme_button() {
    if (link::load(state_.values.batch_mode) != 0) return SchemeAction::none;
    link::begin_edit(state_, off::mc_mode_flags, 1);
    const std::uint8_t b = state_.settings.get(off::mc_mode_flags);
    if (scheme1_two_speed_form(*this, state_)) {
        state_.settings.set(off::mc_mode_flags, static_cast<std::uint8_t>(b ^ kOneSpeed));
        link::commit_changed(state_, {row::mc_mode}, kSource);
        if (one_speed()) selected_ = Speed::high;
        return SchemeAction::toggled;
    }
    if (scheme() != 2) return SchemeAction::none;
    if (!(b & kTracking)) return SchemeAction::ask_tracking;
    state_.settings.set(off::mc_mode_flags, static_cast<std::uint8_t>(b & ~kTracking));
    link::commit_changed(state_, {row::mc_mode}, kSource);
    link::commit_row(state_, row::meter_roll_block, kSource);
    return SchemeAction::toggled;
}

void MeterRoll::start_tracking() {
    if (scheme() != 2) return;
    link::begin_edit(state_, off::mc_mode_flags, 1);
    state_.settings.set(off::mc_mode_flags, static_cast<std::uint8_t>(state_.settings.get(off::mc_mode_flags) | kTracking));
    link::commit_changed(state_, {row::mc_mode}, kSource);
}

std::vector<int> MeterRoll::accept() {
    std::vector<int> sent;
    if (scheme() == 2) {
        link::begin_edit(state_, off::mode_224, 1);
        state_.settings.set(off::mode_224, static_cast<std::uint8_t>(state_.status.get(off::mode_224) | 2));
        for (int r : link::commit_changed(state_, {row::drying_option}, kSource)) sent.push_back(r);
    }
    link::begin_edit(state_, kHigh, 3);
    state_.settings.set(kHigh, static_cast<std::uint8_t>(speed(Speed::high)));
    state_.settings.set(kMain, static_cast<std::uint8_t>(speed(Speed::main)));
    state_.settings.set(kLow, static_cast<std::uint8_t>(speed(Speed::low)));
    for (int r : link::commit_changed(state_, {row::meter_roll_speed_156, row::meter_roll_speed_157,
                                               row::meter_roll_speed_158},
                                      kSource)) {
        sent.push_back(r);
    }
    if (adjust_allowed()) {
        const std::uint8_t b = static_cast<std::uint8_t>(selected_);
        if (link::commit_bytes(state_, row::meter_roll_control, {&b, 1}, kSource)) sent.push_back(row::meter_roll_control);
    }
    close();
    return sent;
}

void MeterRoll::cancel() {
    link::hand_back(state_, row::meter_roll_speeds_160_back);
    close();
}

}  // namespace dryer::setup
