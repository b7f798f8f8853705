// Every main-screen window rendered for thousands of random status images,
// random blink flags, link states and unit switches: no crash, no sanitizer
// report, and the pictures stay at their sizes.
#include <gtest/gtest.h>

#include <QApplication>

#include "tests/views/sample_status.h"
#include "views/dryer_picture/dryer_picture_window.h"
#include "views/plenum/plenum_window.h"
#include "views/state_line/state_line_window.h"
#include "views/status_bars/status_bars_windows.h"
#include "views/warning/warning_window.h"

using namespace dryer;
using namespace dryer::views;

namespace {

TEST(RandomRender, thousands_of_random_status_images) {
    link::LinkState st;
    NumberTexts texts;
    DryerPictureWindow pic(nullptr, st, texts);
    PlenumWindow plenum(nullptr, st, texts);
    StateLineWindow line(nullptr, st, texts);
    LeftStatusBarWindow bar(nullptr, st, texts);
    ReadingsWindow readings(nullptr, st, texts);
    WarningWindow warning(nullptr, st, texts);
    SceneWindow* windows[] = {&pic, &plenum, &line, &bar, &readings, &warning};

    std::mt19937 rng(20261208);
    for (int i = 0; i < 2000; ++i) {
        sample::fill_random(st, rng);
        // Bias a share of the images towards the small codes the layouts branch on.
        if (i % 2 == 0) {
            st.status.set(link::off::fan_heater_count, static_cast<std::uint8_t>(rng() % 7));
            st.status.set(link::off::module_count, static_cast<std::uint8_t>(rng() % 4));
            st.status.set(link::off::status_184, static_cast<std::uint8_t>(rng() % 4));
        }
        const auto flags = static_cast<std::uint32_t>(rng());
        for (SceneWindow* w : windows) {
            w->set_blink_flags(flags);
            const QPixmap& pm = w->render_offscreen();
            ASSERT_FALSE(pm.isNull());
        }
        pic.advance_phase();
        pic.second_tick();
        warning.marker_tick();
    }
    EXPECT_EQ(pic.render_offscreen().size(), QSize(240, 420));
}

}  // namespace
