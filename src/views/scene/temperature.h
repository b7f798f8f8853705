// Temperatures and quantities as the main screen shows them, through the
// shared unit conversions (views/units), formatted into UTF-8.
#pragma once

#include <cstdint>
#include <string>

#include "views/scene/format.h"
#include "views/units/units.h"

namespace dryer::views {

// f_to_c() returns the Celsius value of f (taken as signed 16-bit).
inline int f_to_c(int f) { return units::fahrenheit_to_celsius(units::as_signed16(static_cast<std::uint16_t>(f))); }

// display_temp() returns f converted when celsius is set, else f, both
// with f taken as signed 16-bit.
inline int display_temp(int f, bool celsius) {
    return units::display_temperature(units::as_signed16(static_cast<std::uint16_t>(f)), celsius);
}

// unit_letter() returns "C" with celsius set, else "F".
inline const char* unit_letter(bool celsius) { return celsius ? "C" : "F"; }

// temp_deg() returns the temperature as "%d°F" or "%d°C".
inline std::string temp_deg(int f, bool celsius) {
    return fmt("%d%s%s", display_temp(f, celsius), kDegree, unit_letter(celsius));
}

// bushels_to_tons() returns the bushels in metric tons, truncated.
inline std::int64_t bushels_to_tons(std::int64_t v) { return units::bushels_to_metric_tons(v); }

}  // namespace dryer::views
