// The main screen's layout rules as plain functions of status bytes: the
// button-bar layout, the right-hand view rule and the batch-button rule.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

namespace dryer::shell {

inline constexpr int kButtonY = 427;
inline constexpr int kButtonW = 105;
inline constexpr int kButtonH = 40;
inline constexpr int kQsX = 585;
inline constexpr int kQsW = 44;

struct ButtonBarLayout {
    bool qs_shown;
    std::array<int, 5> x;  // TIMERS, TEMPS, SETUP, VIEW, MISC
};

// button_bar_layout() returns "QS" shown and the five buttons at
// 10, 125, 240, 355, 470 when bit 0 of options_279 is set, otherwise "QS"
// hidden and the buttons at 20, 144, 268, 392, 516.
ButtonBarLayout button_bar_layout(std::uint8_t options_279);

struct RightHandViews {
    bool graph;         // GRAPH_WINDOW and its companion
    bool averages;      // AVERAGE_VALUES_WINDOW
    bool custom_view;   // CUSTOM_VIEW_WINDOW (the plenum view)
    bool batch_drying;  // BATCH_DRYING_WINDOW
    bool operator==(const RightHandViews&) const = default;
};

// right_hand_views() returns the batch window with the plenum view
// when drying_mode is not 0; in continuous flow the graph alone when bit 6
// of display_options_266 is set, else the averages with the plenum view.
RightHandViews right_hand_views(std::uint8_t drying_mode, std::uint8_t display_options_266);

// view_rule_options() returns the display_options_266 byte that the
// right-hand view rule reads. While a change of the byte is pending (sent,
// not yet echoed) it is the panel's own settings byte, so an operator's
// choice shows at once; otherwise the controller's byte, except that before
// the first status frame a stored graph choice sets bit 6. Once the
// controller has reported, its bit 6 rules.
std::uint8_t view_rule_options(std::uint8_t status_266, std::optional<std::uint8_t> pending_266, bool controller_heard,
                               bool stored_graph);

struct BatchButtons {
    bool single;  // the single heat button
    bool high;    // "HI HEAT"
    bool low;     // "LO HEAT"
    bool operator==(const BatchButtons&) const = default;
};

// batch_buttons() returns the single heat button alone in drying mode
// 0, high and low in mode 3, and in any other mode high and low when bit 1
// of system_flags_257 (dual plenum) is set, else the single one.
BatchButtons batch_buttons(std::uint8_t drying_mode, std::uint8_t system_flags_257);

struct Point {
    int x;
    int y;
    bool operator==(const Point&) const = default;
};

// centred_origin() returns where a w x h dialog goes to be centred on
// the parent rectangle, with negative coordinates clamped to 0.
Point centred_origin(int parent_x, int parent_y, int parent_w, int parent_h, int w, int h);

}  // namespace dryer::shell
