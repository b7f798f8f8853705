#include "shell/rules.h"

#include <algorithm>

namespace dryer::shell {

ButtonBarLayout button_bar_layout(std::uint8_t options_279) {
    if (options_279 & 0x01) return {true, {10, 125, 240, 355, 470}};
    return {false, {20, 144, 268, 392, 516}};
}

RightHandViews right_hand_views(std::uint8_t drying_mode, std::uint8_t display_options_266) {
    if (drying_mode != 0) return {false, false, true, true};
    if (display_options_266 & 0x40) return {true, false, false, false};
    return {false, true, true, false};
}

std::uint8_t view_rule_options(std::uint8_t status_266, std::optional<std::uint8_t> pending_266, bool controller_heard,
                               bool stored_graph) {
    if (pending_266) return *pending_266;
    if (!controller_heard && stored_graph) return static_cast<std::uint8_t>(status_266 | 0x40);
    return status_266;
}

BatchButtons batch_buttons(std::uint8_t drying_mode, std::uint8_t system_flags_257) {
    if (drying_mode == 0) return {true, false, false};
    if (drying_mode == 3) return {false, true, true};
    const bool dual = (system_flags_257 & 0x02) != 0;
    return {!dual, dual, dual};
}

Point centred_origin(int parent_x, int parent_y, int parent_w, int parent_h, int w, int h) {
    return {std::max(0, parent_x + (parent_w - w) / 2), std::max(0, parent_y + (parent_h - h) / 2)};
}

}  // namespace dryer::shell
