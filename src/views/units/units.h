// Units and number formats shared by every screen.
//
// The controller speaks whole degrees Fahrenheit (the grain temperature in
// tenths), moisture in tenths of a percent and grain in bushels. With bit 7 of
// display_options_266 set the panel shows Celsius and metric tons instead.
//
// Usage:
//   bool c = dryer::units::celsius_selected(options_266);
//   std::u16string t = dryer::units::temperature_text(raw_f, c, true, true); // "100°F"
//   int shown = dryer::units::display_temperature(raw_f, c);               // for own formats
//   std::u16string m = dryer::units::tenths_text(moisture, true);          // "15.5%"
#pragma once

#include <cstdint>
#include <string>

namespace dryer::units {

inline constexpr char16_t kDegreeSign = 0xB0;
inline constexpr double kBushelsToMetricTons = 0.0254000508001016;

// celsius_selected() returns true when bit 7 of display_options_266 is set.
bool celsius_selected(std::uint8_t display_options_266);

// as_signed16() returns the two bytes' value read as a signed 16-bit
// number (0x8000 and above are negative).
std::int16_t as_signed16(std::uint16_t raw);

// fahrenheit_to_celsius() returns 5 * (f - 32) / 9, truncated toward zero
// (212 -> 100, 31 -> 0, 0 -> -17, -40 -> -40).
int fahrenheit_to_celsius(std::int16_t f);

// tenths_fahrenheit_to_celsius() divides by 10 (toward zero) and then
// convert: 1000 (100.0 F) -> 37.
int tenths_fahrenheit_to_celsius(std::int16_t tenths_f);

// display_temperature() returns f converted when celsius is set, f
// itself otherwise.
int display_temperature(std::int16_t f, bool celsius);

// unit_letter() returns u'C' when celsius is set, else u'F'.
char16_t unit_letter(bool celsius);

// temperature_text() returns the displayed value as "%d°F"/"%d°C" with
// degree sign and unit letter, "%dF"/"%dC" with the letter only, and "%d"
// without the letter (whatever degree_sign says).
std::u16string temperature_text(std::int16_t f, bool celsius, bool degree_sign, bool with_unit);

// tenths_text() returns v / 10 "." v % 10 of the unsigned value, with a
// trailing '%' when percent is set: 155 -> "15.5", "15.5%".
std::u16string tenths_text(std::uint16_t v, bool percent);

// hundredths_text() returns v / 100 "." two digits of v % 100: 705 -> "7.05".
std::u16string hundredths_text(std::uint16_t v);

// bushels_to_metric_tons() returns bushels * 0.0254000508001016,
// truncated to a whole number.
std::int64_t bushels_to_metric_tons(std::int64_t bushels);

// display_quantity() returns the bushels converted to metric tons when
// metric is set, unchanged otherwise.
std::int64_t display_quantity(std::int64_t bushels, bool metric);

// to_u16() widens an ASCII/Latin-1 string (formats built with snprintf).
std::u16string to_u16(const std::string& latin1);

}  // namespace dryer::units
