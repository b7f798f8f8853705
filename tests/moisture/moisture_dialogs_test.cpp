// The moisture-control setup dialogs as real widgets under the offscreen
// platform: one road per dialog, pressed as the operator would, then the
// settings image and change flags checked.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include "link/fields.h"
#include "link/link_state.h"
#include "setup/moisture/moisture_dialogs.h"
#include "shell/auto_repeat.h"
#include "tests/setup/modal_watch.h"

namespace dryer::setup {
namespace {

namespace off = link::off;
namespace row = link::row;
using test::on_next_modal;

std::string no_text(unsigned) { return {}; }

void click(QWidget* root, const char* name) {
    auto* b = root->findChild<QPushButton*>(QString::fromUtf8(name));
    ASSERT_NE(b, nullptr) << name;
    ASSERT_TRUE(b->isVisible() && b->isEnabled()) << name;
    QTest::mouseClick(b, Qt::LeftButton);
}

// Answers the next message box with `button`, remembering its title.
void answer_next_box(QWidget* over, QMessageBox::StandardButton button, QString* title) {
    on_next_modal(over, [button, title](QWidget* w) {
        auto* box = qobject_cast<QMessageBox*>(w);
        ASSERT_NE(box, nullptr);
        *title = box->windowTitle();
        box->button(button)->click();
    });
}

class MoistureDialogs : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_NE(qApp, nullptr); }
    link::LinkState state;
};

TEST_F(MoistureDialogs, SetpointTypedOnTheKeypadShowsWhileTypingAndIsSent) {
    state.status.set(off::moisture_setpoint + 1, 140);
    MoistureSetpointDialog dialog(nullptr, state, no_text, 3);
    dialog.show();
    auto* value = dialog.findChild<QLabel*>(QStringLiteral("VALUE"));
    EXPECT_EQ(value->text(), QStringLiteral("14.0 %"));
    QString while_typing;
    on_next_modal(&dialog, [&](QWidget* pad) {
        EXPECT_EQ(pad->objectName(), QStringLiteral("MODIFY M/C SETPOINT"));
        for (const char* k : {"1", "5", "5"}) click(pad, k);
        while_typing = value->text();
        click(pad, "ACCEPT");
    });
    click(&dialog, "MODIFY SETPOINT");
    EXPECT_EQ(while_typing, QStringLiteral("15.5 %"));
    EXPECT_EQ(link::u16be(state.settings, off::moisture_setpoint), 155);
    EXPECT_TRUE(state.flags.raised(row::moisture_setpoint));
    EXPECT_FALSE(state.flags.raised(row::moisture_281));
}

TEST_F(MoistureDialogs, AutoStartValueKeptWhenNothingIsTyped) {
    state.status.set(off::moisture_281, 200);
    MoistureSetpointDialog dialog(nullptr, state, no_text, 4);
    dialog.show();
    EXPECT_EQ(dialog.findChild<QLabel*>(QStringLiteral("VALUE"))->text(), QStringLiteral("20.0 %"));
    on_next_modal(&dialog, [](QWidget* pad) { click(pad, "ACCEPT"); });
    click(&dialog, "MODIFY SETPOINT");
    EXPECT_FALSE(state.flags.raised(row::moisture_281));
    EXPECT_FALSE(state.flags.raised(row::moisture_setpoint));
}

TEST_F(MoistureDialogs, MeterRollHeldIncreaseRepeatsAndAcceptSendsTheSpeed) {
    state.status.set(off::mc_mode_flags, 2);  // three bars
    state.status.set(157, 50);
    state.settings.set(off::meter_roll_control_159, 1);  // main selected
    {
        MeterRollDialog dialog(nullptr, state, no_text);
        dialog.show();
        EXPECT_EQ(link::load(state.values.meter_roll_screen_open), 1);
        click(&dialog, "INCREASE");
        // Held: the display timer's ticks repeat it after the delay.
        auto* inc = dialog.findChild<QPushButton*>(QStringLiteral("INCREASE"));
        inc->setDown(true);
        for (std::uint32_t i = 0; i < shell::AutoRepeat::kDelay + 3; ++i) shell::auto_repeat_service().tick();
        inc->setDown(false);
        EXPECT_EQ(dialog.model().speed(Speed::main), 54);
        click(&dialog, "ACCEPT / EXIT");
    }
    EXPECT_EQ(state.settings.get(157), 54);
    EXPECT_TRUE(state.flags.raised(row::meter_roll_speed_157));
    EXPECT_FALSE(state.flags.raised(row::meter_roll_speed_156));
    EXPECT_EQ(link::load(state.values.meter_roll_screen_open), 0);
}

