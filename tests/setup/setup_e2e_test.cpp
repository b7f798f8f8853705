// The operator's road of a setting, end to end: the panel's main window with
// its timers, screens and keypads under the offscreen platform, the panel's
// link driver on its own receive thread, and the controller stand-in on the
// other end of a real pseudo-terminal. A value typed on a keypad goes out as
// a reply item until the stand-in echoes it; then its flag is lowered and
// the screens show it.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <algorithm>
#include <cstdlib>
#include <functional>
#include <variant>
#include <memory>
#include <mutex>

#include "modal_watch.h"
#include "link/link_driver.h"
#include "link/link_state.h"
#include "setup/setup_selection/setup_selection_window.h"
#include "setup/temp_select/temp_select_window.h"
#include "shell/main_buttons.h"
#include "shell/main_window.h"
#include "logging/journal/settings_journal.h"
#include "shell/panel_services.h"
#include "shell/screen_registry.h"
#include "sim/simulator.h"
#include "views/plenum/plenum_model.h"
#include "views/scene/l10n_texts.h"
#include "views/scene/scene_window.h"
#include "views/warning/warning_window.h"

namespace dryer::setup {
namespace {

// The setpoint line of Plenum 1's box (unit 6, the first in use) on the
// plenum panel of a six-unit dryer.
std::string plenum_panel_unit1_setpoint() {
    const views::Scene scene = views::plenum_scene(link::link_state().status, false, views::L10nTexts{});
    const views::Rect box = views::plenum_box_rect(5, 6);  // units 1 to 6 in boxes 0 to 5
    for (const views::Item& item : scene.items) {
        const auto* t = std::get_if<views::TextItem>(&item);
        if (!t || t->text.rfind("SP:", 0) != 0) continue;
        const int x = (t->rect.left + t->rect.right) / 2;
        const int y = (t->rect.top + t->rect.bottom) / 2;
        if (x >= box.left && x < box.right && y >= box.top && y < box.bottom) return t->text;
    }
    return {};
}

// What the stand-in did with each reply item, as its log lines.
class StandIn {
public:
    StandIn() : sim_(options()) {}
    std::string start(std::string* error) { return sim_.start_pty(error); }
    void refuse(std::size_t offset, bool on) { sim_.refuse(offset, on); }
    void set(sim::ActionKind kind, std::uint32_t offset, std::uint32_t value) {
        sim::Action a;
        a.kind = kind;
        a.a = offset;
        a.b = value;
        sim_.post(a);
    }
    int count(const std::string& line) const {
        std::lock_guard lock(mutex_);
        int n = 0;
        for (const auto& l : lines_) n += l.find(line) != std::string::npos;
        return n;
    }
    std::uint8_t status(std::size_t at) const { return sim_.snapshot()[at]; }


private:
    sim::PeerOptions options() {
        sim::PeerOptions o;
        o.unscripted_events = false;
        o.log = [this](const std::string& line) {
            std::lock_guard lock(mutex_);
            lines_.push_back(line);
        };
        return o;
    }
    mutable std::mutex mutex_;
    std::vector<std::string> lines_;
    sim::Simulator sim_;
};

// Processes events until done() or about limit_ms have passed.
// Waits until done() holds. `usual_ms` is how long it takes on an idle
// machine; the bound only ends a test that is failing, so a busy machine gets
// many times that before the wait gives up.
bool wait_for(const std::function<bool()>& done, int usual_ms) {
    QElapsedTimer waited;
    waited.start();
    const qint64 bound = std::max<qint64>(30000, 10LL * usual_ms);
    while (!done()) {
        if (waited.elapsed() > bound) return false;
        QTest::qWait(10);
    }
    return true;
}

// Presses keys on the next modal dialog; a message box after ACCEPT is
// recorded and closed.
using test::on_next_modal;

struct Keys {
    std::vector<const char*> keys;
    QString warning;
    void arm() {
        on_next_modal(nullptr, [this](QWidget* dialog) {
            for (const char* k : keys) {
                QPointer<QTimer> watch;
                if (std::string(k) == "ACCEPT") {
                    watch = on_next_modal(dialog, [this](QWidget* box) {
                        warning = box->windowTitle() + " / " + qobject_cast<QMessageBox*>(box)->text();
                        qobject_cast<QMessageBox*>(box)->accept();
                    });
                }
                auto* key = dialog->findChild<QPushButton*>(QString::fromUtf8(k));
                if (!key) {
                    ADD_FAILURE() << "no key " << k;
                    qobject_cast<QDialog*>(dialog)->reject();
                    return;
                }
                QTest::mouseClick(key, Qt::LeftButton);
                delete watch.data();
            }
        });
    }
};

// A panel root of the test's own that sees the build's language folders,
// so the panel writes its language configuration into a temporary folder.
QString make_panel_root(const QTemporaryDir& dir) {
    const char* bin = std::getenv("DRYER_BINARY_DIR");
    const QString languages = QString::fromLocal8Bit(bin ? bin : ".") + QStringLiteral("/panel-root/Hard Disk/Languages");
    QDir(dir.path()).mkpath(QStringLiteral("Hard Disk"));
    QFile::link(languages, dir.filePath(QStringLiteral("Hard Disk/Languages")));
    return dir.path();
}

// The panel as its program builds it, against the stand-in.
class SettingRoad : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        stand_in = new StandIn;
        std::string error;
        const std::string device = stand_in->start(&error);
        ASSERT_FALSE(device.empty()) << error;
        root = new QTemporaryDir;
        services = new shell::PanelServices(state(), make_panel_root(*root).toStdString());
        window = new shell::MainWindow(state(), services->texts(), shell::screen_registry(), shell::dialog_registry());
        window->create_child_windows();
        window->set_shutdown_store(services->open_history_database());
        services->init_texts();
        emit window->events().language_changed();
        window->show();
        ASSERT_TRUE(link::open_link(device));
        window->set_link_driver(link::panel_link_driver());
        window->start_timers();
        ASSERT_TRUE(wait_for([] { return state().status.get(link::off::status_171) != 0xA0; }, 3000))
            << "no status frame from the stand-in";
    }
    static void TearDownTestSuite() {
        delete window;
        window = nullptr;
    }
    static link::LinkState& state() { return link::link_state(); }
    static QWidget* screen(kit::WindowId id) { return window->window(id); }
    // Presses a main button once the main screen takes presses again.
    static void press(int command) {
        ASSERT_TRUE(wait_for([] { return window->main_buttons_ready(); }, 3000));
        QTest::mouseClick(window->button(command), Qt::LeftButton);
    }
    static void press(kit::WindowId id, const char* button) {
        auto* b = screen(id)->findChild<QPushButton*>(QString::fromUtf8(button));
        ASSERT_NE(b, nullptr) << button;
        ASSERT_TRUE(b->isVisible()) << button;
        QTest::mouseClick(b, Qt::LeftButton);
    }
    static inline StandIn* stand_in = nullptr;
    static inline QTemporaryDir* root = nullptr;
    static inline shell::PanelServices* services = nullptr;
    static inline shell::MainWindow* window = nullptr;
};

