// The technician's road through the diagnostics screens, end to end: the
// panel's main window under the offscreen platform with its link driver on
// the receive thread, and the controller stand-in on a real pseudo-terminal.
// Disabling the air-switch test shows on the dialog and as the main
// screen's banner once the controller reports it; a shorted output shows on
// the light outputs; the panel enables the test again by itself when the
// controller's state asks for it.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTest>
#include <functional>

#include "kit/picture_button.h"
#include "link/link_driver.h"
#include "link/reply_table.h"
#include "setup/diagnostics/diagnostics_dialog.h"
#include "shell/main_window.h"
#include "shell/screen_registry.h"
#include "sim/simulator.h"
#include "tests/setup/modal_watch.h"
#include "views/scene/texts.h"
#include "views/status_bars/status_bars_model.h"

namespace dryer::setup {
namespace {

using kit::WindowId;
namespace off = link::off;

// Waits until done() holds; the bound only ends a test that is failing.
bool wait_for(const std::function<bool()>& done) {
    QElapsedTimer waited;
    waited.start();
    while (!done()) {
        if (waited.elapsed() > 30000) return false;
        QTest::qWait(10);
    }
    return true;
}

link::LinkState& state() { return link::link_state(); }

bool units_test_off(const link::ByteImage& im, bool off_) {
    for (int u = 4; u <= 6; ++u)
        if (((im.get(link::burner_mode_offset(u)) & 0x04) != 0) != off_) return false;
    return true;
}

// Presses Yes on the next question named `name` not answered before (a
// question asked again may live at the same address); first runs `then`
// (to watch for the next question before this one closes).
void yes_on(const QString& name, std::function<void()> then = {}) {
    auto* t = new QTimer(qApp);
    t->setInterval(5);
    QObject::connect(t, &QTimer::timeout, [=] {
        QWidget* m = QApplication::activeModalWidget();
        if (!m || m->objectName() != name || m->property("answered").toBool()) return;
        t->stop();
        t->deleteLater();
        m->setProperty("answered", true);
        if (then) then();
        QTest::mouseClick(m->findChild<QPushButton*>(QStringLiteral("Yes")), Qt::LeftButton);
    });
    t->start();
}

class DiagnosticsRoad : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        sim::PeerOptions o;
        o.unscripted_events = false;
        stand_in = new sim::Simulator(std::move(o));
        std::string error;
        const std::string device = stand_in->start_pty(&error);
        ASSERT_FALSE(device.empty()) << error;
        window = new shell::MainWindow(state(), texts, shell::screen_registry(), shell::dialog_registry());
        window->create_child_windows();
        window->show();
        ASSERT_TRUE(link::open_link(device));
        window->set_link_driver(link::panel_link_driver());
        window->start_timers();
        ASSERT_TRUE(wait_for([] { return state().status.get(off::status_171) != 0xA0; })) << "no status frame";
    }
    static void TearDownTestSuite() {
        delete window;
        window = nullptr;
    }
    static void set8(std::uint32_t offset, std::uint32_t value) {
        sim::Action a;
        a.kind = sim::ActionKind::set8;
        a.a = offset;
        a.b = value;
        stand_in->post(a);
    }
    static inline views::TableTexts texts;
    static inline sim::Simulator* stand_in = nullptr;
    static inline shell::MainWindow* window = nullptr;
};

