// The layout check: every status screen rendered over busy status images in
// every language of the build's panel root; no text may run out of its
// rectangle or its window with the font the painter really uses.
#include <gtest/gtest.h>

#include <QFontMetrics>

#include <functional>
#include <set>
#include <sstream>

#include "kit/fit_text.h"
#include "l10n/language.h"
#include "setup/setup_selection/setup_selection_model.h"
#include "tests/l10n/test_root.h"
#include "tests/views/sample_status.h"
#include "views/dryer_picture/dryer_picture_model.h"
#include "views/plenum/plenum_model.h"
#include "views/scene/blink.h"
#include "views/scene/l10n_texts.h"
#include "views/scene/scene_painter.h"
#include "views/state_line/state_line_model.h"
#include "views/status_bars/status_bars_model.h"
#include "views/status_chart/status_chart_model.h"
#include "views/unload_status/unload_status_model.h"
#include "views/warning/warning_model.h"

using namespace dryer;
using namespace dryer::views;
namespace off = link::off;

namespace {

// Adds a description of every text item of sc that does not fit to faults,
// and the language texts it shows to seen.
void check_scene(const Scene& sc, const std::string& where, std::vector<std::string>& faults, std::set<unsigned>& seen) {
    for (const TextItem* t : sc.texts()) {
        if (t->text.empty()) continue;
        seen.insert(t->number);
        const TextFit f = scene_text_fit(*t, sc);
        const QFontMetrics fm(f.font);
        const int left = std::max(t->rect.left, 0), right = std::min(t->rect.right, sc.width);
        std::string fault;
        if (!f.fits) {
            fault = "does not fit even at the smallest size";
        } else if (t->wrap) {
            const int top = std::max(t->rect.top, 0), bottom = std::min(t->rect.bottom, sc.height);
            const QSize need = kit::wrapped_size(f.text, right - left, f.font);
            if (need.width() > right - left || need.height() > bottom - top)
                fault = "wrapped " + std::to_string(need.width()) + "x" + std::to_string(need.height()) + " in " +
                        std::to_string(right - left) + "x" + std::to_string(bottom - top);
        } else {
            const int width = fm.horizontalAdvance(f.text);
            const int h = t->rect.bottom - t->rect.top;
            const int top = t->vcentre ? t->rect.top + (h - fm.height()) / 2 : t->rect.top;
            if (width > right - left)
                fault = "width " + std::to_string(width) + " in " + std::to_string(right - left);
            else if (top < 0 || top + fm.height() > sc.height)
                fault = "line " + std::to_string(top) + ".." + std::to_string(top + fm.height()) + " outside the window";
        }
        if (fault.empty()) continue;
        std::ostringstream o;
        o << where << ": text " << t->number << " \"" << t->text << "\" at " << t->rect.left << "," << t->rect.top
          << "," << t->rect.right << "," << t->rect.bottom << " size " << f.font.pixelSize() << ": " << fault;
        faults.push_back(o.str());
    }
}

using ImageSetup = std::function<void(link::ByteImage&)>;
// A status image as bytes set at their offsets (two-byte values as their
// two bytes in the field's order).
struct Image {
    const char* name;
    std::vector<std::pair<std::size_t, std::uint8_t>> bytes;
    void setup(link::ByteImage& s) const {
        for (const auto& [at, v] : bytes) s.set(at, v);
    }
};

void u16le(link::ByteImage& s, std::size_t at, int v) { s.set_u16le(at, static_cast<std::uint16_t>(v)); }
void u16be(link::ByteImage& s, std::size_t at, int v) { s.set_u16be(at, static_cast<std::uint16_t>(v)); }

// Busy values everywhere: 3-digit temperatures, 5-digit totals and rates,
// 2-digit moisture with tenths, long timers.
void busy(link::ByteImage& s) {
    for (std::size_t at : {off::value_89, off::value_91, off::value_93, off::target_149, off::target_151, off::target_153})
        u16le(s, at, 288);
    u16be(s, off::grain_temp_193, 2888);
    u16be(s, off::value_195, 2888);
    u16be(s, off::value_173, 65535);
    u16be(s, off::value_197, 65535);
    u16be(s, off::moisture_189, 888);
    u16be(s, off::moisture_191, 888);
    u16be(s, off::moisture_setpoint, 888);
    u16be(s, off::value_247, 888);
    u16be(s, off::value_249, 888);
    u16be(s, off::batch_counter, 65535);
    for (int i = 0; i < 4; ++i) s.set(off::unload_counter + static_cast<std::size_t>(i), 0xFF);
    s.set(off::meter_roll_speed_pct, 100);
    s.set(off::status_223, 9);
    u16le(s, off::temp_setpoint_260, 288);
    for (int k = 1; k <= 6; ++k) {
        u16le(s, link::heater_setpoint_offset(k), 288);
        u16le(s, link::heater_temperature_offset(k), 288);
    }
    s.set(off::status_171, 0x08);
    s.set(off::options_293, 0x80);
}

// The layouts and overlay forms of the dryer picture and the plenum forms.
const Image kLayouts[] = {{"column", {{off::options_225, 0x80}}},
                          {"column_default", {}},
                          {"tower_one", {{off::module_count, 1}}},
                          {"tower_two", {{off::module_count, 2}}},
                          {"overlay_406", {{off::options_225, 0x20}}}};
const Image kForms[] = {
    {"moisture_form", {{off::mc_mode_flags, 0x83}}},
    {"temperature_form", {{off::mc_mode_flags, 0x81}}},
    {"mode5_speeds", {{off::mc_mode_flags, 0x85}, {off::status_220, 3}}},
    {"manual_speed", {{off::mc_mode_flags, 0x04}}},
    {"meter_rolls_off", {{off::mc_mode_flags, 0x40}}},
    {"batch_dual", {{off::drying_mode, 1}, {off::system_flags_257, 0x32}, {off::heater_status_143 + 5, 0x10}}},
    {"batch_time", {{off::drying_mode, 1}, {off::system_flags_257, 0x10}}},
    {"drying_mode_3", {{off::drying_mode, 3}, {off::mc_mode_flags, 0x01}, {off::system_flags_257, 0x02}}},
    {"mode_label_auto_2sp", {{off::mc_mode_flags, 0xC1}, {off::mode_flags_179, 0x02}}},
    {"mode_label_manual", {{off::mc_mode_flags, 0x03}, {off::mode_flags_179, 0x06}}},
    {"autostart_speed", {{off::mc_mode_flags, 0x02}, {off::status_280, 0x02}}},
};

struct Screens {
    const Texts& t;
    std::vector<std::string>& faults;
    std::set<unsigned>& seen;
    std::string language;

