// The auto-start screens as the operator meets them: the panel's main window
// with every registered screen under the offscreen platform, the built
// language files, the setup menu's auto-start button, the configuration
// screen, the confirmation and "QS" with the status dialog, checked against
// the settings image and the change flags.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <cstdlib>
#include <memory>

#include "autostart/auto_start/auto_start_windows.h"
#include "link/fields.h"
#include "link/reply_table.h"
#include "setup/setup_selection/setup_selection_window.h"
#include "shell/main_buttons.h"
#include "shell/main_window.h"
#include "shell/screen_registry.h"
#include "tests/l10n/test_root.h"
#include "tests/setup/modal_watch.h"
#include "views/scene/texts.h"

namespace dryer::autostart {
namespace {

using kit::WindowId;
namespace off = link::off;
namespace row = link::row;

std::filesystem::path built_languages() {
    const char* dir = std::getenv("DRYER_BINARY_DIR");
    return std::filesystem::path(dir ? dir : ".") / "panel-root" / "Hard Disk" / "Languages";
}

// Presses the named button of the next modal dialog once it is up.
void answer_next(const char* button) {
    setup::test::on_next_modal(nullptr, [button](QWidget* m) {
        auto* b = m->findChild<QPushButton*>(QString::fromLatin1(button));
        if (!b) {
            ADD_FAILURE() << "no " << button << " on " << m->windowTitle().toStdString();
            m->close();
            return;
        }
        QTest::mouseClick(b, Qt::LeftButton);
    });
}

struct AutoStartRoad : ::testing::Test {
    l10n::testing::TempRoot root;
    link::LinkState state;
    views::TableTexts texts;
    std::unique_ptr<shell::MainWindow> w;

