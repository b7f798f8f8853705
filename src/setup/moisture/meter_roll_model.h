// The meter roll speed setpoints dialog without Qt: the working low, main
// and high speeds, the selected setpoint, the control scheme's form (one,
// two or three bars, the automatic-mode note) and the commands it sends.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "link/link_state.h"
#include "setup/common/screen_text.h"

namespace dryer::setup {

// Speeds by their index in the control byte 159: 0 low, 1 main, 2 high.
enum Speed : int { low = 0, main = 1, high = 2 };

struct SpeedBar {
    Speed speed;
    std::string label;  // "LOW SP", "MAIN SP", "HIGH SP"; empty on a single bar
    int value;          // percent 0-100
    bool selected;      // drawn red
};

// What the dialog shows for the current status and working speeds.
struct MeterRollView {
    std::string caption;
    std::vector<SpeedBar> bars;              // empty while the note shows
    std::vector<std::string> note;           // the automatic-mode note
    bool scheme_button = false;              // scheme 1 with bit 7, or scheme 2
    std::string scheme_caption;
    bool radio = false;                      // the radio pair shows
    std::array<std::string, 2> radio_text;   // "ONE SPEED"/"TWO SPEED" or "ON"/"OFF"
    bool radio_first = false;                // the first radio button is checked
    bool select = false;                     // SELECT shows
    bool adjust = false;                     // INCREASE, DECREASE, SELECT, Speed Adjust enabled
};

class MeterRoll {
public:
    // Opens the screen: takes the working speeds (the main one from 230 in
    // the five-speed schemes), hands 230 back under item 161, withdraws the
    // control byte, marks the screen open and takes the selected setpoint
    // from the control byte (main when it holds no speed index).
    explicit MeterRoll(link::LinkState& state);
    // close() marks the screen closed.
    void close();

    int scheme() const;
    bool one_speed() const;
    bool tracking() const;
    // adjust_allowed() is false while the dryer controls the speed itself
    // (the automatic-mode note shows).
    bool adjust_allowed() const;
    bool note_shown() const;

    Speed selected() const { return selected_; }
    int speed(Speed s) const;

    MeterRollView view(const TextFn& text) const;

    void increase();
    void decrease();
    // select() moves the selection (scheme 1 with the control bits equal to
    // 1 only) and sends the control byte.
    void select();

    // What the scheme button does.
    enum class SchemeAction { toggled, ask_tracking, none };
    // scheme_button() toggles one/two speed or turns tracking off at once;
    // ask_tracking means the tracking question is to be asked first.
    SchemeAction scheme_button();
    // start_tracking() turns tracking on after a yes.
    void start_tracking();

    // accept() sends the changed speeds, the scheme into 224 (scheme 2) and
    // the selected setpoint. cancel() hands the controller's speeds back.
    std::vector<int> accept();
    void cancel();

private:
    link::LinkState& state_;
    std::array<int, 3> speeds_{};  // by Speed
    Speed selected_ = Speed::main;
    bool open_ = true;
};

struct TrackingQuestion {
    std::string title;
    std::string text;
};
TrackingQuestion tracking_question();

}  // namespace dryer::setup
