// The setup screens and keypads as real widgets under the offscreen
// platform: buttons pressed with QTest, modal keypads and message boxes
// driven as the operator would, and the settings image and change flags
// checked afterwards.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>

#include "modal_watch.h"
#include "link/link_state.h"
#include "platform/panel_paths.h"
#include "setup/batch_timers/batch_drying_window.h"
#include "setup/keypads/keypad_dialogs.h"
#include "setup/temp_select/temp_select_window.h"
#include "setup/timer_select/timer_select_window.h"

namespace dryer::setup {
namespace {

QApplication& app() { return *qobject_cast<QApplication*>(QCoreApplication::instance()); }

using test::on_next_modal;

// Clicks a shown button; a missing one fails the test and closes the
// dialog it was looked for in, so no modal loop is left waiting.
void click(QWidget* root, const char* name) {
    auto* b = root->findChild<QPushButton*>(QString::fromUtf8(name));
    if (!b || !b->isVisible()) {
        ADD_FAILURE() << "no shown button " << name;
        if (auto* d = qobject_cast<QDialog*>(root)) d->reject();
        return;
    }
    QTest::mouseClick(b, Qt::LeftButton);
}

// Presses keys on the keypad that opens next; when a message box follows,
// records its title and text and closes it.
struct KeypadRun {
    explicit KeypadRun(std::vector<const char*> k) : keys(std::move(k)) {}
    std::vector<const char*> keys;
    QString display_at_open;
    QString title;
    QString box_title;
    QString box_text;
    void arm() {
        on_next_modal(nullptr, [this](QWidget* dialog) {
            title = dialog->windowTitle();
            display_at_open = dialog->findChild<QLabel*>(QStringLiteral("DISPLAY"))->text();
            for (const char* k : keys) {
                QPointer<QTimer> box_watch;
                if (std::string(k) == "ACCEPT") {
                    box_watch = on_next_modal(dialog, [this](QWidget* box) {
                        auto* mb = qobject_cast<QMessageBox*>(box);
                        ASSERT_NE(mb, nullptr);
                        box_title = mb->windowTitle();
                        box_text = mb->text();
                        mb->accept();
                    });
                }
                click(dialog, k);
                delete box_watch.data();  // an accepted value shows no box
            }
        });
    }
};

class SetupWidgets : public ::testing::Test {
protected:
    void SetUp() override { app(); }
    link::LinkState state;
};

std::string numbered(unsigned n) { return "T" + std::to_string(n); }

TEST_F(SetupWidgets, TempSelectWindowNamesAndVisibleButtons) {
    state.status.set(link::off::fan_heater_count, 3);
    TempSelectWindow w(state);
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    EXPECT_EQ(w.objectName(), "TEMP_SELECT_WINDOW");
    EXPECT_EQ(w.size(), QSize(640, 475));
    EXPECT_EQ(w.plenum_window()->objectName(), "PLENUM_SETPOINT_CHILD_WINDOW");
    EXPECT_EQ(w.grain_window()->objectName(), "GRAIN_TEMP_SETPOINT_CHILD_WINDOW");
    EXPECT_EQ(w.caption(), " SELECT TEMPERATURE SETPOINT TO MODIFY - 02");
    QStringList shown;
    for (auto* b : w.plenum_window()->findChildren<QPushButton*>()) {
        if (b->isVisible()) shown << b->objectName();
    }
    shown.sort();
    EXPECT_EQ(shown, (QStringList{"Plenum 1 setpoint", "Plenum 2 setpoint", "Plenum 3 setpoint",
                                  "Plenum 4 setpoint"}));
    // Switching to dual plenum on the next refresh swaps the buttons.
    state.status.set(link::off::drying_mode, 1);
    state.status.set(link::off::system_flags_257, 0x02);
    w.refresh();  // what the decoder's redraw bits call
    ASSERT_NE(w.findChild<QPushButton*>("Plenum low"), nullptr);
    EXPECT_TRUE(w.findChild<QPushButton*>("Plenum low")->isVisible());
    EXPECT_TRUE(w.findChild<QPushButton*>("Grain low")->isVisible());
    EXPECT_EQ(w.findChild<QPushButton*>("Plenum 1 setpoint"), nullptr);
}

TEST_F(SetupWidgets, PlenumSetpointAcceptedIsWrittenThenFlagged) {
    state.status.set_u16le(69, 180);
    TempSelectWindow w(state);
    w.show();
    KeypadRun run({"1", "9", "0", "ACCEPT"});
    run.arm();
    click(&w, "Plenum 1 setpoint");
    EXPECT_EQ(run.title, "Modifying Temperature Setpoint - 22");
    EXPECT_EQ(run.display_at_open, QString::fromUtf8(" 180 \u00B0F "));
    EXPECT_TRUE(run.box_title.isEmpty());
    EXPECT_EQ(state.settings.get(69), 0xBE);
    EXPECT_EQ(state.settings.get(70), 0x00);
    EXPECT_TRUE(state.flags.raised(link::row::plenum1_setpoint));
}

TEST_F(SetupWidgets, OutOfRangeWarnsAndStoresNothing) {
    state.status.set_u16le(69, 180);
    TempSelectWindow w(state);
    w.show();
    KeypadRun run({"2", "5", "1", "ACCEPT"});
    run.arm();
    click(&w, "Plenum 1 setpoint");
    EXPECT_EQ(run.box_title, "WARNING!");
    EXPECT_EQ(run.box_text, "The value entered is out of range.");
    EXPECT_EQ(link::u16le(state.settings, 69), 180);
    EXPECT_FALSE(state.flags.raised(link::row::plenum1_setpoint));
}

TEST_F(SetupWidgets, CelsiusKeypadShowsAndStoresInShownUnit) {
    state.status.set_u16le(149, 105);
    link::store(state.values.si_units, 1);
    TempSelectWindow w(state);
    w.show();
    KeypadRun run({"4", "5", "ACCEPT"});
    run.arm();
    click(&w, "Grain setpoint");
    EXPECT_EQ(run.display_at_open, QString::fromUtf8(" 040 \u00B0C "));
    EXPECT_EQ(link::u16le(state.settings, 149), 113);  // 45 C
    EXPECT_TRUE(state.flags.raised(link::row::grain_setpoint));
}

TEST_F(SetupWidgets, CancelLeavesTheSettingAlone) {
    state.status.set_u16le(67, 150);
    state.status.set(link::off::fan_heater_count, 1);
    TempSelectWindow w(state);
    w.show();
    KeypadRun run({"9", "9", "CANCEL"});
    run.arm();
    click(&w, "Plenum 2 setpoint");
    EXPECT_FALSE(state.flags.raised(link::row::plenum6_setpoint + 4));
    EXPECT_EQ(link::u16le(state.settings, 67), 150);
}

TEST_F(SetupWidgets, ExitReturnsToMainOrAutoStart) {
    TempSelectWindow w(state);
    w.show();
    QSignalSpy to_main(&w, &TempSelectWindow::exit_to_main);
    QSignalSpy to_auto(&w, &TempSelectWindow::exit_to_auto_start);
    click(&w, "EXIT");
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(to_main.count(), 1);
    w.show();
    w.set_auto_start_active(true);
    click(&w, "EXIT");
    EXPECT_EQ(to_auto.count(), 1);
    EXPECT_EQ(to_main.count(), 1);
}

TEST_F(SetupWidgets, TimerKeypadStoresMinutesAndSeconds) {
    state.status.set(31, 1);
    TimerSelectWindow w(state);
    w.show();
    EXPECT_EQ(w.objectName(), "TIMER_SELECT_WINDOW");
    EXPECT_EQ(w.child(0)->objectName(), "LOAD_DELAY_CHILD_WINDOW");
    EXPECT_EQ(w.child(3)->objectName(), "UNLOAD_DELAY_CHILD_WINDOW");
    KeypadRun run({"MIN_2", "SEC_3", "SEC_0", "ACCEPT"});
    run.arm();
    click(&w, "Load Startup Delay");
    EXPECT_EQ(run.title, "MODIFYING TIMER SETPOINT - 21");
    EXPECT_EQ(run.display_at_open, " 001 : 00 ");
    EXPECT_EQ(state.settings.get(31), 0x02);
    EXPECT_EQ(state.settings.get(32), 0x1E);
    EXPECT_TRUE(state.flags.raised(link::row::load_startup_delay));
}

TEST_F(SetupWidgets, FanDelayOutOfRangeRefused) {
    state.status.set(47, 3);
    TimerSelectWindow w(state);
    w.show();
    KeypadRun run({"SEC_2", "SEC_6", "ACCEPT"});
    run.arm();
    click(&w, "Fan Delay");
    EXPECT_EQ(run.box_title, "WARNING!");
    EXPECT_FALSE(state.flags.raised(link::row::fan_start_delay));
    EXPECT_EQ(state.settings.get(47), 3);
}

TEST_F(SetupWidgets, CoolDownTimerDefault) {
    state.status.set(269, 5);
    TimerSelectWindow w(state);
    w.show();
    KeypadRun run({"DEFAULT", "ACCEPT"});
    run.arm();
    click(&w, "Cool Down Timer");
    EXPECT_EQ(state.settings.get(269), 0);
    EXPECT_TRUE(state.flags.raised(link::row::cool_down_timer));
}

TEST_F(SetupWidgets, BatchWindowButtonsAndKeypad) {
    state.status.set(link::off::drying_mode, 1);
    BatchDryingWindow w(state, nullptr, numbered);
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    EXPECT_EQ(w.objectName(), "BATCH_DRYING_WINDOW");
    EXPECT_TRUE(w.button(BatchButton::heat)->isVisible());
    EXPECT_FALSE(w.button(BatchButton::hi_heat)->isVisible());
    // A redraw request alone (as the decoder's bits give) shows the new mode.
    state.status.set(link::off::system_flags_257, 0x02);
    w.refresh();  // what the decoder's redraw bits call
    EXPECT_FALSE(w.button(BatchButton::heat)->isVisible());
    EXPECT_TRUE(w.button(BatchButton::lo_heat)->isVisible());

    KeypadRun run({"DEFAULT", "ACCEPT"});
    run.arm();
    click(&w, "COOL");
    EXPECT_EQ(state.settings.get(16), 20);
    EXPECT_EQ(state.settings.get(17), 0);
    EXPECT_TRUE(state.flags.raised(link::row::batch_cool_time));
}

TEST_F(SetupWidgets, HeldButtonAsksOnSecondTickAndYesRestartsTheStage) {
    state.status.set(link::off::drying_mode, 1);
    state.status.set(21, 10);  // unload stage 10:00, 4:00 left
    state.status.set(19, 4);
    BatchDryingWindow w(state, nullptr, [](unsigned n) { return n == 515 ? "Reset?" : "Restart at %d:%02d"; });
    w.show();
    w.button(BatchButton::unload)->setDown(true);
    // The housekeeping reads the held group and asks on its second tick.
    EXPECT_EQ(w.pressed_groups(), (std::array<bool, 4>{false, false, false, true}));
    EXPECT_FALSE(w.single_heat_pressed());
    EXPECT_FALSE(state.flags.raised(link::row::batch_unload_remaining));
    QString title;
    QString text;
    on_next_modal(nullptr, [&](QWidget* m) {
        auto* mb = qobject_cast<QMessageBox*>(m);
        ASSERT_NE(mb, nullptr);
        title = mb->windowTitle();
        text = mb->text();
        QTest::mouseClick(mb->button(QMessageBox::Yes), Qt::LeftButton);
    });
    w.ask_stage_reset(3, false);
    EXPECT_EQ(title, "Reset?");
    EXPECT_EQ(text, "Restart at 10:00");
    EXPECT_EQ(state.settings.get(19), 10);
    EXPECT_EQ(state.settings.get(20), 0);
    EXPECT_TRUE(state.flags.raised(link::row::batch_unload_remaining));
    EXPECT_FALSE(w.button(BatchButton::unload)->isDown());
}

TEST_F(SetupWidgets, HeldButtonNoWritesNothing) {
    state.status.set(link::off::drying_mode, 1);
    state.status.set(16, 20);
    BatchDryingWindow w(state, nullptr, numbered);
    w.show();
    w.button(BatchButton::cool)->setDown(true);
    EXPECT_EQ(w.pressed_groups(), (std::array<bool, 4>{false, false, true, false}));
    on_next_modal(nullptr, [](QWidget* m) {
        QTest::mouseClick(qobject_cast<QMessageBox*>(m)->button(QMessageBox::No), Qt::LeftButton);
    });
    w.ask_stage_reset(2, false);
    EXPECT_FALSE(state.flags.raised(link::row::batch_cool_remaining));
    EXPECT_EQ(state.settings.get(14), 0);
    // A hidden window reports no button held, so nothing is asked.
    w.hide();
    w.button(BatchButton::cool)->setDown(true);
    EXPECT_EQ(w.pressed_groups(), (std::array<bool, 4>{}));
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

}  // namespace
}  // namespace dryer::setup

// One QApplication for the whole program, destroyed before exit; the panel
// root is an empty folder of its own, so the screens run without language
// files and show their built-in captions.
int main(int argc, char** argv) {
    QApplication a(argc, argv);
    QTemporaryDir root;
    dryer::platform::set_panel_root(root.path().toStdString());
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