TEST_F(SettingRoad, PlenumSetpointIsSentUntilEchoedThenShown) {
    // A dryer with six fan/heaters; the controller's plenum 1 setpoint starts
    // at 180.
    stand_in->set(sim::ActionKind::fans, 6, 0);
    stand_in->set(sim::ActionKind::set16le, 69, 180);
    ASSERT_TRUE(wait_for(
        [] { return link::u16le(state().status, 69) == 180 && state().status.get(link::off::fan_heater_count) == 4; },
        3000));
    EXPECT_EQ(plenum_panel_unit1_setpoint(), "SP:  180 \u00B0F ");
    press(shell::command::temps);
    ASSERT_TRUE(screen(kit::WindowId::temp_select)->isVisible());
    EXPECT_FALSE(window->main_screen_shown());

    // Hold the echo back for a while: the item must go out in every cycle.
    stand_in->refuse(69, true);
    Keys keys{{"1", "9", "0", "ACCEPT"}, {}};
    keys.arm();
    press(kit::WindowId::temp_select, "Plenum 1 setpoint");
    EXPECT_TRUE(keys.warning.isEmpty());
    EXPECT_TRUE(state().flags.raised(link::row::plenum1_setpoint));
    ASSERT_TRUE(wait_for([] { return stand_in->count("refused item 69 n=2: 0xBE 0x00") >= 3; }, 3000));
    EXPECT_TRUE(state().flags.raised(link::row::plenum1_setpoint));
    // Until the controller reports it, the screen keeps the old value.
    auto* temps = qobject_cast<TempSelectWindow*>(screen(kit::WindowId::temp_select));
    ASSERT_NE(temps, nullptr);
    temps->refresh();
    EXPECT_EQ(temps->view().plenum[2].value_text, " 180 \u00B0F ");

    stand_in->refuse(69, false);
    ASSERT_TRUE(wait_for([] { return stand_in->count("applied item 69 n=2: 0xBE 0x00") >= 1; }, 2000));
    ASSERT_TRUE(wait_for([] { return !state().flags.raised(link::row::plenum1_setpoint); }, 2000));
    EXPECT_EQ(link::u16le(state().status, 69), 190);
    // The decoder's redraw request brings the new value to the screen.
    ASSERT_TRUE(wait_for([temps] { return temps->view().plenum[2].value_text == " 190 \u00B0F "; }, 1000));
    // The journal answers who changed it: the screen, the old and the new value.
    const auto newest = services->journal()->newest(1);
    ASSERT_EQ(newest.size(), 1u);
    EXPECT_EQ(newest[0].offset, 69u);
    EXPECT_EQ(newest[0].source, "temperature setpoints");
    EXPECT_EQ(newest[0].old_value, (std::vector<std::uint8_t>{180, 0}));
    EXPECT_EQ(newest[0].new_value, (std::vector<std::uint8_t>{190, 0}));

    press(kit::WindowId::temp_select, "EXIT");
    EXPECT_FALSE(screen(kit::WindowId::temp_select)->isVisible());
    EXPECT_TRUE(window->main_screen_shown());
    EXPECT_TRUE(screen(kit::WindowId::dryer_picture)->isVisible());
    // The main screen's plenum panel draws the new setpoint.
    auto* plenum = qobject_cast<views::SceneWindow*>(screen(kit::WindowId::custom_view));
    ASSERT_NE(plenum, nullptr);
    const unsigned paints = plenum->paint_count();
    ASSERT_TRUE(wait_for([plenum, paints] { return plenum->isVisible() && plenum->paint_count() > paints; }, 1000));
    EXPECT_EQ(plenum_panel_unit1_setpoint(), "SP:  190 \u00B0F ");
}

