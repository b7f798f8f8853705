// What the timer selection screen shows: its four child windows, each with
// its timer buttons, their values and the explanatory lines, including the
// out-of-grain window's previous-load time or its "load not in Auto" note.
// Computed from the status image without Qt.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "link/images.h"
#include "setup/common/screen_text.h"
#include "setup/keypads/timer_keypad.h"

namespace dryer::setup {

// The timers of this screen with their settings and limits.
namespace timers {
inline constexpr TimerTarget load_delay{31, {{0, 1}, {10, 0}, {1, 0}}};
inline constexpr TimerTarget out_of_grain{26, {{0, 0}, {30, 0}, {8, 0}}};
inline constexpr TimerTarget fan_delay{46, {{0, 1}, {0, 25}, {0, 3}}};
inline constexpr TimerTarget cool_down{269, {{0, 0}, {60, 0}, {0, 0}}};
inline constexpr TimerTarget unload_delay{41, {{0, 0}, {10, 0}, {1, 0}}};
}  // namespace timers

// A timer button with the value lines drawn beside it.
struct TimerBoxView {
    const char* name;  // the button's name
    int picture;
    TimerTarget target;
    std::string label;         // text 49
    std::string minutes_line;  // "%03d %s" with text 50
    std::string seconds_line;  // "%02d %s" with text 51
    bool operator==(const TimerBoxView&) const = default;
};

// A button (or none) followed by lines of text.
struct TimerBlock {
    std::optional<TimerBoxView> box;
    std::vector<InkLine> lines;
    bool operator==(const TimerBlock&) const = default;
};

struct TimerChildView {
    const char* object_name;  // the child window's class name
    std::string title;
    std::vector<TimerBlock> blocks;
    bool operator==(const TimerChildView&) const = default;
};

// The four children: load delay (top left), out of grain (top right), fan
// setup (bottom left), unload clean-out delay (bottom right).
using TimerSelectView = std::array<TimerChildView, 4>;

// timer_select_view() computes the screen from the status image, the
// previous-load time in seconds and the current language's texts.
TimerSelectView timer_select_view(const link::ByteImage& status, std::uint32_t previous_load_seconds,
                                  const TextFn& text);

}  // namespace dryer::setup
