#include "views/status_bars/status_bars_model.h"

#include "l10n/panel_texts.h"
#include "views/scene/format.h"
#include "views/scene/status.h"

namespace dryer::views {
namespace {

namespace off = link::off;

constexpr const char* kWeekdays[] = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
constexpr const char* kMonths[] = {l10n::english("Jan"), l10n::english("Feb"), l10n::english("Mar"),
                                   l10n::english("Apr"), l10n::english("May"), l10n::english("Jun"),
                                   l10n::english("Jul"), l10n::english("Aug"), l10n::english("Sep"),
                                   l10n::english("Oct"), l10n::english("Nov"), l10n::english("Dec")};
// Text numbers of the weekday names (Sunday first) and of AM and PM.
constexpr unsigned kSundayText = 125;
constexpr unsigned kAmText = 109;
constexpr unsigned kPmText = 110;

std::string text_or(const Texts& t, unsigned n, const char* english) {
    std::string s = t.text(n);
    return s.empty() ? std::string(english) : s;
}

// Three labels side by side under a selector's figure, the selected one
// highlighted on the given colour.
void selector_labels(Scene& sc, Rect button, const Label* labels, int count, int selected, Rgb highlight) {
    const int w = (button.right - button.left) / 3;
    for (int i = 0; i < count; ++i) {
        const Rect r{button.left + i * w, button.bottom - 16, button.left + (i + 1) * w, button.bottom};
        if (i == selected) {
            sc.fill(r, highlight);
            sc.text(r, labels[i], 13, 700, colour::black, Align::centre);
        } else {
            sc.text(r, labels[i], 13, 700, highlight, Align::centre);
        }
    }
}

}  // namespace

bool airflow_testing_disabled(const link::ByteImage& s) {
    for (int k = 0; k < 6; ++k)
        if (st::bit(s, off::heater_status_143 + static_cast<std::size_t>(k), 2)) return true;
    return false;
}

std::string clock_text(const std::tm& now, const Texts& t) {
    const int h = now.tm_hour % 12 == 0 ? 12 : now.tm_hour % 12;
    const std::string half = now.tm_hour < 12 ? text_or(t, kAmText, "AM") : text_or(t, kPmText, "PM");
    return fmt("%d:%02d %s", h, now.tm_min, half.c_str());
}

std::string date_text(const std::tm& now, const Texts& t) {
    const int wday = ((now.tm_wday % 7) + 7) % 7;
    const std::string day = text_or(t, kSundayText + static_cast<unsigned>(wday), kWeekdays[wday]);
    const std::string month = l10n::local(kMonths[((now.tm_mon % 12) + 12) % 12]);
    return fmt("%s  %s %02d, %d", day.c_str(), month.c_str(), now.tm_mday, now.tm_year + 1900);
}

Scene status_bar_scene(const link::ByteImage& s, bool blink_on, const std::tm& now, const Texts& texts) {
    Scene sc{kStatusBarWidth, kStatusBarHeight, colour::black, {}};
    if (airflow_testing_disabled(s)) {
        const Rect r{2, 2, 229, 29};
        if (blink_on) sc.fill(r, colour::red);
        auto& t = sc.text(r, texts.label(bar_text::airflow_banner), 14, 700, blink_on ? colour::black : kNearWhite, Align::centre);
        t.vcentre = true;
        return sc;
    }
    sc.text({5, 0, 80, 20}, clock_text(now, texts), 13, 400, colour::white);
    sc.text({65, 0, 240, 20}, date_text(now, texts), 13, 400, colour::white, Align::centre);
    sc.text({5, 15, 240, 30}, Label{fmt("%s %d.%02d", texts.text(bar_text::version).c_str(), 2, 10), bar_text::version},
            13, 400, colour::white);
    return sc;
}

ModeLabel mode_label(const link::ByteImage& s, const Texts& t) {
    const int flags = s.get(off::mc_mode_flags);
    const bool suffix = (s.get(off::mode_flags_179) & 0x06) != 0;
    std::string base;
    switch (flags & 0x87) {
        case 1: case 129: base = t.text(bar_text::basic_mc); break;
        case 2: case 130: base = t.text(bar_text::three_speed_mc); break;
        case 3: case 131: base = t.text(bar_text::advanced_mc); break;
        default: return {t.text(bar_text::no_mc), colour::red};
    }
    if (!suffix) return {base, colour::green};
    if ((flags & 0x80) == 0) return {base + " : " + t.text(bar_text::manual), colour::blue};
    std::string text = base + " : " + t.text(bar_text::automatic);
    if ((flags & 0x87) == 129)
        text += " : " + t.text((flags & 0x40) ? bar_text::two_setpoints : bar_text::one_setpoint);
    return {std::move(text), colour::blue};
}

int selected_temperature(const link::ByteImage& s, int state) {
    switch (state) {
        case 1: return st::value_195(s) / 10;
        case 2: return st::grain_temp_193(s) / 10;
        default: break;
    }
    switch (s.get(off::status_184)) {
        case 0: return static_cast<std::int16_t>(st::value_93(s));
        case 1: return static_cast<std::int16_t>(st::value_91(s));
        case 2: return static_cast<std::int16_t>(st::value_89(s));
        default: return 0;  // an unknown selector shows 0
    }
}

unsigned selected_moisture(const link::ByteImage& s, int state) {
    return state == 1 ? st::moisture_189(s) : st::moisture_191(s);
}

Scene readings_scene(const link::ByteImage& s, const ReadingsSelection& sel, const Texts& texts) {
    Scene sc{kReadingsClientWidth, kReadingsClientHeight, colour::black, {}};
    const Label in = texts.label(bar_text::in), out = texts.label(bar_text::out);
    const Label moisture_labels[] = {in, out};
    const Label temperature_labels[] = {texts.label(bar_text::dryer), in, out};

    const Rect m = kMoistureButton;
    sc.text({m.left, m.top, m.right - 4, m.bottom - 14}, tenths(selected_moisture(s, sel.moisture)), 70, 900,
            kLightCyan, Align::right);
    selector_labels(sc, m, moisture_labels, 2, sel.moisture, kReadingsTeal);

    const Rect t = kTemperatureButton;
    sc.text({t.left, t.top, t.right - 4, t.bottom - 14}, fmt("%d", selected_temperature(s, sel.temperature)), 70, 900,
            colour::yellow, Align::right);
    sc.text({t.right, t.top + 8, 240, t.top + 36}, fmt("%sF", kDegree), 22, 700, colour::yellow);
    selector_labels(sc, t, temperature_labels, 3, sel.temperature, colour::yellow);

    const ModeLabel label = mode_label(s, texts);
    sc.text({0, 145, 235, 170}, label.text, 22, 400, label.colour, Align::centre);

    const int mode = st::mc_mode(s);
    if (mode == 3) {
        sc.text({198, 25, 235, 45}, texts.label(bar_text::setpoint), 14, 200, kReadingsTeal);
        sc.text({198, 40, 240, 60}, fmt("%u.%01u", st::moisture_setpoint(s) / 10, st::moisture_setpoint(s) % 10), 14,
                200, kReadingsTeal);
    } else if (mode == 1) {
        sc.text({200, 95, 235, 115}, texts.label(bar_text::setpoint), 14, 200, kReadingsTeal);
        sc.text({198, 110, 235, 130}, fmt("%d", st::target_149(s)), 14, 200, kReadingsTeal);
    }
    return sc;
}

}  // namespace dryer::views
