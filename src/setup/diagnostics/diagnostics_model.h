// The service technician's diagnostics, without Qt: the air-switch test of
// the fan/heaters (disable, re-enable, and the panel's own re-enable), the
// set-speed and sensor-shutdown questions, the display I/O module's light
// outputs and switch inputs as the controller reports them. Settings change
// only through the settings-edit path.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "link/link_state.h"
#include "setup/common/screen_text.h"

namespace dryer::setup {

// ---- Units and the air-switch test ----------------------------------------

// The fan/heater units in use, first..6 (the last units, unit 6 always
// among them); empty (first = 7) for a count code the panel does not know.
struct UnitRange {
    int first = 7;
    bool contains(int unit) const { return unit >= first && unit <= 6; }
    int count() const { return 7 - first; }
};
UnitRange units_in_use(std::uint8_t count_code);

enum class AirSwitch : std::uint8_t {
    enabled,      // no unit in use has its test disabled
    disabled,     // some unit's test is disabled and stays so
    re_enabling,  // some unit's test is disabled, but the controller's state asks the panel to enable it again
};

// air_switch_state() reads the status image: a unit's test is disabled
// when bit 2 of its burner mode byte is set (units in use only); it is
// re-enabled by the panel when bit 3 of unit 6's state byte C (148) is set
// and bit 5 of 118 is clear.
AirSwitch air_switch_state(const link::ByteImage& status);

// set_air_switch_test() sets (disabled) or clears bit 2 of the burner mode
// setting of every unit in use and commits each one whose working copy
// changes. A unit whose change is already pending is not sent again.
// Returns the rows committed.
std::vector<int> set_air_switch_test(link::LinkState& state, bool disabled);

// ---- The dialog ------------------------------------------------------------

// begin_diagnostics() marks the diagnostics mode and takes working copies of
// the metering roll option byte and the six burner modes (no flag raised).
void begin_diagnostics(link::LinkState& state);
// end_diagnostics() clears the mark.
void end_diagnostics(link::LinkState& state);

// What the dialog shows of its live state.
struct DiagnosticsView {
    bool air_switch_checked = false;  // "Air Switch Testing Disabled"
    unsigned air_switch_button = 207;  // text of the air-switch button: 207 DISABLE, 208 ENABLE
    bool set_speed_pressed = false;   // "Set MR Speed Via Screen"
    bool operator==(const DiagnosticsView&) const = default;
};

// refresh_diagnostics() returns what the dialog shows now and, in the
// re-enabling state, enables the test again on every unit in use (the rows
// go out once; a repaint while they are pending sends nothing more).
DiagnosticsView refresh_diagnostics(link::LinkState& state);

// ---- Confirmations ----------------------------------------------------------

// A small question with Yes, No and CANCEL: caption and message lines by
// text number.
struct Confirmation {
    unsigned caption = 0;
    std::vector<unsigned> lines;
    bool operator==(const Confirmation&) const = default;
};

// The set-speed question: give the speed back to the knob while the screen
// has it, else take it for the screen.
Confirmation set_speed_confirmation(const link::LinkState& state);
// answer_set_speed() (Yes) toggles the panel's set-speed-via-screen flag
// (the meter-roll local mode). Returns the new flag.
bool answer_set_speed(link::LinkState& state);

// The metering-roll sensor-failure shutdown question, by bit 5 of the
// reported metering roll option byte (49).
Confirmation sensor_shutdown_confirmation(const link::ByteImage& status);
// answer_sensor_shutdown() (Yes) sends 49 with bit 5 the opposite of the
// reported one; the other bits are the working copy's.
void answer_sensor_shutdown(link::LinkState& state);

// The air-switch question, a small state machine: one Yes re-enables, two
// Yes disable, and while the control box has the test off nothing changes.
class AirSwitchQuestion {
public:
    explicit AirSwitchQuestion(const link::ByteImage& status);
    Confirmation confirmation() const;
    // yes() carries out a Yes; returns true when the question is done (close
    // it), false when it asks again (the second confirmation).
    bool yes(link::LinkState& state);

private:
    enum class Kind : std::uint8_t { locked, re_enable, disable, disable_sure } kind_;
};

// ---- Light outputs and switch inputs ---------------------------------------

struct LightRow {
    std::string label;  // English: names the widgets; shown in the panel's language
    bool activated = false;
    bool shorted = false;
};
// light_rows() returns the sixteen outputs in their order, from status
// bytes 177-178 (shorted) and 239-240 (activated).
std::array<LightRow, 16> light_rows(const link::ByteImage& status);

struct SwitchInput {
    std::string label;  // English, as for LightRow
    std::size_t offset = 0;  // the status byte
    int bit = 0;
    bool closed = false;
};
struct SwitchGroup {
    std::string caption;
    std::vector<SwitchInput> inputs;
};
// switch_groups() returns the switch inputs of status bytes 179-183 and the
// dryer-type switch (225) in seven groups: the connectors J3 to J6 (bytes
// 179 to 182, captions "J3 %s" .. with text 383), the "3 POS DIPSWITCH"
// (183 bits 0-3, text 385), the "MR ENCODER" (183 bits 4-6, text 384) and
// the "DRYER TYPE SW" (225, text 386).
std::array<SwitchGroup, 7> switch_groups(const link::ByteImage& status, const TextFn& text);

// connector_captions() returns "J3 %s" .. "J6 %s" filled with text 383.
std::array<std::string, 4> connector_captions(const TextFn& text);

}  // namespace dryer::setup
