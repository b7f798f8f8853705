// "MISC", the setpoint shortcut of the main screen, and the meter roll
// event command, as plain decisions over the status image. What they open
// (keypad, moisture setpoint, meter roll speed dialog) is behind MiscActions.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "link/link_state.h"

namespace dryer::shell {

// What the temperature keypad is asked to edit.
struct TemperatureKeypadRequest {
    std::uint16_t current;   // the two status bytes, first byte low
    std::uint16_t minimum;   // degrees F
    std::uint16_t maximum;
    std::uint16_t fallback;  // the keypad's default
    std::size_t target;      // setting offset written by the keypad
    int flag_row;            // change flag raised after the write
    bool operator==(const TemperatureKeypadRequest&) const = default;
};

class MiscActions {
public:
    virtual ~MiscActions() = default;
    // Localized yes/no/cancel question about the meter roll's local mode; true on yes.
    virtual bool ask_local_mode() = 0;
    // The learning-period question (learning_period_question()); true on yes.
    virtual bool ask_learning_period() = 0;
    virtual void open_meter_roll_speed() = 0;
    virtual void open_moisture_setpoint(int mode) = 0;
    virtual void act_as_temps() = 0;
    virtual void open_temperature_keypad(const TemperatureKeypadRequest& request) = 0;
};

// grain_setpoint_request() copies the two status bytes at `target`
// (149, 151 or 153) into the settings image and return the keypad request
// for it (limits 50 to 160, default 105, the target's change flag).
TemperatureKeypadRequest grain_setpoint_request(link::LinkState& state, std::size_t target);

// run_misc() carries out the four steps of "MISC" in order.
void run_misc(link::LinkState& state, MiscActions& actions);

// run_meter_roll_event() opens the meter roll speed dialog, after a yes
// to the learning-period question when that period is active.
void run_meter_roll_event(const link::LinkState& state, MiscActions& actions);

// The question asked before the moisture setpoint is changed during the
// learning period, in the current language.
struct LearningPeriodQuestion {
    std::string title;  // text 902
    std::string body;   // texts 903 to 905
};
inline constexpr unsigned kLearningTitleText = 902;
inline constexpr unsigned kLearningBodyTexts[] = {903, 904, 905};  // one sentence each

// learning_period_question() returns the title and the body, whose sentences
// are joined by two blanks as the English box writes them; an empty text is
// left out.
LearningPeriodQuestion learning_period_question(const std::function<std::string(unsigned)>& text);

// learning_period_active() returns true in moisture-control mode 3
// with status_52 above 0 and bit 2 of mode_flags_179 set.
bool learning_period_active(const link::LinkState& state);

}  // namespace dryer::shell
