// Names of the dryer controller's modules, by node id, as the shutdown
// history shows them.
#pragma once

#include <string_view>

namespace dryer::history {

// node_name() returns the module's name for node ids 1 to 15 and an
// empty text for 0 and every id above 15.
std::string_view node_name(int node_id);

// The node name of records that are events rather than shutdowns.
inline constexpr std::string_view kGlobalNode = "Global";

}  // namespace dryer::history
