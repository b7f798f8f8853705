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
std::string tower_sensor_text(const OverlayInput& in) {
    if (bit(in.s, off::options_225, 2)) return in.t.text(295);
    return temp_deg(st::picked_sensor_temperature(in.s), in.celsius);
}

std::string counter_text(const OverlayInput& in) {
    if (st::drying_mode(in.s) == 1) return fmt("%s %d", in.t.text(296).c_str(), st::batch_counter(in.s));
    return unload_figure_box(in.s, in.t);
}

std::string label_temp(const char* f_fmt, const std::string& label, int f, bool celsius) {
    return fmt(f_fmt, label.c_str(), display_temp(f, celsius), kDegree, unit_letter(celsius));
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
        sc.text({1, 30, 80, 50}, t.text(293), 12, 400, colour::dark_blue);
        sc.text({1, 55, 80, 75}, t.text(294), 12, 400, colour::dark_blue);
        sc.text({1, 40, 80, 70}, batch_value_box(st::value_247(s)), 18, 400, colour::light_green);
        sc.text({1, 65, 80, 95}, batch_value_box(st::value_249(s)), 18, 400, colour::light_green);
    }
    sc.text({145, 20, 245, 60}, inlet_moisture(s), 30, 800, colour::green);
    leader(sc, 150, 52, 120, 60);
    const std::string sensor = bit(s, off::options_225, 2) ? t.text(295)
                                                           : temp_deg(st::value_93(s), in.celsius);
    sc.text({195, 200, 250, 220}, sensor, 16, 400, colour::cyan);
    leader(sc, 195, 210, 130, 210);

    const BoxText state = dryer_state_box(s, t);
    sc.text({180, 280, 250, 300}, mode_name_box(s, t), 12, 400, colour::green);
    sc.text({180, 290, 250, 310}, state.text, 12, 400, state.colour);
    sc.text({180, 300, 250, 320}, control_state_box(s, t), 12, 400, colour::red);
    sc.text({180, 310, 250, 330}, counter_text(in), 12, 400, colour::white);
    sc.text({180, 320, 250, 340}, throughput_box(s, in.celsius, t), 12, 400, colour::white);
    sc.text({180, 330, 250, 350}, bushel_total_box(s, in.celsius, t), 12, 400, colour::white);
    sc.text({180, 340, 250, 360}, grain_temperature_box(s, in.celsius), 12, 400, colour::yellow);
    const int mode = st::mc_mode(s);
    if (mode == 1 || mode == 5 || bit(s, off::system_flags_257, 4))
        sc.text({180, 350, 250, 370}, discharge_moisture_box(s), 12, 400, colour::green);
    sampler(sc, in, {180, 360, 250, 400}, 12);
    leader(sc, 178, 300, 140, 300);

    const bool temperature_form = (s.get(off::mc_mode_flags) & 0x3F) == 1 || mode == 5 || batch_with_grain_form(s);
    if (temperature_form) {
        const bool dual = bit(s, off::system_flags_257, 1);
        const std::string label = t.text(dual ? 297 : 288);
        const int target = (st::drying_mode(s) != 0 && dual) ? st::target_153(s) : st::target_149(s);
        sc.text({160, 395, 250, 415}, label_temp("%s %d%s%s", label, target, in.celsius), 16, 400, colour::olive);
        if (dual)
            sc.text({160, 380, 250, 400}, label_temp("%s %d%s%s", t.text(298), st::target_151(s), in.celsius), 16,
                    400, colour::olive);
        sc.text({0, 345, 130, 415}, fmt("%d", display_temp(st::value_93(s), in.celsius)), 60, 700, colour::green,
                Align::right);
        sc.text({132, 355, 230, 385}, fmt("%s%s", kDegree, unit_letter(in.celsius)), 30, 700, colour::green);
    } else {
        const unsigned sp = st::moisture_setpoint(s);
        sc.text({165, 395, 250, 415}, fmt("SP %u.%1u%%", sp / 10, sp % 10), 16, 400, colour::olive);
        sc.text({0, 340, 130, 415}, tenths(st::moisture_189(s)), 60, 700, colour::green, Align::right);
        sc.text({132, 350, 230, 415}, "%", 30, 700, colour::green);
    }
}

void overlay_tower_one(Scene& sc, const OverlayInput& in) {
    const auto& s = in.s;
    const auto& t = in.t;
    sc.text({145, 10, 255, 50}, inlet_moisture(s), 30, 800, colour::green);
    leader(sc, 145, 40, 110, 40);
    sc.text({155, 175, 255, 215}, tower_sensor_text(in), 16, 400, colour::cyan);
    leader(sc, 155, 185, 110, 185);

    const BoxText state = dryer_state_box(s, t);
    const int mode = st::mc_mode(s);
    std::string discharge;
    if (mode == 1 || mode == 5 || batch_with_grain_form(s)) {
        discharge = label_temp("%s: %d %s%s", t.text(288), st::target_149(s), in.celsius);
    } else {
        const unsigned sp = st::moisture_setpoint(s);
        discharge = fmt("%s: %u.%1u%%", t.text(288).c_str(), sp / 10, sp % 10);
    }
    const std::pair<std::string, Rgb> lines[] = {
        {mode_name_box(s, t), colour::green},
        {state.text, state.colour},
        {control_state_box(s, t), colour::red},
        {counter_text(in), colour::white},
        {throughput_box(s, in.celsius, t), colour::white},
        {bushel_total_box(s, in.celsius, t), colour::white},
        {fmt("%d %sF", static_cast<std::int16_t>(st::grain_temp_193(s)) / 10, kDegree), colour::olive},
        {discharge, colour::olive},
    };
    int y = 272;
    for (const auto& [text, c] : lines) {
        sc.text({155, y, 255, y + 20}, text, 16, 400, c);
        y += 12;
    }
    // A scale of seven ticks beside the readings.
    for (int i = 0; i < 7; ++i) leader(sc, 136, 278 + 12 * i, 146, 278 + 12 * i);
    leader(sc, 146, 278, 146, 278 + 72);
    sampler(sc, in, {135, 240, 250, 260}, 12);
    const unsigned m = st::moisture_189(s);
    sc.text({155, 376, 255, 406}, m == 0 ? std::string{"***"} : tenths(m) + "%", 30, 400, colour::green);
    leader(sc, 155, 392, 110, 392);
}