TEST_F(MoistureDialogs, MeterRollTrackingAskedBeforeItIsTurnedOn) {
    state.status.set(off::mc_mode_flags, 2);
    MeterRollDialog dialog(nullptr, state, no_text);
    dialog.show();
    QString title;
    answer_next_box(&dialog, QMessageBox::No, &title);
    click(&dialog, "SCHEME");
    EXPECT_EQ(title, QStringLiteral(" SWITCH TO +/- 15% TRACKING OF CENTER"));
    EXPECT_FALSE(state.flags.raised(row::mc_mode));
    answer_next_box(&dialog, QMessageBox::Yes, &title);
    click(&dialog, "SCHEME");
    EXPECT_EQ(state.settings.get(off::mc_mode_flags), 0x22);
    EXPECT_TRUE(state.flags.raised(row::mc_mode));
    click(&dialog, "CANCEL / EXIT");
    EXPECT_TRUE(state.flags.raised(row::meter_roll_speeds_160_back));
}

TEST_F(MoistureDialogs, UnloadAcceptWithCrossedRatesSetsDefaultsOnYes) {
    state.status.set(off::unload_rate_max + 1, 40);
    state.status.set(off::unload_rate_min + 1, 60);
    bool warned = false;
    UnloadDialog dialog(nullptr, state, no_text, warned);
    dialog.show();
    QString title;
    answer_next_box(&dialog, QMessageBox::Yes, &title);
    click(&dialog, "ACCEPT");
    EXPECT_EQ(title, QStringLiteral(" ERROR SETTING MAX / MIN UNLOAD RATES"));
    EXPECT_EQ(link::u16be(state.settings, off::unload_rate_max), 80);
    EXPECT_EQ(link::u16be(state.settings, off::unload_rate_min), 5);
    EXPECT_TRUE(state.flags.raised(row::unload_rate_max));
    EXPECT_TRUE(state.flags.raised(row::unload_rate_min));
}

TEST_F(MoistureDialogs, TempManagerAndFiveSpeedSendOnlyWhatChanged) {
    {
        TempManagerDialog dialog(nullptr, state, no_text);
        dialog.show();
        click(&dialog, "SELECT ON / OFF");
        click(&dialog, "STEP INCREASE");
        click(&dialog, "ACCEPT");
    }
    EXPECT_EQ(state.settings.get(off::plenum_temp_manager), 0x81);
    EXPECT_TRUE(state.flags.raised(row::plenum_temp_manager));

    state.status.set(off::mc_mode_flags, 4);
    for (std::size_t i = 0; i < 4; ++i) state.status.set(off::mc5_226 + i, std::array<std::uint8_t, 4>{6, 3, 6, 3}[i]);
    five_speed_pair() = FivePair::outer;
    {
        FiveSpeedDialog dialog(nullptr, state, no_text);
        dialog.show();
        click(&dialog, "SELECT");  // the inner pair
        click(&dialog, "LIMIT INC");
        click(&dialog, "ACCEPT / EXIT");
    }
    EXPECT_EQ(five_speed_pair(), FivePair::inner);  // kept for the next opening
    EXPECT_EQ(state.settings.get(off::mc5_227), 4);
    EXPECT_TRUE(state.flags.raised(row::mc5_226 + 1));
    EXPECT_FALSE(state.flags.raised(row::mc5_226));
}

}  // namespace
}  // namespace dryer::setup

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
