// Auto-start end to end: the panel as its program builds it (timers, link
// driver on its receive thread, history store) against the controller
// stand-in over a real pseudo-terminal, its plan run fast. The operator
// picks Wheat and starts; the plan runs, "QS" shows its timeline, the
// finished message comes once and is recorded; a second run is cancelled
// from the status dialog.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <cstdlib>
#include <functional>

#include "autostart/auto_start/auto_start_windows.h"
#include "link/fields.h"
#include "link/link_driver.h"
#include "logging/history/shutdown_store.h"
#include "setup/setup_selection/setup_selection_window.h"
#include "shell/main_buttons.h"
#include "shell/main_window.h"
#include "shell/panel_services.h"
#include "shell/screen_registry.h"
#include "sim/simulator.h"
#include "tests/setup/modal_watch.h"
#include "views/scene/l10n_texts.h"

namespace dryer::autostart {
namespace {

using kit::WindowId;
namespace off = link::off;
using setup::test::on_next_modal;

// Waits until done() holds; the bound only ends a failing test.
bool wait_for(const std::function<bool()>& done) {
    QElapsedTimer waited;
    waited.start();
    while (!done()) {
        if (waited.elapsed() > 120000) return false;
        QTest::qWait(10);
    }
    return true;
}

link::LinkState& state() { return link::link_state(); }

class AutoStartEndToEnd : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        sim::PeerOptions o;
        o.unscripted_events = false;
        o.speed = 40;  // the 20-minute plan in half a minute
        stand_in = new sim::Simulator(o);
        std::string error;
        const std::string device = stand_in->start_pty(&error);
        ASSERT_FALSE(device.empty()) << error;
        root = new QTemporaryDir;
        const char* bin = std::getenv("DRYER_BINARY_DIR");
        QDir(root->path()).mkpath(QStringLiteral("Hard Disk"));
        QFile::link(QString::fromLocal8Bit(bin ? bin : ".") + QStringLiteral("/panel-root/Hard Disk/Languages"),
                    root->filePath(QStringLiteral("Hard Disk/Languages")));
        services = new shell::PanelServices(state(), root->path().toStdString());
        window = new shell::MainWindow(state(), services->texts(), shell::screen_registry(), shell::dialog_registry());
        services->read_stored_settings();
        window->set_data_logs(&services->logs());  // the one-second housekeeping runs with them
        window->create_child_windows();
        store = services->open_history_database();
        window->set_shutdown_store(store);
        services->init_texts();
        emit window->events().language_changed();
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

    static void stop_dryer() {
        sim::Action a;
        a.kind = sim::ActionKind::stop;
        stand_in->post(a);
        ASSERT_TRUE(wait_for([] { return !link::bit(state().status, off::status_188, 6); }));
    }
    static QPushButton* config_button(const char* name) {
        return window->window(WindowId::auto_start_config)->findChild<QPushButton*>(QString::fromLatin1(name));
    }
    // SETUP, the auto-start button, the notice, Wheat, INITIATE and Yes.
    static void start_run() {
        ASSERT_TRUE(wait_for([] { return window->main_buttons_ready(); }));
        QTest::mouseClick(window->button(shell::command::setup), Qt::LeftButton);
        auto* menu = qobject_cast<setup::SetupMenuWindow*>(window->window(WindowId::setup_selection));
        menu->refresh();
        on_next_modal(nullptr, [](QWidget* m) {
            QTest::mouseClick(m->findChild<QPushButton*>(QStringLiteral("OK")), Qt::LeftButton);
        });
        QTest::mouseClick(menu->button(QStringLiteral("AUTO_START_SETUP")), Qt::LeftButton);
        ASSERT_TRUE(window->window(WindowId::auto_start_config)->isVisible());
        QTest::mouseClick(config_button("Wheat"), Qt::LeftButton);
        on_next_modal(nullptr, [](QWidget* m) {
            QTest::mouseClick(m->findChild<QPushButton*>(QStringLiteral("Yes")), Qt::LeftButton);
        });
        QTest::mouseClick(config_button("INITIATE"), Qt::LeftButton);
        ASSERT_TRUE(wait_for([] { return link::bit(state().status, off::options_279, 0); })) << "the run did not start";
        EXPECT_EQ(state().status.get(off::autostart_285), 2);
    }
    static QPushButton* qs() { return window->button(shell::command::quick_start); }

    static inline sim::Simulator* stand_in = nullptr;
    static inline QTemporaryDir* root = nullptr;
    static inline shell::PanelServices* services = nullptr;
    static inline shell::MainWindow* window = nullptr;
    static inline history::ShutdownStore* store = nullptr;
};

TEST_F(AutoStartEndToEnd, wheat_runs_its_plan_to_the_finished_message_then_a_run_is_cancelled) {
    stop_dryer();
    start_run();
    ASSERT_TRUE(wait_for([] { return qs()->isVisible() && window->main_buttons_ready(); }));

    // The status dialog's marker advances with the plan.
    int first = -1, later = -1;
    on_next_modal(nullptr, [&](QWidget* m) {
        first = marker_x(state().status).value_or(-1);
        wait_for([&] { return marker_x(state().status).value_or(-1) > first; });
        later = marker_x(state().status).value_or(-1);
        QTest::mouseClick(m->findChild<QPushButton*>(QStringLiteral("Minimize")), Qt::LeftButton);
    });
    QTest::mouseClick(qs(), Qt::LeftButton);
    EXPECT_GE(first, kTimelineLeft);
    EXPECT_GT(later, first);

    // The end: the controller reports bit 7 of 280 and drops the request;
    // the finished message comes once and its acceptance is recorded.
    // Static: the watch outlives the test's frame while the panel runs.
    static int finished_boxes = 0;
    static std::function<void(QWidget*)> watch = [](QWidget* previous) {
        on_next_modal(previous, [](QWidget* m) {
            if (m->windowTitle() == QStringLiteral("Auto-Start Finished...")) ++finished_boxes;
            auto* box = qobject_cast<QMessageBox*>(m);
            if (QAbstractButton* ok = box ? box->button(QMessageBox::Ok) : nullptr) ok->click();
            watch(m);
        });
    };
    watch(nullptr);
    ASSERT_TRUE(wait_for([] { return link::bit(state().status, off::status_280, 7) && finished_boxes > 0; }));
    EXPECT_FALSE(link::bit(state().status, off::options_279, 0));
    EXPECT_TRUE(wait_for([] { return !qs()->isVisible(); }));
    const auto events = store->fill_list(history::SortOrder::by_date_time);
    EXPECT_EQ(std::count_if(events.begin(), events.end(),
                            [](const history::HistoryRecord& r) { return r.warning == "User Accepted Auto-Start MC Setup"; }),
              1);

    // A second run, cancelled from the status dialog.
    stop_dryer();
    start_run();
    ASSERT_TRUE(wait_for([] { return qs()->isVisible() && window->main_buttons_ready(); }));
    on_next_modal(nullptr, [](QWidget* m) {
        on_next_modal(m, [](QWidget* q) {
            QTest::mouseClick(q->findChild<QPushButton*>(QStringLiteral("Yes")), Qt::LeftButton);
        });
        QTest::mouseClick(m->findChild<QPushButton*>(QStringLiteral("Cancel   Auto-Start")), Qt::LeftButton);
    });
    QTest::mouseClick(qs(), Qt::LeftButton);
    EXPECT_TRUE(wait_for([] {
        return !link::bit(state().status, off::options_279, 0) && (state().status.get(off::status_280) & 0x06) == 0;
    }));
    EXPECT_EQ(finished_boxes, 1);
}

}  // namespace
}  // namespace dryer::autostart