    void SetUp() override {
        std::filesystem::create_directory_symlink(built_languages(), root.hard_disk() / "Languages");
        state.status.set(off::status_280, 0x40);  // auto-start offered, continuous flow
        state.status.set(off::options_279, 0x0C);
        w = std::make_unique<shell::MainWindow>(state, texts, shell::screen_registry(), shell::dialog_registry());
        w->create_child_windows();
        w->show();
    }
    AutoStartWindow* config() const { return qobject_cast<AutoStartWindow*>(w->window(WindowId::auto_start_config)); }
    QPushButton* config_button(const char* name) const {
        return config()->findChild<QPushButton*>(QString::fromLatin1(name));
    }
    // SETUP, then the hardware menu's auto-start button with its notice
    // answered; a message box after the notice is recorded in *box and closed.
    void open_auto_start(QString* box = nullptr) {
        // The main buttons take presses again a moment after a screen closed.
        while (!w->main_buttons_ready()) QTest::qWait(20);
        QTest::mouseClick(w->button(shell::command::setup), Qt::LeftButton);
        auto* menu = qobject_cast<setup::SetupMenuWindow*>(w->window(WindowId::setup_selection));
        menu->refresh();
        QPushButton* b = menu->button(QStringLiteral("AUTO_START_SETUP"));
        ASSERT_TRUE(b->isVisible() && b->isEnabled());
        setup::test::on_next_modal(nullptr, [box](QWidget* notice) {
            if (box) {
                setup::test::on_next_modal(notice, [box](QWidget* m) {
                    auto* mb = qobject_cast<QMessageBox*>(m);
                    *box = m->windowTitle() + QStringLiteral(" / ") + (mb ? mb->text() : QString());
                    m->close();
                });
            }
            QTest::mouseClick(notice->findChild<QPushButton*>(QStringLiteral("OK")), Qt::LeftButton);
        });
        QTest::mouseClick(b, Qt::LeftButton);
    }
};

TEST_F(AutoStartRoad, grain_exit_initiate_then_qs_and_cancel) {
    open_auto_start();
    ASSERT_TRUE(config()->isVisible());
    EXPECT_FALSE(w->window(WindowId::setup_selection)->isVisible());
    EXPECT_TRUE(config()->screen_open());

    // Rye, then EXIT: the grain goes out, the main screen comes back.
    QTest::mouseClick(config_button("Rye"), Qt::LeftButton);
    QTest::mouseClick(config_button("EXIT"), Qt::LeftButton);
    EXPECT_TRUE(state.flags.raised(row::autostart));
    EXPECT_EQ(state.settings.get(off::autostart_285), 10);
    EXPECT_FALSE(config()->isVisible());
    EXPECT_TRUE(w->main_screen_shown());
    EXPECT_EQ(state.values.view_switching_enabled.load(), 1);
    state.status.set(off::autostart_285, 10);  // the echo
    state.flags.lower(row::autostart);

    // Moisture page: both values shown; INITIATE, Yes: the request goes out.
    open_auto_start();
    QTest::mouseClick(config_button("Moisture Settings"), Qt::LeftButton);
    EXPECT_FALSE(config_button("Rye")->isVisible());
    EXPECT_TRUE(config_button("MOISTURE VALUE CONTINUE")->isVisible());
    answer_next("Yes");
    QTest::mouseClick(config_button("INITIATE"), Qt::LeftButton);
    EXPECT_TRUE(state.flags.raised(row::hardware_options));
    EXPECT_TRUE(state.flags.raised(row::autostart));
    EXPECT_EQ(state.settings.get(off::options_279), 0x0D);
    EXPECT_FALSE(config()->isVisible());
    EXPECT_TRUE(w->main_screen_shown());

    // Not echoed: no QS. Echoed: QS shown and opens the status dialog.
    w->apply_button_bar_layout();
    EXPECT_FALSE(w->button(shell::command::quick_start)->isVisible());
    state.status.set(off::options_279, 0x0D);
    state.status.set(off::status_280, 0x42);
    state.status.set_u16le(off::autostart_318, 1200);
    state.status.set_u16le(off::autostart_320, 900);
    state.flags.lower(row::hardware_options);
    state.flags.lower(row::autostart);
    w->apply_button_bar_layout();
    QPushButton* qs = w->button(shell::command::quick_start);
    ASSERT_TRUE(qs->isVisible());
    ASSERT_TRUE(qs->isEnabled());

    // In the status dialog: Cancel Auto-Start, Yes sends 279 with bit 0 cleared.
    bool cancel_enabled = false;
    setup::test::on_next_modal(nullptr, [&](QWidget* m) {
        auto* cancel = m->findChild<QPushButton*>(QStringLiteral("Cancel   Auto-Start"));
        cancel_enabled = cancel->isEnabled();
        answer_next("Yes");
        QTest::mouseClick(cancel, Qt::LeftButton);
    });
    while (!w->main_buttons_ready()) QTest::qWait(20);
    QTest::mouseClick(qs, Qt::LeftButton);
    EXPECT_TRUE(cancel_enabled);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_TRUE(state.flags.raised(row::hardware_options));
    EXPECT_EQ(state.settings.get(off::options_279), 0x0C);
    EXPECT_FALSE(state.flags.raised(row::autostart));
}

TEST_F(AutoStartRoad, refused_while_the_dryer_runs_and_continue_sends_nothing) {
    state.status.set(off::status_188, 0x40);
    QString box;
    open_auto_start(&box);
    EXPECT_EQ(box, QStringLiteral("ATTENTION / Cannot initiate auto-start with dryer running."));
    EXPECT_FALSE(config()->isVisible());
    EXPECT_TRUE(w->window(WindowId::setup_selection)->isVisible());

    state.status.set(off::status_188, 0);
    open_auto_start();
    ASSERT_TRUE(config()->isVisible());
    QTest::mouseClick(config_button("Oats"), Qt::LeftButton);
    config_button("CONTINUE")->click();  // lies under INITIATE
    EXPECT_FALSE(config()->isVisible());
    EXPECT_TRUE(w->main_screen_shown());
    for (int r = 1; r <= static_cast<int>(link::kReplyRowCount); ++r) EXPECT_FALSE(state.flags.raised(r)) << r;
}

}  // namespace
}  // namespace dryer::autostart
