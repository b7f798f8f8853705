// Any stored settings file content: it parses without crashing and the range
// rules always give values inside their ranges.
#include <cstdint>
#include <string_view>

#include "logging/stored_settings/stored_settings.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace dryer::logging;
    const auto values = parse_stored_values(std::string_view(reinterpret_cast<const char*>(data), size));
    const auto get = [&](StoredKey k) -> std::optional<std::uint8_t> {
        const auto it = values.find(std::string(stored_key_name(k)));
        if (it == values.end()) return std::nullopt;
        return it->second;
    };
    const auto s = apply_range_rules(get(StoredKey::graph_horizontal_scale), get(StoredKey::graph_traces_on_off),
                                     get(StoredKey::temp_data_log_sample_time), get(StoredKey::screen_view_selection));
    if (s.graph_horizontal_scale > 3 || s.graph_traces > 0x3F || s.sample_time_minutes > 15) __builtin_trap();
    return 0;
}
