// What the temperature setpoint screen shows: which setpoint buttons are
// shown in which of the six plenum places and the grain places, their
// values, and the grain window's note. Computed from the status image
// without Qt; the widgets only paint it.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <vector>

#include "link/images.h"
#include "setup/common/screen_text.h"
#include "setup/keypads/temp_keypad.h"

namespace dryer::setup {

// One setpoint button: its localized picture number and the setting it edits.
struct TempButton {
    const char* name = "";  // the button's name ("Plenum 1 setpoint")
    int picture = 0;
    TempTarget target{};
    bool operator==(const TempButton&) const = default;
};

// One place on the screen: the button there (if any), whether it is shown
// and the value drawn to its right (empty when no value is drawn).
struct TempPlace {
    TempButton button{};
    bool shown = false;
    std::string value_text;
    bool operator==(const TempPlace&) const = default;
};

struct TempSelectView {
    // Plenum places: [column * 3 + row], column 0 left, row 0 top.
    std::array<TempPlace, 6> plenum;
    // Grain places: [0] the grain setpoint or grain high, [1] grain low.
    std::array<TempPlace, 2> grain;
    std::string heading;             // text 196
    std::vector<std::string> note;   // word-wrapped to 40 characters
    bool dual_plenum = false;
    bool operator==(const TempSelectView&) const = default;
};

// dual_plenum_mode() returns true when the drying mode is 1 (staged
// batch) and bit 0x02 of system_flags_257 is set.
bool dual_plenum_mode(const link::ByteImage& status);

// temp_value_text() formats a setpoint as " %3d °F ", or " %3d °C "
// after conversion when celsius is set.
std::string temp_value_text(std::uint16_t fahrenheit, bool celsius);

// temp_select_view() computes the screen from the status image, the
// Celsius flag and the current language's texts.
TempSelectView temp_select_view(const link::ByteImage& status, bool celsius, const TextFn& text);

}  // namespace dryer::setup