TEST_F(SettingRoad, LoadStartupDelayTwoThirty) {
    stand_in->set(sim::ActionKind::set8, 31, 1);
    stand_in->set(sim::ActionKind::set8, 32, 0);
    ASSERT_TRUE(wait_for([] { return state().status.get(31) == 1 && state().status.get(32) == 0; }, 3000));
    press(shell::command::timers);
    ASSERT_TRUE(screen(kit::WindowId::timer_select)->isVisible());
    Keys keys{{"MIN_2", "SEC_3", "SEC_0", "ACCEPT"}, {}};
    keys.arm();
    press(kit::WindowId::timer_select, "Load Startup Delay");
    EXPECT_TRUE(state().flags.raised(link::row::load_startup_delay));
    ASSERT_TRUE(wait_for([] { return stand_in->count("applied item 31 n=2: 0x02 0x1E") >= 1; }, 2000));
    ASSERT_TRUE(wait_for([] { return !state().flags.raised(link::row::load_startup_delay); }, 2000));
    EXPECT_EQ(state().status.get(31), 2);
    EXPECT_EQ(state().status.get(32), 30);
    press(kit::WindowId::timer_select, "EXIT");
    EXPECT_TRUE(window->main_screen_shown());
}

TEST_F(SettingRoad, OutOfRangeIsRefusedAndNothingSent) {
    press(shell::command::temps);
    const int sent_before = stand_in->count("item 69 ");
    Keys keys{{"2", "5", "1", "ACCEPT"}, {}};
    keys.arm();
    press(kit::WindowId::temp_select, "Plenum 1 setpoint");
    EXPECT_EQ(keys.warning, "WARNING! / The value entered is out of range.");
    EXPECT_FALSE(state().flags.raised(link::row::plenum1_setpoint));
    // Three link cycles later nothing for item 69 has gone out.
    QTest::qWait(1100);
    EXPECT_EQ(stand_in->count("item 69 "), sent_before);
    EXPECT_EQ(link::u16le(state().status, 69), 190);
    press(kit::WindowId::temp_select, "EXIT");
}

