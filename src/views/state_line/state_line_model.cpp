#include "views/state_line/state_line_model.h"

#include <algorithm>

#include "views/scene/format.h"
#include "views/scene/status.h"
#include "views/scene/temperature.h"

namespace dryer::views {
namespace {

namespace off = link::off;
using st::bit;

StateLine make(int row, Label text, Rgb c) { return StateLine{row, std::move(text.text), c, 28, 700, text.number}; }

Label blinking(Label text, bool on) { return on ? std::move(text) : Label{kBlinkOff, text.number}; }

Label min_sec_text(const char* f, const Label& label, std::uint32_t seconds) {
    return {fmt(f, label.c_str(), static_cast<int>(seconds / 60), static_cast<int>(seconds % 60)), label.number};
}

// Row 6: how far the grain temperature is from its setpoint.
Label grain_difference(const link::ByteImage& s, bool celsius, const Label& label) {
    const int selector = s.get(off::status_184);
    int d = 0;
    if (selector == 0) {
        int setpoint = st::target_149(s);
        if (bit(s, off::system_flags_257, 1))
            setpoint = bit(s, off::heater_status_143 + 5, 4) ? st::target_151(s) : st::target_153(s);
        d = setpoint - st::value_93(s);
    } else if (selector == 1) {
        d = st::target_149(s) - st::value_91(s);
    } else if (selector == 2) {
        d = st::target_149(s) - st::value_89(s);
    } else {
        return label;  // an unknown selector: the text alone
    }
    if (celsius) {
        const int dc = d * 5 / 9;
        return {fmt(selector == 0 ? "%s [? %d %sC]" : "%s [- %d %sC]", label.c_str(), dc, kDegree), label.number};
    }
    const char* f = (selector == 0 && d != 0) ? "%s [ %d %sF]" : "%s [- %d %sF]";
    return {fmt(f, label.c_str(), d, kDegree), label.number};
}

Rgb out_of_grain_colour(double f) {
    if (f > 0.5) return colour::green;
    if (f > 0.25) return colour::yellow;
    return colour::red;
}

}  // namespace

double out_of_grain_fraction(std::uint32_t remaining, std::uint32_t setting) {
    if (setting == 0) return 0.0;
    return static_cast<double>(remaining) / static_cast<double>(setting);
}

StateLine state_line(const link::ByteImage& s, std::uint32_t blink_flags, bool celsius, const Texts& t) {
    const bool on = blink_flags & blink::phase;
    const bool loaded_and_unloading = bit(s, off::status_171, 5) && bit(s, off::status_171, 7);
    const int scheme = st::mc_mode(s);

    if (bit(s, off::status_118, 5)) return make(1, blinking(t.label(311), on), colour::red);

    const bool autostart = bit(s, off::options_279, 0) && (blink_flags & blink::settled);
    if (autostart && !loaded_and_unloading) {
        Label text = on ? Label{fmt("%s %s", t.text(301).c_str(), t.text(307).c_str()), 301} : t.label(301);
        return make(2, std::move(text), colour::white);
    }
    if (autostart) {
        if (bit(s, off::status_280, 2)) return make(3, t.label(504), colour::white);
        if (bit(s, off::status_280, 1))
            return make(3, min_sec_text("%s %d:%02d", t.label(301), link::u16le(s, off::autostart_320)), colour::white);
        return make(3, t.label(301), colour::white);
    }

    // A countdown past its end (value above 3600) shows 00:00.
    const int remaining = std::max(0, 3600 - static_cast<int>(link::u16le(s, off::value_290)));
    if (remaining < 180 && bit(s, off::status_188, 6) && bit(s, off::mode_224, 7) && (scheme == 4 || scheme == 5)) {
        Label text{fmt("%s [%02d:%02d]", t.text(310).c_str(), remaining / 60, remaining % 60), 310};
        return make(4, blinking(std::move(text), on), colour::red);
    }

    const int learning = s.get(off::status_52);
    if (learning > 0 && bit(s, off::mode_flags_179, 2) && bit(s, off::status_171, 3) && scheme == 3) {
        Label text{fmt("%s %d %s", t.text(309).c_str(), learning, t.text(kMinutesText).c_str()), 309};
        StateLine l = learning > 5 ? make(5, std::move(text), state_colour::lime)
                                   : make(5, blinking(std::move(text), on), state_colour::dark_red);
        l.size = 25;
        l.weight = 500;
        return l;
    }

    if (bit(s, off::mode_224, 3) && bit(s, off::status_188, 6))
        return make(6, grain_difference(s, celsius, t.label(308)), colour::green);

    if (!loaded_and_unloading) {
        const std::uint32_t a = link::min_sec(s, off::load_timer_remaining);
        const std::uint32_t b = link::min_sec(s, off::load_timer_setpoint);
        Label text = t.label(307);
        if (bit(s, off::load_timer_status, 0)) {
            // Elapsed time; a remaining time above the setting counts as none elapsed.
            const std::uint32_t e = b > a ? b - a : 0;
            text = min_sec_text("%s  %d:%02d", text, e);
        }
        return make(7, std::move(text), out_of_grain_colour(out_of_grain_fraction(a, b)));
    }

    if (bit(s, off::status_172, 0) || bit(s, off::status_171, 6)) {
        Label text = t.label(306);
        if (bit(s, off::timer_43, 0)) text = min_sec_text("%s  %d:%02d", text, link::min_sec(s, off::timer_39));
        return make(8, std::move(text), colour::blue);
    }

    if (bit(s, off::status_188, 6)) {
        if (bit(s, off::system_flags_257, 0) && st::drying_mode(s) == 1) return make(9, t.label(305), colour::red);
        return make(9, t.label(303), colour::green);
    }

    if ((s.get(off::status_271) & 0x03) == 1) return make(10, t.label(304), colour::blue);
    return make(11, t.label(302), colour::red);
}

Scene state_line_scene(const StateLine& line) {
    Scene sc{kStateLineWidth, kStateLineHeight, colour::black, {}};
    sc.text({5, 0, 390, 45}, Label{line.text, line.number}, line.size, line.weight, line.colour);
    return sc;
}

}  // namespace dryer::views
