#include "views/unload_status/unload_status_model.h"

#include "l10n/panel_texts.h"
#include "setup/calibration/calibration_model.h"
#include "views/scene/format.h"

namespace dryer::views {
namespace {

namespace off = link::off;

void frame(Scene& sc, Rect r, int pen, Rgb c) {
    sc.line(r.left, r.top, r.right - 1, r.top, pen, c);
    sc.line(r.right - 1, r.top, r.right - 1, r.bottom - 1, pen, c);
    sc.line(r.right - 1, r.bottom - 1, r.left, r.bottom - 1, pen, c);
    sc.line(r.left, r.bottom - 1, r.left, r.top, pen, c);
}

}  // namespace

std::array<std::string, 3> speed_lines(const link::ByteImage& s) {
    const auto at = [&s](std::size_t k) { return s.get(off::meter_roll_speeds_155 + k) * 10; };
    return {fmt(l10n::local(" HIGH: %04d ").c_str(), at(1)), fmt(l10n::local(" MED:  %04d ").c_str(), at(2)),
            fmt(l10n::local(" LOW:  %04d ").c_str(), at(3))};
}

int highlighted_speed_line(const link::ByteImage& s) {
    const int in_use = s.get(off::meter_roll_speeds_155);
    return in_use >= 0 && in_use <= 2 ? 2 - in_use : -1;
}

std::string unload_figure(const link::ByteImage& s) {
    const unsigned v = link::u16be(s, off::value_197);
    return fmt("%2u.%u", v / 10, v % 10);
}

Scene unload_status_scene(const link::ByteImage& s) {
    Scene sc;
    sc.width = kUnloadClientWidth;
    sc.height = kUnloadClientHeight;
    sc.background = colour::black;

    // The large figure left of the speed button, and the grey dividers.
    TextItem& figure = sc.text({2, 2, kSpeedButton.left - 4, kUnloadButton.top - 2}, unload_figure(s), 70, 700,
                               colour::light_green, Align::centre);
    figure.vcentre = true;
    sc.line(kSpeedButton.left - 2, 0, kSpeedButton.left - 2, kUnloadButton.top - 2, 1, kUnloadDivider);
    sc.line(0, kUnloadButton.top - 2, kUnloadClientWidth, kUnloadButton.top - 2, 1, kUnloadDivider);

    // The speed button: three lines, the speed in use highlighted.
    sc.fill(kSpeedButton, kButtonFace);
    frame(sc, kSpeedButton, 1, colour::white);
    const std::array<std::string, 3> lines = speed_lines(s);
    const int lit = highlighted_speed_line(s);
    const int pitch = (kSpeedButton.bottom - kSpeedButton.top - 4) / 3;
    for (int i = 0; i < 3; ++i) {
        const Rect r{kSpeedButton.left + 2, kSpeedButton.top + 2 + i * pitch, kSpeedButton.right - 2,
                     kSpeedButton.top + 2 + (i + 1) * pitch};
        if (i == lit) {
            sc.fill(r, kHighlight);
            frame(sc, r, 2, colour::black);
        }
        TextItem& t = sc.text(r, lines[static_cast<std::size_t>(i)], 16, 700, i == lit ? colour::black : colour::white,
                              Align::centre);
        t.vcentre = true;
    }

    // The status button: unloading rate and total bushels.
    sc.fill(kUnloadButton, kButtonFace);
    frame(sc, kUnloadButton, 1, colour::white);
    const int half = (kUnloadButton.bottom - kUnloadButton.top) / 2;
    const std::array<std::string, 2> status{
        fmt(l10n::local("Bushel/Hour: %d").c_str(), link::u16be(s, off::value_173)),
        fmt(l10n::local("Total Bushels: %u").c_str(), setup::total_bushels(s))};
    for (int i = 0; i < 2; ++i) {
        TextItem& t = sc.text({kUnloadButton.left + 6, kUnloadButton.top + i * half, kUnloadButton.right - 6,
                               kUnloadButton.top + (i + 1) * half},
                              status[static_cast<std::size_t>(i)], 20, 700, colour::white, Align::left);
        t.vcentre = true;
    }
    return sc;
}

}  // namespace dryer::views
