// The main window's child windows, created at start-up in this order and
// never destroyed, and the six buttons of the bottom row.
#pragma once

#include <array>
#include <string_view>

namespace dryer::shell {

struct ChildWindowSpec {
    std::string_view class_name;
    std::string_view caption;
    int x, y, w, h;
    bool caption_bar;  // drawn with a title bar
    bool top;          // kept above the others
    bool shown;        // initially
};

inline constexpr std::array<ChildWindowSpec, 18> kChildWindows{{
    {"VIEW_SELECTION_WINDOW", "  VIEW SELECTION WINDOW - 04", 100, 50, 450, 275, true, false, false},
    {"WARNING_WINDOW", " WARNING - DRYER SHUTTING DOWN! - 05", 10, 20, 600, 325, true, false, false},
    {"LINE_GRAPH_WINDOW", " GRAIN TEMPERATURE / MOISTURE", 0, 40, 240, 205, true, false, false},
    {"AVERAGE_VALUES_WINDOW", " DRYER STATUS CHART", 240, 40, 400, 205, true, false, false},
    {"BOOT_LOADER_WINDOW", " UPDATE DRYER PROGRAMMING", 0, 0, 640, 480, true, false, false},
    {"CUSTOM_VIEW_WINDOW", "  PLENUM(S)", 240, 245, 400, 175, true, false, false},
    {"UNLOAD_STATUS_WINDOW", " UNLOAD STATUS", 0, 245, 240, 175, true, false, false},
    {"DRYER_LEFT_STATUS_BAR_WINDOW", " DRYER BAR STATUS", 0, 0, 240, 40, false, false, false},
    {"DRYER_RIGHT_STATUS_BAR_WINDOW", " DRYER BAR STATUS", 240, 0, 400, 40, false, false, true},
    {"BUTTON_BAR_WINDOW", " DRYER BAR STATUS", 0, 420, 640, 55, false, false, true},
    {"TIMER_SELECT_WINDOW", " SELECT TIMER TO MODIFY - 01", 0, 0, 640, 475, true, true, false},
    {"TEMP_SELECT_WINDOW", " SELECT TEMPERATURE SETPOINT TO MODIFY - 02", 0, 0, 640, 475, true, true, false},
    {"SETUP_SELECTION_WINDOW", " SELECT HARDWARE SETUP PARAMETER TO MODIFY - 03", 0, 0, 640, 475, true, true, false},
    {"EXTENDED_SETUP_SELECTION_WINDOW_NEW", " SELECT SETUP PARAMETER TO MODIFY - 06", 0, 0, 640, 475, true, true,
     false},
    {"GRAPH_WINDOW", " GRAPH OF SELECTED DRYER VARIABLES", 240, 40, 400, 380, false, false, false},
    {"DRYER_PIC_WINDOW", " SYSTEM STATUS", 0, 0, 240, 420, false, false, true},
    {"BATCH_DRYING_WINDOW", " BATCH DRYING TIMERS", 240, 40, 400, 205, true, false, false},
    {"AUTO_START_CONFIG_WINDOW", " SELECT HARDWARE SETUP PARAMETER TO MODIFY - 03", 0, 0, 640, 475, true, true,
     false},
}};

// The windows of the main screen that hiding it hides (besides the six
// buttons and the graph's companion window).
inline constexpr std::array<std::string_view, 8> kMainScreenWindows{
    "LINE_GRAPH_WINDOW",      "UNLOAD_STATUS_WINDOW", "DRYER_RIGHT_STATUS_BAR_WINDOW", "CUSTOM_VIEW_WINDOW",
    "AVERAGE_VALUES_WINDOW", "BUTTON_BAR_WINDOW",    "DRYER_PIC_WINDOW",              "BATCH_DRYING_WINDOW",
};

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

struct MainButtonSpec {
    std::string_view name;
    int command;
    int picture;  // localized picture; "QS" uses built-in picture 595
};

inline constexpr std::array<MainButtonSpec, 6> kMainButtons{{
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
