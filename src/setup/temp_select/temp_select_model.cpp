#include "setup/temp_select/temp_select_model.h"

#include <cstdio>

#include "link/fields.h"

namespace dryer::setup {

namespace {
using link::off::heater_setpoint_1;
using link::off::heater_setpoint_2;
using link::off::target_149;
using link::off::target_151;
using link::off::target_153;
using link::off::temp_setpoint_258;
using link::off::temp_setpoint_260;

constexpr TempLimits kPlenum{50, 250, 180};
constexpr TempLimits kGrain{50, 160, 105};
constexpr TempLimits kGrainMode3{50, 180, 120};
constexpr TempLimits kGrainLow{50, 180, 105};

constexpr const char* kPlenumNames[6] = {"Plenum 1 setpoint", "Plenum 2 setpoint", "Plenum 3 setpoint",
                                         "Plenum 4 setpoint", "Plenum 5 setpoint", "Plenum 6 setpoint"};

constexpr TempButton plenum_button(int plenum) {
    // Pictures 17 (plenum 1) down to 12 (plenum 6); Plenum 1 is the first
    // unit in use (offset 69), Plenum 2 the next (67) and so on.
    return {kPlenumNames[plenum - 1], 18 - plenum,
            {link::heater_setpoint_offset(link::plenum_unit(plenum)), kPlenum}};
}

// The plenums in the places of the single-mode layout: left column 3, 2, 1
// from the top; right column 6, 5, 4.
constexpr std::array<int, 6> kPlenumAtPlace{3, 2, 1, 6, 5, 4};

bool plenum_shown(int plenum, int count_code, bool cf_hides_2_3) {
    if (cf_hides_2_3 && (plenum == 2 || plenum == 3)) return false;
    switch (plenum) {
    case 1: return true;
    case 2: return count_code >= 1;
    case 3: return count_code >= 2;
    case 4: return count_code >= 3;
    default: return count_code == 4;
    }
}

std::vector<std::string> grain_note(bool celsius, const TextFn& text) {
    const std::string joined = celsius ? text(197) + " " + text(198) + " " + text(199) : text(200) + " " + text(201);
    return word_wrap(joined, 40);
}
}  // namespace

bool dual_plenum_mode(const link::ByteImage& status) {
    return status.get(link::off::drying_mode) == 1 && (status.get(link::off::system_flags_257) & 0x02) != 0;
}

std::string temp_value_text(std::uint16_t fahrenheit, bool celsius) {
    char buf[32];
    const int v = shown_temperature(fahrenheit, celsius);
    std::snprintf(buf, sizeof buf, " %3d \u00B0%c ", v, celsius ? 'C' : 'F');
    return buf;
}

TempSelectView temp_select_view(const link::ByteImage& status, bool celsius, const TextFn& text) {
    TempSelectView v;
    const int count = status.get(link::off::fan_heater_count);
    const int drying = status.get(link::off::drying_mode);
    const bool no_values = (status.get(link::off::options_225) & 0x20) != 0;
    v.dual_plenum = dual_plenum_mode(status);

    auto place = [&](const TempButton& b, bool shown, bool draw_value) {
        TempPlace p{b, shown, {}};
        if (shown && draw_value) p.value_text = temp_value_text(link::u16le(status, b.target.offset), celsius);
        return p;
    };

    if (v.dual_plenum) {
        const bool second = count >= 1;
        v.plenum[1] = place({"Plenum high", 19, {heater_setpoint_1, kPlenum}}, true, !no_values);
        v.plenum[2] = place({"Plenum low", 20, {temp_setpoint_260, kPlenum}}, true, !no_values);
        v.plenum[4] = place({"Plenum 2 high", 71, {heater_setpoint_2, kPlenum}}, second, !no_values);
        v.plenum[5] = place({"Plenum 2 low", 70, {temp_setpoint_258, kPlenum}}, second, !no_values);
        v.grain[0] = place({"Grain high", 21, {target_151, kGrainMode3}}, true, true);
        v.grain[1] = place({"Grain low", 22, {target_153, kGrainLow}}, true, true);
    } else {
        const bool cf_hides = drying == 0 && no_values;
        for (std::size_t i = 0; i < kPlenumAtPlace.size(); ++i) {
            const int plenum = kPlenumAtPlace[i];
            v.plenum[i] = place(plenum_button(plenum), plenum_shown(plenum, count, cf_hides), !no_values);
        }
        v.grain[0] = place(drying == 3 ? TempButton{"Grain setpoint", 18, {target_151, kGrainMode3}}
                                       : TempButton{"Grain setpoint", 18, {target_149, kGrain}},
                           true, true);
    }
    v.heading = text(196);
    v.note = grain_note(celsius, text);
    return v;
}

}  // namespace dryer::setup