TEST_F(SettingRoad, MiscEditsTheGrainSetpointWithTheKeypad) {
    // Moisture-control mode 5: "MISC" edits the grain setpoint at 149.
    stand_in->set(sim::ActionKind::set8, link::off::mc_mode_flags, 5);
    stand_in->set(sim::ActionKind::set16le, 149, 105);
    ASSERT_TRUE(wait_for([] { return state().status.get(link::off::mc_mode_flags) == 5; }, 3000));
    ASSERT_TRUE(window->main_screen_shown());
    Keys keys{{"1", "2", "0", "ACCEPT"}, {}};
    keys.arm();
    press(shell::command::misc);
    ASSERT_TRUE(wait_for([] { return stand_in->count("applied item 149 n=2: 0x78 0x00") >= 1; }, 2000));
    ASSERT_TRUE(wait_for([] { return !state().flags.raised(link::row::grain_setpoint); }, 2000));
}

// Moisture-control mode 4: "MISC" opens the moisture setpoint; a value typed
// on its keypad goes out under item 199 until the stand-in echoes it, and the
// dialog then shows the controller's value.
TEST_F(SettingRoad, MiscSetsTheMoistureSetpointThroughItsKeypad) {
    stand_in->set(sim::ActionKind::set8, link::off::mc_mode_flags, 4);
    ASSERT_TRUE(wait_for([] { return state().status.get(link::off::mc_mode_flags) == 4; }, 3000));
    QString shown;
    on_next_modal(nullptr, [&shown](QWidget* dialog) {
        on_next_modal(dialog, [](QWidget* pad) {
            for (const char* k : {"1", "6", "5", "ACCEPT"}) {
                QTest::mouseClick(pad->findChild<QPushButton*>(QString::fromUtf8(k)), Qt::LeftButton);
            }
        });
        QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("MODIFY SETPOINT")), Qt::LeftButton);
        auto* value = dialog->findChild<QLabel*>(QStringLiteral("VALUE"));
        EXPECT_TRUE(wait_for([value] { return value->text() == QStringLiteral("16.5 %"); }, 2000)) << value->text().toStdString();
        shown = value->text();
        QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("EXIT")), Qt::LeftButton);
    });
    press(shell::command::misc);
    ASSERT_TRUE(wait_for([] { return stand_in->count("applied item 199 n=2: 0x00 0xA5") >= 1; }, 2000));
    ASSERT_TRUE(wait_for([] { return !state().flags.raised(link::row::moisture_setpoint); }, 2000));
    EXPECT_EQ(shown, QStringLiteral("16.5 %"));
}

// The controller's meter roll event (bit 7 of 159 turning) opens the speed
// dialog once; CANCEL hands the controller's own speeds back under item 160.
TEST_F(SettingRoad, MeterRollEventOpensTheSpeedDialogAndCancelHandsBack) {
    // The controller's working speed 160 moved off its stored high speed.
    stand_in->set(sim::ActionKind::set8, link::off::mc_mode_flags, 2);
    stand_in->set(sim::ActionKind::set8, link::off::meter_roll_control_159 + 1, 99);
    ASSERT_TRUE(wait_for([] { return state().status.get(link::off::mc_mode_flags) == 2; }, 3000));
    QString opened;
    on_next_modal(nullptr, [&opened](QWidget* dialog) {
        opened = dialog->objectName();
        QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("CANCEL / EXIT")), Qt::LeftButton);
    });
    const int before = stand_in->count("applied item 160 n=3");
    const std::uint8_t control = state().status.get(link::off::meter_roll_control_159);
    stand_in->set(sim::ActionKind::set8, link::off::meter_roll_control_159, control ^ 0x80u);
    ASSERT_TRUE(wait_for([&opened] { return !opened.isEmpty(); }, 3000));
    EXPECT_EQ(opened, QStringLiteral("MODIFYING METER ROLL SPEED SETPOINTS (Use knob on control panel) - 23"));
    ASSERT_TRUE(wait_for([before] { return stand_in->count("applied item 160 n=3") > before; }, 2000));
    EXPECT_EQ(link::load(state().values.meter_roll_screen_open), 0);
}

