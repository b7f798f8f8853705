// The calibration dialogs and the unload status window as real widgets in
// the real main window, offscreen: dialogs opened by id through the panel's
// registry, driven as the operator would (held buttons through the
// auto-repeat service, questions answered), status frames decoded by the
// real decoder, and the settings image and change flags checked afterwards.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <memory>

#include "link/decoder.h"
#include "link/reply_table.h"
#include "setup/calibration/calibration_dialogs.h"
#include "setup/setup_dialogs/setup_dialogs.h"
#include "shell/auto_repeat.h"
#include "shell/main_window.h"
#include "shell/screen_registry.h"
#include "tests/link/link_test_support.h"
#include "tests/setup/modal_watch.h"
#include "views/scene/texts.h"
#include "views/unload_status/unload_status_window.h"

namespace dryer::setup {
namespace {

namespace off = link::off;
namespace row = link::row;
using kit::DialogId;
using link::test::Frame;
using test::on_next_modal;

QStringList lines(QWidget* dialog, const char* name) {
    auto* w = dialog->findChild<QWidget*>(QString::fromLatin1(name));
    if (!w) {
        ADD_FAILURE() << "no " << name;
        return {};
    }
    return static_cast<FittedLines*>(w)->lines();
}

void click(QWidget* dialog, const char* name) {
    auto* b = dialog->findChild<QPushButton*>(QString::fromLatin1(name));
    if (!b || !b->isEnabled()) {
        ADD_FAILURE() << "no enabled button " << name;
        return;
    }
    QTest::mouseClick(b, Qt::LeftButton);
}

struct CalibrationWidgets : ::testing::Test {
    link::LinkState state;
    views::TableTexts texts;
    std::unique_ptr<shell::MainWindow> w;