void overlay_tower_two(Scene& sc, const OverlayInput& in) {
    const auto& s = in.s;
    const auto& t = in.t;
    sc.text({142, 0, 242, 40}, inlet_moisture(s), 30, 800, colour::green);
    leader(sc, 142, 30, 100, 30);
    sc.text({142, 200, 242, 240}, tower_sensor_text(in), 16, 400, colour::cyan);
    leader(sc, 142, 210, 100, 210);
    sc.text({142, 380, 242, 420}, discharge_moisture_box(s), 16, 400, colour::green);
    leader(sc, 142, 390, 100, 390);

    const int masked = s.get(off::mc_mode_flags) & 0x3F;
    if (masked == 1 || masked == 5 || batch_with_grain_form(s)) {
        const int dm = st::drying_mode(s);
        if (dm == 3) {
            sc.text({145, 180, 245, 200}, label_temp("%s: %d%s%s", t.text(298), st::target_151(s), in.celsius), 16,
                    600, colour::yellow);
            sc.text({145, 230, 245, 250}, label_temp("%s: %d%s%s", t.text(297), st::target_153(s), in.celsius), 16,
                    600, colour::yellow);
        } else if (dm == 0 || dm == 1) {
            sc.text({145, 230, 245, 250}, label_temp("%s: %d%s%s", t.text(288), st::target_149(s), in.celsius), 16,
                    600, colour::yellow);
        }
    } else {
        sc.text({145, 365, 245, 385}, setpoint_line_box(s, t), 16, 800, colour::yellow);
    }
    sampler(sc, in, {132, 245, 232, 265}, 15);
    const BoxText state = dryer_state_box(s, t);
    sc.text({145, 260, 245, 280}, mode_name_box(s, t), 15, 400, colour::green);
    sc.text({145, 275, 245, 295}, state.text, 15, 400, state.colour);
    sc.text({145, 290, 245, 310}, control_state_box(s, t), 15, 400, colour::red);
    sc.text({145, 305, 245, 325}, throughput_box(s, in.celsius, t), 15, 400, colour::white);
    sc.text({145, 320, 245, 340}, counter_text(in), 15, 400, colour::white);
    sc.text({145, 335, 245, 355}, bushel_total_box(s, in.celsius, t), 15, 400, colour::white);
    sc.text({145, 350, 245, 370}, grain_temperature_box(s, in.celsius), 15, 400, colour::yellow);
}

void overlay_406(Scene& sc, const OverlayInput& in) {
    const auto& s = in.s;
    const auto& t = in.t;
    sc.text({192, 40, 250, 60}, inlet_moisture(s), 16, 400, colour::dark_green);
    leader(sc, 192, 50, 130, 30, kLeaderRed);
    sc.text({195, 200, 250, 220}, temp_deg(st::value_93(s), in.celsius), 16, 400, colour::yellow);
    leader(sc, 195, 210, 140, 190, kLeaderRed);

    const BoxText state = dryer_state_box(s, t);
    const int mode = st::mc_mode(s);
    std::vector<std::pair<std::string, Rgb>> lines = {
        {state.text, state.colour},
        {control_state_box(s, t), colour::red},
        {unload_figure_box(s, t), colour::white},
        {fmt("%s %d", t.text(280).c_str(), st::value_173(s)), colour::white},
        {fmt("%s %u", t.text(284).c_str(), st::unload_counter(s) / 3600u), colour::white},
        {grain_temperature_box(s, in.celsius), colour::yellow},
    };
    if (mode == 1 || mode == 5) {
        const unsigned m = st::moisture_189(s);
        lines.push_back({fmt("%u.%u%%", m / 10, m % 10), colour::green});
    }
    int y = 290;
    for (const auto& [text, c] : lines) {
        sc.text({180, y, 250, y + 20}, text, 12, 400, c);
        y += 10;
    }
    sampler(sc, in, {180, 360, 250, 400}, 12);
    leader(sc, 180, 300, 140, 330, kLeaderRed);

    const int masked = s.get(off::mc_mode_flags) & 0x3F;
    if (masked == 1 || masked == 5) {
        sc.text({165, 395, 250, 415}, label_temp("%s %d%s%s", t.text(288), st::target_149(s), in.celsius), 16, 400,
                colour::olive);
        sc.text({0, 355, 120, 420}, fmt("%d", display_temp(st::value_93(s), in.celsius)), 60, 800, colour::green,
                Align::right);
        sc.text({125, 365, 215, 405}, fmt("%s%s", kDegree, unit_letter(in.celsius)), 30, 900, colour::green);
    } else {
        const unsigned sp = st::moisture_setpoint(s);
        sc.text({165, 395, 250, 415}, fmt("%s %u.%1u%%", t.text(288).c_str(), sp / 10, sp % 10), 16, 400,
                colour::olive);
        sc.text({0, 355, 120, 420}, tenths(st::moisture_189(s)), 60, 800, colour::green, Align::right);
    }
}

}  // namespace dryer::views