    void check(const Scene& sc, const std::string& screen, const std::string& image) {
        check_scene(sc, screen + " [" + image + "] " + language, faults, seen);
    }

    void status_screens(const ImageSetup& build, const std::string& image, bool celsius) {
        link::ByteImage s;
        build(s);
        MoistureAverage warm;
        for (int i = 0; i < MoistureAverage::kWarmUp; ++i) warm.add(888);
        check(dryer_picture_scene(s, DryerAnimation{}, warm, celsius, t), "dryer picture", image);
        check(unload_status_scene(s, t), "unload status", image);
        for (int code = 0; code <= 4; ++code) {
            link::ByteImage p;
            build(p);
            p.set(off::fan_heater_count, static_cast<std::uint8_t>(code));
            for (int state = 0; state < 7; ++state) {  // every state line of the units
                for (int k = 1; k <= 6; ++k) {
                    p.set(off::heater_status_143 + static_cast<std::size_t>(k - 1),
                          static_cast<std::uint8_t>(state == 0 ? 0x40 : state == 1 ? 0x01 : state == 2 ? 0x02 : 0));
                    p.set(link::heater_state_b_offset(k), static_cast<std::uint8_t>(state == 3 ? 0x20 : 0));
                    p.set(link::heater_state_a_offset(k), static_cast<std::uint8_t>(state == 4 ? 0 : 0x02 | (state == 5 ? 4 : 0)));
                }
                check(plenum_scene(p, celsius, t), "plenum " + std::to_string(code), image);
            }
        }
        for (int temperature = 0; temperature < 3; ++temperature)
            for (int moisture = 0; moisture < 2; ++moisture)
                check(readings_scene(s, ReadingsSelection{temperature, moisture}, t), "readings", image);
    }
};

// State-line rows with their largest numbers.
const Image kStateLines[] = {
    {"row1", {{off::status_118, 0x20}}},
    {"row2", {{off::options_279, 1}}},
    {"row3_countdown",
     {{off::options_279, 1}, {off::status_171, 0xA0}, {off::status_280, 2}, {off::autostart_320, 0xFF},
      {off::autostart_320 + 1, 0xFF}}},
    {"row3_stabilizing", {{off::options_279, 1}, {off::status_171, 0xA0}, {off::status_280, 4}}},
    {"row4",
     {{off::status_188, 0x40}, {off::mode_224, 0x80}, {off::mc_mode_flags, 5}, {off::value_290, 0xAC},
      {off::value_290 + 1, 0x0D}}},  // 3500: 01:40 left
    {"row5", {{off::status_52, 255}, {off::mode_flags_179, 4}, {off::status_171, 8}, {off::mc_mode_flags, 3}}},
    {"row6", {{off::mode_224, 8}, {off::status_188, 0x40}, {off::target_149, 50}, {off::target_149 + 1, 0}}},
    {"row7", {{off::load_timer_setpoint, 255}, {off::load_timer_status, 1}}},
    {"row8", {{off::status_171, 0xE0}, {off::timer_43, 1}, {off::timer_39, 255}, {off::timer_39 + 1, 59}}},
    {"row9", {{off::status_171, 0xA0}, {off::status_188, 0x40}, {off::system_flags_257, 1}, {off::drying_mode, 1}}},
    {"row10", {{off::status_171, 0xA0}, {off::status_271, 1}}},
    {"row11", {{off::status_171, 0xA0}}},
};

// Shutdown figures: the title forms over one condition; the module texts of
// every condition in the tables come on top.
const Image kShutdowns[] = {
    {"fan_heater_5", {{off::shutdown_node, 3}, {off::shutdown_code, 5}}},
    {"fan_heater_5_grain", {{off::shutdown_node, 3}, {off::shutdown_code, 5}, {off::status_188, 0x10}}},
    {"countdown",
     {{off::shutdown_node, 15}, {off::shutdown_code, 1}, {off::status_188, 2}, {off::value_267, 255},
      {off::value_267 + 1, 59}}},
};

TEST(Layout, no_text_runs_out_of_its_rectangle_or_window_in_any_language) {
    load_panel_fonts();
    l10n::testing::TempRoot root;
    ASSERT_TRUE(std::filesystem::is_directory(l10n::testing::built_languages()));
    std::filesystem::create_directory_symlink(l10n::testing::built_languages(), root.hard_disk() / "Languages");
    std::vector<std::string> faults;
    std::set<unsigned> seen;
    int languages = 0;
    for (int lang = 0; lang < l10n::kLanguageCount; ++lang) {
        const l10n::Language& l = l10n::kLanguages[static_cast<std::size_t>(lang)];
        if (!std::filesystem::exists(l10n::testing::built_languages() / l.folder / l.strings_file)) continue;
        ++languages;
        l10n::set_language(lang);
        L10nTexts texts;
        Screens screens{texts, faults, seen, std::string(l.folder)};
        for (bool celsius : {false, true}) {
            const std::string unit = celsius ? " C" : " F";
            for (const Image& layout : kLayouts) {
                for (const Image& form : kForms) {
                    const ImageSetup build = [&](link::ByteImage& s) {
                        busy(s);
                        layout.setup(s);
                        form.setup(s);
                    };
                    screens.status_screens(build, std::string(layout.name) + "/" + form.name + unit, celsius);
                }
            }
            for (const Image& row : kStateLines) {
                link::ByteImage s;
                busy(s);
                row.setup(s);
                for (std::uint32_t blink : {blink::phase | blink::settled, blink::settled})
                    screens.check(state_line_scene(state_line(s, blink, celsius, texts)), "state line",
                                  row.name + unit);
            }
        }
        // The setup menus' text buttons: the caption wrapped into the 200 by 50 face.
        for (const unsigned n : {setup::setup_caption::connection, setup::setup_caption::select_language,
                                 setup::setup_caption::cycled_sampler, setup::setup_caption::plenum_setup}) {
            Scene face{200, 50, colour::black, {}};
            face.text({4, 2, 196, 48}, texts.label(n), 16, 700, colour::white).wrap = true;
            screens.check(face, "setup menu button", std::to_string(n));
        }
        std::tm long_date{};
        long_date.tm_wday = 3;  // Wednesday  Sep 30, 2026 at 12:59 PM
        long_date.tm_mon = 8;
        long_date.tm_mday = 30;
        long_date.tm_year = 2026 - 1900;
        long_date.tm_hour = 12;
        long_date.tm_min = 59;
        link::ByteImage s;
        // Every weekday and every month of the language beside the clock.
        for (int i = 0; i < 12; ++i) {
            std::tm day = long_date;
            day.tm_wday = i % 7;
            day.tm_mon = i;
            screens.check(status_bar_scene(s, true, day, texts), "status bar", "clock " + std::to_string(i));
        }
        s.set(off::heater_status_143, 0x04);
        screens.check(status_bar_scene(s, true, long_date, texts), "status bar", "airflow banner");
        screens.check(warning_view(s, false, true, 13, texts).scene, "warning", "link lost");
        // The status chart's two heading lines over 50-pixel columns, running
        // (ON and the fill level) and stopped.
        for (const int level : {-1, 50, 100}) {
            ChartInput chart;
            chart.running = level >= 0;
            chart.fill_level = level;
            screens.check(chart_scene(chart, texts), "status chart", "level " + std::to_string(level));
        }
        for (const Image& shutdown : kShutdowns) {
            link::ByteImage w;
            busy(w);
            shutdown.setup(w);
            screens.check(warning_view(w, true, true, 0, texts).scene, "warning", shutdown.name);
        }
        for (int node : {1, 2, 3, 4, 5, 6, 7, 14, 15}) {
            for (int warning = 1; warning < 1000; ++warning) {
                if (texts.warning_text(node, warning).empty()) continue;
                link::ByteImage w;
                w.set(off::shutdown_node, static_cast<std::uint8_t>(node));
                w.set(off::shutdown_code, static_cast<std::uint8_t>(warning));
                screens.check(warning_view(w, true, true, 0, texts).scene, "warning",
                              "node " + std::to_string(node) + " warning " + std::to_string(warning));
            }
        }
    }
    EXPECT_GE(languages, 1) << "no language with texts in the panel root";
    // Among the lines checked: the learning period (309 with its minutes), the
    // boxes' setpoints, the airflow banner, the shutdown's grain temperature,
    // the unload rate and the auto-start speed.
    for (const unsigned n : {309u, kSetpointPrefixText, bar_text::airflow_banner, kGrainTemperatureText, kRateText,
                             kAutoStartShortText})
        EXPECT_TRUE(seen.count(n)) << "text " << n << " never rendered";
    std::string report;
    for (std::size_t i = 0; i < faults.size() && i < 40; ++i) report += faults[i] + "\n";
    EXPECT_TRUE(faults.empty()) << faults.size() << " texts do not fit:\n" << report;
}

}  // namespace