    void SetUp() override {
        w = std::make_unique<shell::MainWindow>(state, texts, shell::screen_registry(), shell::dialog_registry());
        w->create_child_windows();
        w->show();
    }
    // The controller reports the image with these changes; the panel serves
    // the decoder's redraw requests as it does when woken.
    void frame(const std::function<void(Frame&)>& change) {
        Frame f = Frame::of(state);
        change(f);
        link::decode_status_frame(state, f.seal());
        w->serve_redraws();
    }
};

TEST_F(CalibrationWidgets, moisture_calibration_shows_live_readings_repeats_held_arrows_and_sends_what_differs) {
    frame([](Frame& f) { f.set2(off::moisture_189, 0, 152).set2(off::mcal_232, 0, 5).set2(off::mcal_243, 0, 0); });
    bool ran = false;
    on_next_modal(nullptr, [&](QWidget* d) {
        ran = true;
        EXPECT_EQ(d->objectName(), QStringLiteral(" MOISTURE SENSOR CALIBRATION - 13"));
        EXPECT_EQ(lines(d, "DRY_READINGS").value(1), QStringLiteral("Moisture:  15.2 %"));
        // The dry sensor's reading and temperature follow the frames.
        frame([](Frame& f) { f.set2(off::moisture_189, 0, 148).set2(off::grain_temp_193, 0xFF, 0xFB); });
        EXPECT_EQ(lines(d, "DRY_READINGS").value(1), QStringLiteral("Moisture:  14.8 %"));
        EXPECT_EQ(lines(d, "DRY_READINGS").value(2), QStringLiteral("Temperature: -0.5 F"));
        click(d, "<<< DRY MOIST OFFSET");
        EXPECT_EQ(lines(d, "DRY MOIST OFFSET VALUE").value(0), QStringLiteral("0.4"));
        // Held: five ticks of delay, then one repeat per tick.
        auto* held = d->findChild<QPushButton*>(QStringLiteral(">>> WET TEMP OFFSET"));
        held->setDown(true);
        for (int i = 0; i < 7; ++i) shell::auto_repeat_service().tick();
        held->setDown(false);
        EXPECT_EQ(lines(d, "WET TEMP OFFSET VALUE").value(0), QStringLiteral("0.2"));
        EXPECT_FALSE(state.flags.raised(row::mcal_232)) << "nothing goes out before ACCEPT";
        click(d, "ACCEPT");
    });
    ASSERT_TRUE(w->open_dialog(DialogId::moisture_calibration, w.get()));
    EXPECT_TRUE(ran);
    EXPECT_TRUE(state.flags.raised(row::mcal_232));
    EXPECT_EQ(link::u16be(state.settings, off::mcal_232), 4);
    EXPECT_TRUE(state.flags.raised(row::mcal_243));
    EXPECT_EQ(link::u16be(state.settings, off::mcal_243), 2);
    EXPECT_FALSE(state.flags.raised(row::mcal_234));
    EXPECT_FALSE(state.flags.raised(row::mcal_241));
}

TEST_F(CalibrationWidgets, unload_bushels_zeroes_the_counter_on_yes_and_sends_the_multiplier) {
    frame([](Frame& f) { f.set(off::unload_163, 100).set2(off::unload_counter, 0x20, 0x1C); });  // 7200: 2 bushels
    bool ran = false;
    on_next_modal(nullptr, [&](QWidget* d) {
        ran = true;
        EXPECT_EQ(lines(d, "TOTAL_BUSHELS").value(0), QStringLiteral("2"));
        click(d, "INCREASE");
        EXPECT_EQ(lines(d, "MULTIPLIER").value(0), QStringLiteral("101 %"));
        QString title, text;
        on_next_modal(d, [&](QWidget* box) {
            auto* mb = qobject_cast<QMessageBox*>(box);
            ASSERT_NE(mb, nullptr);
            title = mb->windowTitle();
            text = mb->text();
            mb->button(QMessageBox::Yes)->click();
        });
        click(d, "CLEAR");
        EXPECT_EQ(title, QStringLiteral(" TOTAL BUSHEL COUNTER"));
        EXPECT_EQ(text, QStringLiteral("Do you wish to ZERO total bushels?"));
        EXPECT_EQ(state.settings.get(off::unload_control_238) & 0x08, 0x08);
        EXPECT_TRUE(state.flags.raised(row::unload_control));
        // The controller zeroes it: the dialog shows it, the request ends.
        frame([](Frame& f) { f.set2(off::unload_counter, 0, 0); });
        EXPECT_EQ(lines(d, "TOTAL_BUSHELS").value(0), QStringLiteral("0"));
        EXPECT_EQ(state.settings.get(off::unload_control_238) & 0x08, 0);
        click(d, "ACCEPT");
    });
    ASSERT_TRUE(w->open_dialog(DialogId::unload_bushels, w.get()));
    EXPECT_TRUE(ran);
    EXPECT_TRUE(state.flags.raised(row::unload_bushels));
    EXPECT_EQ(state.settings.get(off::unload_163), 101);
}

TEST_F(CalibrationWidgets, output_voltage_sends_each_press_and_cancel_returns_the_rolls_without_undoing) {
    frame([](Frame& f) { f.set(off::mr_volt_237, 10).set(off::mr_volt_236, 250); });
    bool ran = false;
    on_next_modal(nullptr, [&](QWidget* d) {
        ran = true;
        EXPECT_EQ(lines(d, "Maximum Speed VALUE"), (QStringList{QStringLiteral("98.04 %"), QStringLiteral("~9.8 V")}));
        click(d, "Minimum Speed UP");
        EXPECT_EQ(lines(d, "Minimum Speed VALUE").value(0), QStringLiteral(" 4.31 %"));
        EXPECT_EQ(state.settings.get(off::mr_volt_237), 11);
        EXPECT_EQ(state.settings.get(off::unload_control_238), 2);
        click(d, "Maximum Speed DOWN");
        EXPECT_EQ(state.settings.get(off::mr_volt_236), 249);
        EXPECT_EQ(state.settings.get(off::unload_control_238), 1);
        click(d, "CANCEL");
    });
    ASSERT_TRUE(w->open_dialog(DialogId::meter_roll_voltage, w.get()));
    EXPECT_TRUE(ran);
    EXPECT_EQ(state.settings.get(off::unload_control_238), 0);
    EXPECT_TRUE(state.flags.raised(row::unload_control));
    EXPECT_EQ(state.settings.get(off::mr_volt_237), 11);
    EXPECT_TRUE(state.flags.raised(row::mr_volt_237));
    EXPECT_TRUE(state.flags.raised(row::mr_volt_236));
}

TEST_F(CalibrationWidgets, unload_status_window_redraws_on_its_fields_and_offers_the_speed_dialog_when_built) {
    auto* win = qobject_cast<views::UnloadStatusWindow*>(w->window(kit::WindowId::unload_status));
    ASSERT_NE(win, nullptr);
    win->show();
    win->raise();
    auto* speed = win->findChild<QPushButton*>(QStringLiteral("UNLOAD_MR_SPEED_SELECT_BUTTON"));
    ASSERT_NE(speed, nullptr);
    EXPECT_EQ(speed->isEnabled(), w->has_dialog(DialogId::meter_roll_speed));
    ASSERT_TRUE(QTest::qWaitFor([&] { return win->paint_count() > 0; }));
    const std::function<void(Frame&)> changes[] = {
        [](Frame& f) { f.set(off::meter_roll_speeds_155, 2); },
        [](Frame& f) { f.set(off::meter_roll_speeds_155 + 2, 40); },
        [](Frame& f) { f.set2(off::value_173, 0x04, 0xE2); },
        [](Frame& f) { f.set(off::unload_counter + 1, 0x30); },
        [](Frame& f) { f.set2(off::value_197, 0, 123); },
    };
    for (std::size_t i = 0; i < std::size(changes); ++i) {
        const unsigned before = win->paint_count();
        frame(changes[i]);
        EXPECT_TRUE(QTest::qWaitFor([&] { return win->paint_count() > before; })) << "change " << i;
    }
}

}  // namespace
}  // namespace dryer::setup