TEST_F(DiagnosticsRoad, air_switch_test_disabled_shown_then_enabled_again_by_the_panel) {
    set8(off::fan_heater_count, 2);  // units 4 to 6
    ASSERT_TRUE(wait_for([] { return state().status.get(off::fan_heater_count) == 2; }));
    QWidget* banner = window->window(WindowId::left_status_bar);
    EXPECT_FALSE(banner->isVisible());

    bool checked_while_off = false, banner_while_off = false, shorted_shown = false;
    bool enabled_again = false, mark_cleared = false, mode_while_open = false;
    test::on_next_modal(nullptr, [&](QWidget* m) {
        auto* d = qobject_cast<DiagnosticsDialog*>(m);
        ASSERT_NE(d, nullptr);
        mode_while_open = link::load(state().values.diagnostics_mode) == 1;
        EXPECT_FALSE(d->view().air_switch_checked);

        // Disabling takes two Yes presses.
        yes_on(QStringLiteral("AIR SWITCH TESTING"), [] { yes_on(QStringLiteral("AIR SWITCH TESTING")); });
        QTest::mouseClick(d->findChild<QPushButton*>(QStringLiteral("DISABLE Testing")), Qt::LeftButton);
        for (int u = 4; u <= 6; ++u) EXPECT_TRUE(state().flags.raised(link::burner_mode_row(u))) << u;
        EXPECT_FALSE(state().flags.raised(link::burner_mode_row(3)));
        checked_while_off = wait_for([d] {
            return units_test_off(state().status, true) && views::airflow_testing_disabled(state().status) &&
                   d->view().air_switch_checked;
        });
        banner_while_off = wait_for([banner] { return banner->isVisible(); });

        // A shorted output shows on the light outputs as the controller reports it.
        test::on_next_modal(d, [&](QWidget* lights) {
            set8(178, 0x80);
            auto* mark = lights->findChild<CheckMark*>(QStringLiteral("J2-01 / FAN 3 SHORTED"));
            ASSERT_NE(mark, nullptr);
            shorted_shown = wait_for([mark] { return mark->checked(); });
            EXPECT_FALSE(lights->findChild<CheckMark*>(QStringLiteral("J2-02 / BURNER 2 SHORTED"))->checked());
            QTest::mouseClick(lights->findChild<QPushButton*>(QStringLiteral("EXIT")), Qt::LeftButton);
        });
        QTest::mouseClick(d->findChild<QPushButton*>(QStringLiteral("Check Light Outputs")), Qt::LeftButton);

        // The controller's state asks for the test back: the dialog sends it.
        set8(off::heater_status_143 + 5, 0x0C);
        enabled_again = wait_for([] { return units_test_off(state().status, false); });
        mark_cleared = wait_for([d] { return !d->view().air_switch_checked; });
        QTest::mouseClick(d->findChild<QPushButton*>(QStringLiteral("Exit")), Qt::LeftButton);
    });
    ASSERT_TRUE(window->open_dialog(kit::DialogId::diagnostics, window));
    EXPECT_TRUE(mode_while_open);
    EXPECT_TRUE(checked_while_off);
    EXPECT_TRUE(banner_while_off);
    EXPECT_TRUE(shorted_shown);
    EXPECT_TRUE(enabled_again);
    EXPECT_TRUE(mark_cleared);
    EXPECT_EQ(link::load(state().values.diagnostics_mode), 0);
    EXPECT_TRUE(wait_for([banner] { return !banner->isVisible(); }));
}

TEST_F(DiagnosticsRoad, programming_update_window_exit_brings_the_main_screen_back) {
    QWidget* boot = window->window(WindowId::boot_loader);
    ASSERT_NE(qobject_cast<BootLoaderWindow*>(boot), nullptr);
    EXPECT_EQ(boot->geometry(), QRect(0, 0, 640, 480));
    window->hide_main_screen();
    boot->show();
    boot->raise();
    auto* exit = boot->findChild<kit::PictureButton*>(QStringLiteral("EXIT_BOOTLOADER_BUTTON"));
    ASSERT_NE(exit, nullptr);
    EXPECT_EQ(exit->size(), QSize(159, 41));
    EXPECT_LE(exit->geometry().bottom(), 479);
    QTest::mouseClick(exit, Qt::LeftButton);
    EXPECT_FALSE(boot->isVisible());
    EXPECT_TRUE(window->main_screen_shown());
    EXPECT_TRUE(window->window(WindowId::dryer_picture)->isVisible());
}

}  // namespace
}  // namespace dryer::setup
