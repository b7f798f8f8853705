// A technician's change of the fan/heater count, end to end: the panel's main
// window with its timers, screens and dialogs under the offscreen platform,
// the link driver on its receive thread and the controller stand-in on a
// real pseudo-terminal. The count goes out until the stand-in echoes it; then
// the main screen (plenum boxes, dryer picture units, the TEMPS screen's
// plenum buttons) follows the echo.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <cstdlib>
#include <functional>

#include "link/link_driver.h"
#include "link/link_state.h"
#include "setup/hardware/hardware_dialog.h"
#include "setup/setup_selection/setup_selection_window.h"
#include "shell/main_buttons.h"
#include "shell/main_window.h"
#include "shell/panel_services.h"
#include "shell/screen_registry.h"
#include "sim/simulator.h"
#include "tests/setup/modal_watch.h"
#include "views/dryer_picture/dryer_picture_model.h"
#include "views/plenum/plenum_model.h"
#include "views/scene/l10n_texts.h"
#include "views/scene/scene_window.h"

namespace dryer::setup {
namespace {

using kit::WindowId;
namespace off = link::off;

// Waits until done() holds; the bound only ends a test that is failing.
bool wait_for(const std::function<bool()>& done) {
    QElapsedTimer waited;
    waited.start();
    while (!done()) {
        if (waited.elapsed() > 60000) return false;
        QTest::qWait(10);
    }
    return true;
}

link::LinkState& state() { return link::link_state(); }

class HardwareCountRoad : public ::testing::Test {
protected:
    void SetUp() override {
        sim::PeerOptions o;
        o.unscripted_events = false;
        sim_ = std::make_unique<sim::Simulator>(o);
        std::string error;
        const std::string device = sim_->start_pty(&error);
        ASSERT_FALSE(device.empty()) << error;
        const char* bin = std::getenv("DRYER_BINARY_DIR");
        QDir(root_.path()).mkpath(QStringLiteral("Hard Disk"));
        QFile::link(QString::fromLocal8Bit(bin ? bin : ".") + QStringLiteral("/panel-root/Hard Disk/Languages"),
                    root_.filePath(QStringLiteral("Hard Disk/Languages")));
        services_ = std::make_unique<shell::PanelServices>(state(), root_.path().toStdString());
        window_ = std::make_unique<shell::MainWindow>(state(), services_->texts(), shell::screen_registry(),
                                                      shell::dialog_registry());
        window_->create_child_windows();
        services_->init_texts();
        window_->show();
        ASSERT_TRUE(link::open_link(device));
        window_->set_link_driver(link::panel_link_driver());
        window_->start_timers();
        // The stand-in starts with two fan/heaters on one module.
        ASSERT_TRUE(wait_for([] { return state().status.get(off::fan_heater_count) == 1; }));
    }

    // Runs the hardware setup that `open` brings up: SELECT on "Number FH"
    // `presses` times, then ACCEPT/EXIT.
    void change_fans(int presses, const std::function<void()>& open) {
        bool done = false;
        test::on_next_modal(nullptr, [&](QWidget* m) {
            QWidget* box = m->findChild<QWidget*>(QStringLiteral("Number FH"));
            ASSERT_NE(box, nullptr);
            for (int i = 0; i < presses; ++i)
                QTest::mouseClick(box->findChild<QPushButton*>(QStringLiteral("SELECT")), Qt::LeftButton);
            QTest::mouseClick(m->findChild<QPushButton*>(QStringLiteral("ACCEPT/EXIT")), Qt::LeftButton);
            done = true;
        });
        open();
        ASSERT_TRUE(done);
    }
    // Waits until the controller reports `code` and the flag is down.
    static void wait_for_echo(std::uint8_t code) {
        ASSERT_TRUE(wait_for([code] {
            return state().status.get(off::fan_heater_count) == code &&
                   !state().flags.raised(link::row::fan_heater_count);
        }));
    }
    views::SceneWindow* scene(WindowId id) const { return qobject_cast<views::SceneWindow*>(window_->window(id)); }

    QTemporaryDir root_;
    std::unique_ptr<sim::Simulator> sim_;
    std::unique_ptr<shell::PanelServices> services_;
    std::unique_ptr<shell::MainWindow> window_;
};

TEST_F(HardwareCountRoad, the_main_screen_follows_the_echoed_fan_heater_count) {
    // From the setup menu: two fan/heaters become three.
    ASSERT_TRUE(wait_for([this] { return window_->main_buttons_ready(); }));
    QTest::mouseClick(window_->button(shell::command::setup), Qt::LeftButton);
    auto* menu = qobject_cast<SetupMenuWindow*>(window_->window(WindowId::setup_selection));
    ASSERT_TRUE(menu && menu->isVisible());
    ASSERT_TRUE(menu->button(QStringLiteral("DRYER_MODEL"))->isEnabled());
    change_fans(1, [menu] { QTest::mouseClick(menu->button(QStringLiteral("DRYER_MODEL")), Qt::LeftButton); });
    EXPECT_EQ(state().settings.get(off::fan_heater_count), 2);
    wait_for_echo(2);
    QTest::mouseClick(menu->exit_button(), Qt::LeftButton);
    ASSERT_TRUE(window_->main_screen_shown());

    views::SceneWindow* plenum = scene(WindowId::custom_view);
    views::SceneWindow* picture = scene(WindowId::dryer_picture);
    ASSERT_TRUE(plenum && picture);
    EXPECT_TRUE(plenum->isVisible());
    EXPECT_EQ(views::plenum_box_count(state().status), 3);
    EXPECT_EQ(views::units_in_use(state().status), (std::vector<int>{4, 5, 6}));
    ASSERT_TRUE(wait_for([this] { return window_->main_buttons_ready(); }));
    QTest::mouseClick(window_->button(shell::command::temps), Qt::LeftButton);
    QWidget* temps = window_->window(WindowId::temp_select);
    ASSERT_TRUE(temps->isVisible());
    EXPECT_TRUE(temps->findChild<QWidget*>(QStringLiteral("Plenum 3 setpoint"))->isVisible());
    EXPECT_FALSE(temps->findChild<QWidget*>(QStringLiteral("Plenum 4 setpoint"))->isVisible());
    QTest::mouseClick(temps->findChild<QPushButton*>(QStringLiteral("EXIT")), Qt::LeftButton);
    ASSERT_TRUE(window_->main_screen_shown());

    // Over the main screen: three become one (one module cycles one, two,
    // three); the shown windows redraw when the echo arrives, unasked.
    const unsigned plenum_paints = plenum->paint_count();
    const unsigned picture_paints = picture->paint_count();
    change_fans(1, [this] { window_->open_dialog(kit::DialogId::dryer_hardware, window_.get()); });
    wait_for_echo(0);
    ASSERT_TRUE(wait_for([&] { return plenum->paint_count() > plenum_paints && picture->paint_count() > picture_paints; }));
    EXPECT_EQ(views::plenum_box_count(state().status), 1);
    EXPECT_EQ(views::units_in_use(state().status), std::vector<int>{6});
}

}  // namespace
}  // namespace dryer::setup

int main(int argc, char** argv) {
    QApplication a(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
