#include "views/units/units.h"

#include <cmath>
#include <cstdio>

namespace dryer::units {

bool celsius_selected(std::uint8_t display_options_266) { return (display_options_266 & 0x80) != 0; }

std::int16_t as_signed16(std::uint16_t raw) { return static_cast<std::int16_t>(raw); }

int fahrenheit_to_celsius(std::int16_t f) {
    const std::int32_t product = 5 * (static_cast<std::int32_t>(f) - 32);
    return static_cast<int>(product / 9);  // C++ division truncates toward zero
}

int tenths_fahrenheit_to_celsius(std::int16_t tenths_f) {
    return fahrenheit_to_celsius(static_cast<std::int16_t>(tenths_f / 10));
}

int display_temperature(std::int16_t f, bool celsius) { return celsius ? fahrenheit_to_celsius(f) : f; }

char16_t unit_letter(bool celsius) { return celsius ? u'C' : u'F'; }

std::u16string to_u16(const std::string& latin1) {
    std::u16string out;
    out.reserve(latin1.size());
    for (char c : latin1) out.push_back(static_cast<char16_t>(static_cast<unsigned char>(c)));
    return out;
}

std::u16string temperature_text(std::int16_t f, bool celsius, bool degree_sign, bool with_unit) {
    std::u16string out = to_u16(std::to_string(display_temperature(f, celsius)));
    if (!with_unit) return out;
    if (degree_sign) out.push_back(kDegreeSign);
    out.push_back(unit_letter(celsius));
    return out;
}

std::u16string tenths_text(std::uint16_t v, bool percent) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%d.%1d%s", v / 10, v % 10, percent ? "%" : "");
    return to_u16(buf);
}

std::u16string hundredths_text(std::uint16_t v) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%d.%02d", v / 100, v % 100);
    return to_u16(buf);
}

std::int64_t bushels_to_metric_tons(std::int64_t bushels) {
    return static_cast<std::int64_t>(std::trunc(static_cast<double>(bushels) * kBushelsToMetricTons));
}

std::int64_t display_quantity(std::int64_t bushels, bool metric) {
    return metric ? bushels_to_metric_tons(bushels) : bushels;
}

}  // namespace dryer::units
