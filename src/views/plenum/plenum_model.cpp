#include "views/plenum/plenum_model.h"

#include "views/scene/format.h"
#include "views/scene/status.h"
#include "views/scene/temperature.h"

namespace dryer::views {
namespace {

namespace off = link::off;

std::string temp_text(const char* prefix, int f, bool celsius) {
    return fmt("%s%d %s%s ", prefix, display_temp(f, celsius), kDegree, unit_letter(celsius));
}

struct BoxFonts {
    int title, setpoint, temperature, state;
};

BoxFonts fonts_for(int n) {
    switch (n) {
        case 2: return {14, 30, 80, 18};
        case 3: return {14, 22, 60, 16};
        default: return {11, 13, 32, 12};  // four and six boxes
    }
}

void one_box(Scene& sc, const link::ByteImage& s, bool celsius, const Texts& t) {
    const int unit = 6;  // the first unit in use, Plenum 1
    sc.text({0, 0, 150, 20}, t.label(312), 14, 400, colour::olive);
    const bool dual = st::drying_mode(s) == 1 && st::bit(s, off::system_flags_257, 1);
    if (dual) {
        const bool low = (st::byte_c(s, unit) >> 4) & 1;
        const int sp = low ? st::temp_setpoint_260(s) : st::heater_setpoint(s, unit);
        sc.text({0, 15, 150, 75}, temp_text("", sp, celsius), 40, 700, low ? colour::blue : colour::red);
        // Below the state line, inside the client area.
        sc.text({0, 116, 75, 136}, temp_text(" ", st::heater_setpoint(s, unit), celsius), 16, 400, colour::red);
        sc.text({75, 116, 150, 136}, temp_text(" ", st::temp_setpoint_260(s), celsius), 16, 400, colour::blue);
    } else {
        sc.text({0, 15, 150, 75}, temp_text("", st::heater_setpoint(s, unit), celsius), 40, 700, colour::olive);
    }
    const PlenumState state = plenum_state(s, unit, true);
    auto& line = sc.text({0, 70, 150, 110}, t.label(state.text), 20, 400, state.colour, Align::centre);
    line.vcentre = true;
    line.wrap = true;
    auto& figure = sc.text({150, 0, kPlenumClientWidth, 120}, temp_text("", st::heater_temperature(s, unit), celsius),
                           80, 700, colour::red, Align::centre);
    figure.vcentre = true;
    sc.line(0, 70, 150, 70, 2, kDividerGrey);
    sc.line(150, 0, 150, kPlenumBoxesHeight, 2, kDividerGrey);
}

void box(Scene& sc, const link::ByteImage& s, bool celsius, const Texts& t, int i, int n) {
    // The units in use are the last n, 7 - n to 6, in boxes 0 to n - 1.
    const int unit = 7 - n + i;
    const Rect r = plenum_box_rect(i, n);
    const BoxFonts f = fonts_for(n);
    const int h = r.bottom - r.top;
    sc.text({r.left + 4, r.top + 1, r.right, r.top + f.title + 4}, t.label(322 + static_cast<unsigned>(unit) - 1),
            f.title, 400, colour::olive);
    // Figures keep a few pixels from the box's edges, so neighbours never touch.
    sc.text({r.left + 4, r.top + f.title + 2, r.right - 4, r.top + f.title + 2 + f.temperature},
            temp_text("", st::heater_temperature(s, unit), celsius), f.temperature, 700, colour::red, Align::centre);
    const int sp_top = r.top + f.title + 2 + f.temperature;
    const std::string prefix = t.text(kSetpointPrefixText) + "  ";
    sc.text({r.left + 4, sp_top, r.right - 4, sp_top + f.setpoint + 2},
            Label{temp_text(prefix.c_str(), st::heater_setpoint(s, unit), celsius), kSetpointPrefixText}, f.setpoint,
            400, colour::olive, Align::centre);
    const PlenumState state = plenum_state(s, unit, false);
    sc.text({r.left, r.bottom - f.state - 4, r.right, r.bottom}, t.label(state.text), f.state, 400, state.colour,
            Align::centre);
    (void)h;
    if (r.right < kPlenumClientWidth) sc.line(r.right, r.top, r.right, r.bottom, 2, kDividerGrey);
    if (r.bottom < kPlenumBoxesHeight) sc.line(r.left, r.bottom, r.right, r.bottom, 2, kDividerGrey);
}

}  // namespace

int plenum_box_count(const link::ByteImage& s) {
    if (st::bit(s, off::options_225, 5)) return 1;
    static constexpr int kBoxes[] = {1, 2, 3, 4, 6};
    const unsigned code = st::fan_heater_count(s);
    return code < std::size(kBoxes) ? kBoxes[code] : 0;
}

PlenumState plenum_state(const link::ByteImage& s, int unit, bool one_box_form) {
    const std::uint8_t a = st::byte_a(s, unit), b = st::byte_b(s, unit), c = st::byte_c(s, unit);
    auto on = [](std::uint8_t v, int n) { return ((v >> n) & 1u) != 0; };
    if (on(c, 6)) return {522, colour::blue};
    if (on(c, 0)) return {314, colour::green};
    if (on(c, 1)) return {315, colour::red};
    if (on(b, 5)) return {316, kOrange};
    if (on(b, 4)) return {317, kOrange};
    if (!on(a, 1)) return {319, colour::green};
    if (one_box_form && st::bit(s, off::options_225, 1) && st::bit(s, off::options_225, 5)) return {318, colour::red};
    if (on(a, 2)) return {321, colour::red};
    return {320, colour::blue};
}

Rect plenum_box_rect(int i, int n) {
    const int cols = n <= 3 ? n : (n == 4 ? 2 : 3);
    const int rows = n <= 3 ? 1 : 2;
    const int col = i % cols, row = i / cols;
    return {kPlenumClientWidth * col / cols, kPlenumBoxesHeight * row / rows, kPlenumClientWidth * (col + 1) / cols,
            kPlenumBoxesHeight * (row + 1) / rows};
}

Scene plenum_scene(const link::ByteImage& s, bool celsius, const Texts& t) {
    Scene sc{kPlenumClientWidth, kPlenumBoxesHeight, colour::black, {}};
    const int n = plenum_box_count(s);
    if (n == 1) {
        one_box(sc, s, celsius, t);
        return sc;
    }
    for (int i = 0; i < n; ++i) box(sc, s, celsius, t, i, n);
    return sc;
}

}  // namespace dryer::views
