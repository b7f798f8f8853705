#include "logging/history/node_names.h"

#include <array>

namespace dryer::history {

std::string_view node_name(int node_id) {
    static constexpr std::array<std::string_view, 16> kNames = {
        "",
        "DISPLAY I/O",
        "FAN/HEATER #1",
        "FAN/HEATER #2",
        "FAN/HEATER #3",
        "FAN/HEATER #4",
        "FAN/HEATER #5",
        "FAN/HEATER #6",
        "FAN/HEATER INT #1",
        "FAN/HEATER INT #2",
        "FAN/HEATER INT #3",
        "FAN/HEATER INT #4",
        "FAN/HEATER INT #5",
        "FAN/HEATER INT #6",
        "MAIN I/O",
        "MOISTURE CONT",
    };
    if (node_id < 0 || node_id >= static_cast<int>(kNames.size())) return {};
    return kNames[static_cast<std::size_t>(node_id)];
}

}  // namespace dryer::history
