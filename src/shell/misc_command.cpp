#include "shell/misc_command.h"

#include "link/fields.h"
#include "link/settings_edit.h"

namespace dryer::shell {

namespace off = link::off;

namespace {

int grain_flag_row(std::size_t target) {
    if (target == off::target_151) return link::row::grain_high_setpoint;
    if (target == off::target_153) return link::row::grain_low_setpoint;
    return link::row::grain_setpoint;
}

void edit_grain(link::LinkState& state, MiscActions& actions, std::size_t target) {
    actions.open_temperature_keypad(grain_setpoint_request(state, target));
}

void open_moisture_setpoint_checked(const link::LinkState& state, MiscActions& actions) {
    if (learning_period_active(state) && !actions.ask_learning_period()) return;
    actions.open_moisture_setpoint(3);
}

}  // namespace

TemperatureKeypadRequest grain_setpoint_request(link::LinkState& state, std::size_t target) {
    link::begin_edit(state, target, 2);
    const std::uint8_t lo = state.status.get(target);
    const std::uint8_t hi = state.status.get(target + 1);
    return {static_cast<std::uint16_t>(lo | (hi << 8)), 50, 160, 105, target, grain_flag_row(target)};
}

LearningPeriodQuestion learning_period_question(const std::function<std::string(unsigned)>& text) {
    LearningPeriodQuestion q{text(kLearningTitleText), {}};
    for (const unsigned n : kLearningBodyTexts) {
        const std::string sentence = text(n);
        if (sentence.empty()) continue;
        if (!q.body.empty()) q.body += "  ";
        q.body += sentence;
    }
    return q;
}

bool learning_period_active(const link::LinkState& state) {
    const auto& s = state.status;
    return (s.get(off::mc_mode_flags) & 0x07) == 3 && s.get(off::status_52) > 0 && link::bit(s, off::mode_flags_179, 2);
}

void run_misc(link::LinkState& state, MiscActions& actions) {
    const auto& s = state.status;
    if (link::load(state.values.meter_roll_local_mode) != 0 && actions.ask_local_mode()) {
        actions.open_meter_roll_speed();
    }
    if (link::load(state.values.batch_mode) != 0) return;

    const std::uint8_t mode = s.get(off::drying_mode);
    const std::uint8_t mc = s.get(off::mc_mode_flags);
    const std::uint8_t sys = s.get(off::system_flags_257);
    const bool mc_bits_1_2 = (mc & 0x06) == 0x06;
    if (mode == 1 && (mc_bits_1_2 || (sys & 0x30) != 0)) {
        if ((sys & 0x40) && (mc & 0x80)) {
            actions.open_moisture_setpoint(3);
        } else if (sys & 0x02) {
            actions.act_as_temps();
        } else {
            edit_grain(state, actions, off::target_149);
        }
        return;
    }
    switch (mc & 0x07) {
        case 1:
            if (mode == 3) {
                edit_grain(state, actions, off::target_153);
                edit_grain(state, actions, off::target_151);
            } else {
                edit_grain(state, actions, off::target_149);
            }
            break;
        case 3: open_moisture_setpoint_checked(state, actions); break;
        case 4: actions.open_moisture_setpoint(3); break;
        case 5: edit_grain(state, actions, off::target_149); break;
        default: break;
    }
}

void run_meter_roll_event(const link::LinkState& state, MiscActions& actions) {
    if (learning_period_active(state) && !actions.ask_learning_period()) return;
    actions.open_meter_roll_speed();
}

}  // namespace dryer::shell
