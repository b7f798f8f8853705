// Temperatures as the main screen shows them: whole degrees Fahrenheit from
// the controller, converted to Celsius when the operator chose metric units.
#pragma once

#include <cstdint>
#include <string>

#include "views/scene/format.h"

namespace dryer::views {

// f_to_c() shall return 5 * (f - 32) / 9 truncated toward zero, f taken as a
// signed 16-bit value.
inline int f_to_c(int f) { return 5 * (static_cast<std::int16_t>(f) - 32) / 9; }

// display_temp() shall return f converted when celsius is set, else f.
inline int display_temp(int f, bool celsius) { return celsius ? f_to_c(f) : static_cast<std::int16_t>(f); }

// unit_letter() shall return "C" with celsius set, else "F".
inline const char* unit_letter(bool celsius) { return celsius ? "C" : "F"; }

// temp_deg() shall return the temperature as "%d°F" or "%d°C".
inline std::string temp_deg(int f, bool celsius) {
    return fmt("%d%s%s", display_temp(f, celsius), kDegree, unit_letter(celsius));
}

// bushels_to_tons() shall return v times 0.0254000508001016, truncated.
inline std::int64_t bushels_to_tons(std::int64_t v) { return static_cast<std::int64_t>(static_cast<double>(v) * 0.0254000508001016); }

}  // namespace dryer::views
