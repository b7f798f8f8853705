// The temperature and timer keypad dialogs and the calls that run them over
// a screen: fill the keypad from the status image, run it modally, and on an
// accepted value write the setting and raise its flag.
#pragma once

#include <optional>
#include <string_view>

#include "kit/keypad_frame.h"

#include "setup/keypads/temp_keypad.h"
#include "setup/keypads/timer_keypad.h"

class QPushButton;

namespace dryer::link {
struct LinkState;
}

namespace dryer::setup {

class TempKeypadDialog : public kit::KeypadFrame {
    Q_OBJECT
public:
    TempKeypadDialog(const TempKeypad& keypad, QWidget* parent);
    // Returns the Fahrenheit value accepted, if any.
    std::optional<std::uint16_t> result_f() const { return result_; }
    const TempKeypad& keypad() const { return keypad_; }

protected:
    void on_default() override;
    void on_accept() override;

private:
    void key(int k);
    void redraw();

    TempKeypad keypad_;
    std::optional<std::uint16_t> result_;
};

class TimerKeypadDialog : public kit::KeypadFrame {
    Q_OBJECT
public:
    TimerKeypadDialog(const TimerKeypad& keypad, QWidget* parent);
    std::optional<MinSec> result() const { return result_; }
    const TimerKeypad& keypad() const { return keypad_; }

protected:
    void on_default() override;
    void on_accept() override;

private:
    QWidget* pad(bool left);
    void redraw();

    TimerKeypad keypad_;
    std::optional<MinSec> result_;
};

// run_temperature_keypad() copies the status value at the target into the
// settings image, opens the keypad over parent with that value (shown in
// Celsius when the panel's SI-units flag is set) and, when the operator
// accepts a value in range, commits it through the settings-edit path under
// `source` (the screen that opened the keypad). Returns true when a value
// was stored.
bool run_temperature_keypad(QWidget* parent, link::LinkState& state, TempTarget target, std::string_view source);

// run_timer_keypad() does the same for a timer with the timer keypad.
// Both take the target by value: screens redraw while the keypad is open.
bool run_timer_keypad(QWidget* parent, link::LinkState& state, TimerTarget target, std::string_view source);

}  // namespace dryer::setup