namespace {

// Bounds of the pixels of img that differ from its background colour.
QRect ink(const QImage& img) {
    QRect r;
    const QRgb bg = img.pixel(0, 0);
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (img.pixel(x, y) != bg) r |= QRect(x, y, 1, 1);
    return r;
}

struct FitCase {
    const char* name;
    Rect rect;
    const char* text;
    bool wrap;
    bool drawn;
};

class FitRule : public ::testing::TestWithParam<FitCase> {};

// The status screens' painter and the setup screens' function draw the same:
// the text inside the part of its rectangle within a 100 by 40 window, or
// nothing for a number that cannot be shown whole.
TEST_P(FitRule, text_stays_inside_its_rectangle_and_window) {
    load_panel_fonts();
    const FitCase& c = GetParam();
    const QRect window(0, 0, 100, 40);
    const QRect room = QRect(c.rect.left, c.rect.top, c.rect.right - c.rect.left, c.rect.bottom - c.rect.top) & window;

    Scene sc{100, 40, colour::black, {}};
    sc.text(c.rect, c.text, 30, 700, colour::white).wrap = c.wrap;
    QPixmap pm;
    render_scene(sc, pm);
    const QRect scene_ink = ink(pm.toImage());

    QImage img(100, 60, QImage::Format_RGB32);  // a caption bar of 20 above the window
    img.fill(Qt::black);
    {
        QPainter p(&img);
        p.setPen(Qt::white);
        p.translate(0, 20);
        const QRect r(c.rect.left, c.rect.top, c.rect.right - c.rect.left, c.rect.bottom - c.rect.top);
        draw_fitted_text(p, r, Qt::AlignLeft | Qt::AlignTop | (c.wrap ? Qt::TextWordWrap : 0), c.text,
                         panel_font(30, 700));
    }
    const QRect widget_ink = ink(img).translated(0, -20);

    for (const QRect& got : {scene_ink, widget_ink}) {
        EXPECT_EQ(!got.isEmpty(), c.drawn);
        if (got.isEmpty()) continue;
        EXPECT_GE(got.left(), room.left());
        EXPECT_LE(got.right(), room.right());
        EXPECT_GE(got.top(), c.wrap ? room.top() : 0);
        EXPECT_LE(got.bottom(), c.wrap ? room.bottom() : window.bottom());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, FitRule,
    ::testing::Values(FitCase{"figure_shrinks_into_its_box", {10, 0, 60, 40}, "288 F", false, true},
                      FitCase{"rectangle_past_the_window_edge", {40, 0, 160, 40}, "GRAIN SP 110", false, true},
                      FitCase{"number_too_long_for_any_size", {0, 0, 20, 40}, "TOTAL 1193046", false, false},
                      FitCase{"word_too_long_is_shortened", {0, 0, 20, 40}, "TEMPERATURE", false, true},
                      FitCase{"wrapped_text_fits_its_height", {0, 2, 100, 38}, "SAMPLER WAITING FOR GRAIN", true,
                              true}),
    [](const auto& row) { return std::string(row.param.name); });

}  // namespace