// A shutdown reported by the controller is recorded once by the receive
// thread, listed on the history screen, and its help opens from there,
// marked as the history's own so that it stays open after the condition.
TEST_F(SettingRoad, ShutdownIsRecordedAndItsHelpOpensFromTheHistory) {
    namespace off = link::off;
    stand_in->set(sim::ActionKind::shutdown, 14, 5);
    ASSERT_TRUE(wait_for([] { return state().status.get(off::shutdown_node) == 14 && state().status.get(off::shutdown_code) == 5; }, 3000));
    stand_in->set(sim::ActionKind::clear, 0, 0);
    ASSERT_TRUE(wait_for([] { return state().status.get(off::shutdown_code) == 0; }, 3000));

    QStringList rows;
    QString help_title;
    bool help_owned = false;
    on_next_modal(nullptr, [&](QWidget* history) {
        auto* list = history->findChild<QTreeWidget*>(QStringLiteral("SHUTDOWN_LIST"));
        if (!list || list->topLevelItemCount() == 0) {
            qobject_cast<QDialog*>(history)->reject();
            return;
        }
        for (int i = 0; i < list->topLevelItemCount(); ++i) rows << list->topLevelItem(i)->text(0);
        list->topLevelItem(0)->setSelected(true);
        on_next_modal(history, [&](QWidget* help) {
            help_title = help->objectName();
            if (auto* h = qobject_cast<views::WarningHelpDialog*>(help)) help_owned = h->owned_by_history();
            qobject_cast<QDialog*>(help)->accept();
        });
        QTest::mouseClick(history->findChild<QPushButton*>(QStringLiteral("Show Help File")), Qt::LeftButton);
        qobject_cast<QDialog*>(history)->reject();
    });
    window->open_dialog(kit::DialogId::shutdown_history, window);

    ASSERT_EQ(rows.size(), 1) << rows.join(QStringLiteral(" | ")).toStdString();
    EXPECT_TRUE(rows[0].startsWith(QStringLiteral("0E05 "))) << rows[0].toStdString();
    EXPECT_EQ(help_title, QStringLiteral("Shutdown Help File - 34"));
    EXPECT_TRUE(help_owned);
}


// Staged batch chosen on the drying mode dialog reaches the controller, and
// the main screen follows its report: the batch timers in place of the
// averages. Continuous flow brings the averages back.
TEST_F(SettingRoad, DryingModeReachesTheDryerAndTheMainScreenFollows) {
    namespace off = link::off;
    namespace row = link::row;
    // Presses `keys` on the drying mode dialog and `setup_keys` on the
    // moisture control setup it opens.
    const auto click_all = [](QWidget* dialog, const std::vector<const char*>& keys) {
        for (const char* k : keys) {
            auto* b = dialog->findChild<QPushButton*>(QString::fromUtf8(k));
            ASSERT_NE(b, nullptr) << k;
            QTest::mouseClick(b, Qt::LeftButton);
        }
    };
    const auto drying_mode = [click_all](std::vector<const char*> keys, std::vector<const char*> setup_keys) {
        press(shell::command::setup);
        auto* menu = qobject_cast<SetupMenuWindow*>(screen(kit::WindowId::setup_selection));
        ASSERT_NE(menu, nullptr);
        on_next_modal(nullptr, [click_all, keys, setup_keys](QWidget* dialog) {
            if (!setup_keys.empty()) on_next_modal(dialog, [click_all, setup_keys](QWidget* m) { click_all(m, setup_keys); });
            click_all(dialog, keys);
        });
        QTest::mouseClick(menu->button(QStringLiteral("DRYING_MODE")), Qt::LeftButton);
        QTest::mouseClick(menu->exit_button(), Qt::LeftButton);
    };
    drying_mode({"STAGED BATCH", "MOISTURE CONTROL SETUP"}, {"TEMPERATURE", "ACCEPT"});
    ASSERT_TRUE(wait_for([] { return stand_in->status(off::drying_mode) == 1; }, 3000));
    ASSERT_TRUE(wait_for([] {
        return !state().flags.raised(row::drying_mode) && !state().flags.raised(row::mc_mode) &&
               !state().flags.raised(row::system_flags);
    }, 3000));
    EXPECT_EQ(stand_in->status(off::system_flags_257) & 0x20, 0x20);
    ASSERT_TRUE(window->main_screen_shown());
    ASSERT_TRUE(wait_for([] { return screen(kit::WindowId::batch_drying)->isVisible(); }, 2000));
    EXPECT_FALSE(screen(kit::WindowId::average_values)->isVisible());

    drying_mode({"CONTINUOUS FLOW", "ACCEPT"}, {});
    ASSERT_TRUE(wait_for([] { return state().status.get(off::drying_mode) == 0; }, 3000));
    EXPECT_EQ(stand_in->status(off::mc_mode_flags), 1);
    ASSERT_TRUE(wait_for([] { return !screen(kit::WindowId::batch_drying)->isVisible(); }, 2000));
    EXPECT_TRUE(screen(kit::WindowId::average_values)->isVisible());
}

}  // namespace
}  // namespace dryer::setup

int main(int argc, char** argv) {
    QApplication a(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
