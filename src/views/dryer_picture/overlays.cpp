#include "views/dryer_picture/dryer_layouts.h"
#include "views/scene/format.h"
#include "views/scene/status.h"
#include "views/scene/temperature.h"

namespace dryer::views {
namespace {

namespace off = link::off;
using st::bit;

constexpr Rgb kLeaderRed = colour::red;

std::string inlet_moisture(const link::ByteImage& s) { return tenths(st::moisture_191(s)) + "%"; }

bool batch_with_grain_form(const link::ByteImage& s) {
    return st::drying_mode(s) == 1 && (bit(s, off::system_flags_257, 4) || bit(s, off::system_flags_257, 5));
}

// The sensor temperature of the tower overlays: text 295 with bit 2 of
// options_225, else the temperature picked by status_184.
Label tower_sensor_text(const OverlayInput& in) {
    if (bit(in.s, off::options_225, 2)) return in.t.label(295);
    return temp_deg(st::picked_sensor_temperature(in.s), in.celsius);
}

Label counter_text(const OverlayInput& in) {
    if (st::drying_mode(in.s) == 1) return {fmt("%s %d", in.t.text(296).c_str(), st::batch_counter(in.s)), 296};
    return unload_figure_box(in.s, in.t);
}

Label label_temp(const char* f_fmt, const Label& label, int f, bool celsius) {
    return {fmt(f_fmt, label.c_str(), display_temp(f, celsius), kDegree, unit_letter(celsius)), label.number};
}

void sampler(Scene& sc, const OverlayInput& in, Rect r, int size) {
    if (!bit(in.s, off::options_293, 7)) return;
    sc.text(r, sampler_message_box(in.s, in.t), size, 400, colour::blue).wrap = true;
}

void leader(Scene& sc, int x1, int y1, int x2, int y2, Rgb c = colour::light_grey) { sc.line(x1, y1, x2, y2, 1, c); }

}  // namespace

void overlay_column(Scene& sc, const OverlayInput& in) {
    const auto& s = in.s;
    const auto& t = in.t;
    const bool batch = st::drying_mode(s) == 1;
    if (batch) {
        sc.text({1, 30, 80, 50}, t.label(293), 12, 400, colour::dark_blue);
        sc.text({1, 55, 80, 75}, t.label(294), 12, 400, colour::dark_blue);
        sc.text({1, 40, 80, 70}, batch_value_box(st::value_247(s)), 18, 400, colour::light_green);
        sc.text({1, 65, 80, 95}, batch_value_box(st::value_249(s)), 18, 400, colour::light_green);
    }
    sc.text({140, 20, kDryerPicWidth, 60}, inlet_moisture(s), 30, 800, colour::green);
    leader(sc, 150, 52, 120, 60);
    const Label sensor = bit(s, off::options_225, 2) ? t.label(295) : Label{temp_deg(st::value_93(s), in.celsius)};
    sc.text({185, 200, 240, 220}, sensor, 16, 400, colour::cyan);
    leader(sc, 185, 210, 130, 210);

    // The readings' column, 70 pixels wide, ends at the window's right edge.
    const int x = kDryerPicWidth - 70;
    const BoxText state = dryer_state_box(s, t);
    sc.text({x, 280, kDryerPicWidth, 300}, mode_name_box(s, t), 12, 400, colour::green);
    sc.text({x, 290, kDryerPicWidth, 310}, state.label(), 12, 400, state.colour);
    sc.text({x, 300, kDryerPicWidth, 320}, control_state_box(s, t), 12, 400, colour::red);
    sc.text({x, 310, kDryerPicWidth, 330}, counter_text(in), 12, 400, colour::white);
    sc.text({x, 320, kDryerPicWidth, 340}, throughput_box(s, in.celsius, t), 12, 400, colour::white);
    sc.text({x, 330, kDryerPicWidth, 350}, bushel_total_box(s, in.celsius, t), 12, 400, colour::white);
    sc.text({x, 340, kDryerPicWidth, 360}, grain_temperature_box(s, in.celsius), 12, 400, colour::yellow);
    const int mode = st::mc_mode(s);
    if (mode == 1 || mode == 5 || bit(s, off::system_flags_257, 4))
        sc.text({x, 350, kDryerPicWidth, 370}, discharge_moisture_box(s), 12, 400, colour::green);
    sampler(sc, in, {x, 360, kDryerPicWidth, 400}, 12);
    leader(sc, x - 2, 300, 140, 300);

    const bool temperature_form = (s.get(off::mc_mode_flags) & 0x3F) == 1 || mode == 5 || batch_with_grain_form(s);
    if (temperature_form) {
        const bool dual = bit(s, off::system_flags_257, 1);
        const Label label = t.label(dual ? 297 : 288);
        const int target = (st::drying_mode(s) != 0 && dual) ? st::target_153(s) : st::target_149(s);
        sc.text({150, 395, kDryerPicWidth, 415}, label_temp("%s %d%s%s", label, target, in.celsius), 16, 400,
                colour::olive);
        if (dual)
            sc.text({150, 380, kDryerPicWidth, 400}, label_temp("%s %d%s%s", t.label(298), st::target_151(s), in.celsius),
                    16, 400, colour::olive);
        sc.text({0, 345, 130, 415}, fmt("%d", display_temp(st::value_93(s), in.celsius)), 60, 700, colour::green,
                Align::right);
        sc.text({132, 355, 230, 385}, fmt("%s%s", kDegree, unit_letter(in.celsius)), 30, 700, colour::green);
    } else {
        const unsigned sp = st::moisture_setpoint(s);
        sc.text({155, 395, kDryerPicWidth, 415},
                Label{fmt("%s %u.%1u%%", in.t.text(kSetpointShortText).c_str(), sp / 10, sp % 10), kSetpointShortText},
                16, 400, colour::olive);
        sc.text({0, 340, 130, 415}, tenths(st::moisture_189(s)), 60, 700, colour::green, Align::right);
        sc.text({132, 350, 230, 415}, "%", 30, 700, colour::green);
    }
}

void overlay_tower_one(Scene& sc, const OverlayInput& in) {
    const auto& s = in.s;
    const auto& t = in.t;
    sc.text({140, 10, kDryerPicWidth, 50}, inlet_moisture(s), 30, 800, colour::green);
    leader(sc, 145, 40, 110, 40);
    sc.text({155, 175, kDryerPicWidth, 215}, tower_sensor_text(in), 16, 400, colour::cyan);
    leader(sc, 155, 185, 110, 185);

    const BoxText state = dryer_state_box(s, t);
    const int mode = st::mc_mode(s);
    Label discharge;
    if (mode == 1 || mode == 5 || batch_with_grain_form(s)) {
        discharge = label_temp("%s: %d %s%s", t.label(288), st::target_149(s), in.celsius);
    } else {
        discharge = setpoint_line_box(s, t);
    }
    const std::pair<Label, Rgb> lines[] = {
        {mode_name_box(s, t), colour::green},
        {state.label(), state.colour},
        {control_state_box(s, t), colour::red},
        {counter_text(in), colour::white},
        {throughput_box(s, in.celsius, t), colour::white},
        {bushel_total_box(s, in.celsius, t), colour::white},
        {fmt("%d %sF", static_cast<std::int16_t>(st::grain_temp_193(s)) / 10, kDegree), colour::olive},
        {discharge, colour::olive},
    };
    int y = 272;
    for (const auto& [text, c] : lines) {
        sc.text({155, y, kDryerPicWidth, y + 20}, text, 16, 400, c);
        y += 12;
    }
    // A scale of seven ticks beside the readings.
    for (int i = 0; i < 7; ++i) leader(sc, 136, 278 + 12 * i, 146, 278 + 12 * i);
    leader(sc, 146, 278, 146, 278 + 72);
    sampler(sc, in, {135, 240, kDryerPicWidth, 260}, 12);
    const unsigned m = st::moisture_189(s);
    sc.text({155, 376, kDryerPicWidth, 406}, m == 0 ? std::string{"***"} : tenths(m) + "%", 30, 400, colour::green);
    leader(sc, 155, 392, 110, 392);
}

void overlay_tower_two(Scene& sc, const OverlayInput& in) {
    const auto& s = in.s;
    const auto& t = in.t;
    sc.text({140, 0, kDryerPicWidth, 40}, inlet_moisture(s), 30, 800, colour::green);
    leader(sc, 142, 30, 100, 30);
    sc.text({140, 200, kDryerPicWidth, 240}, tower_sensor_text(in), 16, 400, colour::cyan);
    leader(sc, 142, 210, 100, 210);
    sc.text({140, 380, kDryerPicWidth, 420}, discharge_moisture_box(s), 16, 400, colour::green);
    leader(sc, 142, 390, 100, 390);

    const int masked = s.get(off::mc_mode_flags) & 0x3F;
    if (masked == 1 || masked == 5 || batch_with_grain_form(s)) {
        const int dm = st::drying_mode(s);
        if (dm == 3) {
            sc.text({140, 180, kDryerPicWidth, 200}, label_temp("%s: %d%s%s", t.label(298), st::target_151(s), in.celsius),
                    16, 600, colour::yellow);
            sc.text({140, 230, kDryerPicWidth, 250}, label_temp("%s: %d%s%s", t.label(297), st::target_153(s), in.celsius),
                    16, 600, colour::yellow);
        } else if (dm == 0 || dm == 1) {
            sc.text({140, 230, kDryerPicWidth, 250}, label_temp("%s: %d%s%s", t.label(288), st::target_149(s), in.celsius),
                    16, 600, colour::yellow);
        }
    } else {
        sc.text({140, 365, kDryerPicWidth, 385}, setpoint_line_box(s, t), 16, 800, colour::yellow);
    }
    sampler(sc, in, {132, 245, 232, 265}, 15);
    // The readings' column, 100 pixels wide, ends at the window's right edge.
    const int x = kDryerPicWidth - 100;
    const BoxText state = dryer_state_box(s, t);
    sc.text({x, 260, kDryerPicWidth, 280}, mode_name_box(s, t), 15, 400, colour::green);
    sc.text({x, 275, kDryerPicWidth, 295}, state.label(), 15, 400, state.colour);
    sc.text({x, 290, kDryerPicWidth, 310}, control_state_box(s, t), 15, 400, colour::red);
    sc.text({x, 305, kDryerPicWidth, 325}, throughput_box(s, in.celsius, t), 15, 400, colour::white);
    sc.text({x, 320, kDryerPicWidth, 340}, counter_text(in), 15, 400, colour::white);
    sc.text({x, 335, kDryerPicWidth, 355}, bushel_total_box(s, in.celsius, t), 15, 400, colour::white);
    sc.text({x, 350, kDryerPicWidth, 370}, grain_temperature_box(s, in.celsius), 15, 400, colour::yellow);
}

void overlay_406(Scene& sc, const OverlayInput& in) {
    const auto& s = in.s;
    const auto& t = in.t;
    sc.text({182, 40, kDryerPicWidth, 60}, inlet_moisture(s), 16, 400, colour::dark_green);
    leader(sc, 182, 50, 130, 30, kLeaderRed);
    sc.text({185, 200, kDryerPicWidth, 220}, temp_deg(st::value_93(s), in.celsius), 16, 400, colour::yellow);
    leader(sc, 185, 210, 140, 190, kLeaderRed);

    const BoxText state = dryer_state_box(s, t);
    const int mode = st::mc_mode(s);
    std::vector<std::pair<Label, Rgb>> lines = {
        {state.label(), state.colour},
        {control_state_box(s, t), colour::red},
        {unload_figure_box(s, t), colour::white},
        {{fmt("%s %d", t.text(280).c_str(), st::value_173(s)), 280}, colour::white},
        {{fmt("%s %u", t.text(284).c_str(), st::unload_counter(s) / 3600u), 284}, colour::white},
        {grain_temperature_box(s, in.celsius), colour::yellow},
    };
    if (mode == 1 || mode == 5) {
        const unsigned m = st::moisture_189(s);
        lines.push_back({fmt("%u.%u%%", m / 10, m % 10), colour::green});
    }
    // The readings' column, 70 pixels wide, ends at the window's right edge.
    const int x = kDryerPicWidth - 70;
    int y = 290;
    for (const auto& [text, c] : lines) {
        sc.text({x, y, kDryerPicWidth, y + 20}, text, 12, 400, c);
        y += 10;
    }
    sampler(sc, in, {x, 360, kDryerPicWidth, 400}, 12);
    leader(sc, x, 300, 140, 330, kLeaderRed);

    const int masked = s.get(off::mc_mode_flags) & 0x3F;
    if (masked == 1 || masked == 5) {
        sc.text({155, 395, kDryerPicWidth, 415}, label_temp("%s %d%s%s", t.label(288), st::target_149(s), in.celsius), 16,
                400, colour::olive);
        sc.text({0, 355, 120, 420}, fmt("%d", display_temp(st::value_93(s), in.celsius)), 60, 800, colour::green,
                Align::right);
        sc.text({125, 365, 215, 405}, fmt("%s%s", kDegree, unit_letter(in.celsius)), 30, 900, colour::green);
    } else {
        const unsigned sp = st::moisture_setpoint(s);
        sc.text({155, 395, kDryerPicWidth, 415}, Label{fmt("%s %u.%1u%%", t.text(288).c_str(), sp / 10, sp % 10), 288},
                16, 400, colour::olive);
        sc.text({0, 355, 120, 420}, tenths(st::moisture_189(s)), 60, 800, colour::green, Align::right);
    }
}

}  // namespace dryer::views
