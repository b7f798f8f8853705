// The six buttons of the main window's bottom row and the main window's
// commands.
#pragma once

#include <array>
#include <string_view>


namespace dryer::shell {

namespace command {
inline constexpr int timers = 34817;
inline constexpr int temps = 34818;
inline constexpr int setup = 34819;
inline constexpr int view = 34820;
inline constexpr int misc = 34821;
inline constexpr int meter_roll_event = 34822;
inline constexpr int dipswitch_event = 34823;
inline constexpr int quick_start = 37011;
}  // namespace command

struct MainButton {
    std::string_view name;
    int command;
    int picture;  // localized picture; "QS" uses built-in picture 595
};

inline constexpr std::array<MainButton, 6> kMainButtons{{
    {"TIMERS", command::timers, 1},
    {"TEMPS", command::temps, 2},
    {"SETUP", command::setup, 3},
    {"VIEW", command::view, 4},
    {"MISC", command::misc, 5},
    {"QS", command::quick_start, 595},
}};

// The localized picture that replaces "MISC"'s while the batch mode flag is set.
inline constexpr int kMiscBatchPicture = 6;

}  // namespace dryer::shell
