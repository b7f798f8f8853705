// The setup menus as the operator meets them: the panel's main window with
// every registered screen under the offscreen platform, the real button
// pictures and language files of the built panel root, and the dialogs
// answered through their own buttons.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <cstdlib>
#include <memory>

#include "kit/fit_text.h"
#include "kit/panel_style.h"
#include "l10n/language.h"
#include "link/fields.h"
#include "setup/setup_selection/setup_selection_window.h"
#include "shell/main_buttons.h"
#include "shell/main_window.h"
#include "shell/screen_registry.h"
#include "tests/l10n/test_root.h"
#include "tests/setup/modal_watch.h"
#include "views/scene/texts.h"

namespace dryer::setup {
namespace {

using kit::WindowId;
namespace off = link::off;

std::filesystem::path built_languages() {
    const char* dir = std::getenv("DRYER_BINARY_DIR");
    return std::filesystem::path(dir ? dir : ".") / "panel-root" / "Hard Disk" / "Languages";
}

std::vector<int> raised_rows(const link::LinkState& s) {
    std::vector<int> r;
    for (int i = 1; i <= static_cast<int>(link::kReplyRowCount); ++i)
        if (s.flags.raised(i)) r.push_back(i);
    return r;
}

struct SetupMenusRoad : ::testing::Test {
    l10n::testing::TempRoot root;
    link::LinkState state;
    views::TableTexts texts;
    std::unique_ptr<shell::MainWindow> w;

    void SetUp() override {
        std::filesystem::create_directory_symlink(built_languages(), root.hard_disk() / "Languages");
        w = std::make_unique<shell::MainWindow>(state, texts, shell::screen_registry(), shell::dialog_registry());
        w->create_child_windows();
        w->show();
    }
    SetupMenuWindow* menu(WindowId id) const { return qobject_cast<SetupMenuWindow*>(w->window(id)); }
    bool shown(WindowId id) const { return w->window(id)->isVisible(); }
};

TEST_F(SetupMenusRoad, setup_extended_language_and_back_to_the_main_screen) {
    ASSERT_TRUE(w->button(shell::command::setup)->isEnabled());
    QTest::mouseClick(w->button(shell::command::setup), Qt::LeftButton);
    ASSERT_TRUE(shown(WindowId::setup_selection));
    EXPECT_FALSE(w->main_screen_shown());
    EXPECT_EQ(state.values.view_switching_enabled.load(), 0);

    QTest::mouseClick(menu(WindowId::setup_selection)->button(QStringLiteral("EXTENDED_SETUP")), Qt::LeftButton);
    EXPECT_FALSE(shown(WindowId::setup_selection));
    ASSERT_TRUE(shown(WindowId::extended_setup_selection));

    QString caption;
    test::on_next_modal(nullptr, [&caption](QWidget* m) {
        caption = m->windowTitle();
        QTest::mouseClick(m->findChild<QPushButton*>(QStringLiteral("GERMAN")), Qt::LeftButton);
    });
    QTest::mouseClick(menu(WindowId::extended_setup_selection)->button(QStringLiteral("SELECT LANG")), Qt::LeftButton);
    EXPECT_EQ(caption, QStringLiteral("Select Language to Use"));
    EXPECT_EQ(l10n::current_language(), 6);
    EXPECT_TRUE(shown(WindowId::extended_setup_selection));
    EXPECT_TRUE(raised_rows(state).empty());  // the language is the panel's own choice

    QTest::mouseClick(menu(WindowId::extended_setup_selection)->exit_button(), Qt::LeftButton);
    EXPECT_FALSE(shown(WindowId::extended_setup_selection));
    ASSERT_TRUE(shown(WindowId::setup_selection));

    QTest::mouseClick(menu(WindowId::setup_selection)->exit_button(), Qt::LeftButton);
    EXPECT_FALSE(shown(WindowId::setup_selection));
    EXPECT_TRUE(w->main_screen_shown());
    EXPECT_TRUE(shown(WindowId::dryer_picture));
    EXPECT_TRUE(w->button(shell::command::setup)->isVisible());
    EXPECT_EQ(state.values.view_switching_enabled.load(), 1);
}

// One dialog road per row: the menu button, the buttons pressed in the
// dialog (a message box answers Yes), the rows sent and the units shown.
struct DialogRoad {
    const char* name;
    WindowId menu;
    const char* button;
    std::vector<const char*> presses;
    std::vector<int> sent;
    bool celsius;
};

TEST_F(SetupMenusRoad, each_dialog_sends_what_it_changed_and_nothing_else) {
    for (std::size_t at = off::burner_diff_6; at <= off::burner_diff_1; ++at) state.status.set(at, 2);
    const std::vector<DialogRoad> roads{
        {"units_box_only_on_the_panel", WindowId::setup_selection, "TEMP_SCALE", {}, {}, true},
        {"units_dialog_no_changes_nothing", WindowId::extended_setup_selection, "TEMP_SCALE", {"No"}, {}, true},
        // The controller still reports Fahrenheit: back to it sends nothing.
        {"units_dialog_to_fahrenheit", WindowId::extended_setup_selection, "TEMP_SCALE", {"Yes"}, {}, false},
        {"units_dialog_to_celsius", WindowId::extended_setup_selection, "TEMP_SCALE", {"Yes"},
         {link::row::display_options}, true},
        {"burner_differential", WindowId::setup_selection, "BURNER_DIFF",
         {"PLENUM #3", "+/- 4 DEGREES", "ACCEPT / EXIT"}, {link::burner_diff_row(4)}, true},
        {"burner_differential_help_then_accept", WindowId::extended_setup_selection, "BURNER_DIFF",
         {"HELP", "ACCEPT / EXIT"}, {}, true},
        {"clear_batch_counter_cancel", WindowId::setup_selection, "CLEAR_BATCH_COUNT", {"CANCEL"}, {}, true},
        {"clear_batch_counter", WindowId::extended_setup_selection, "CLEAR_BATCH_COUNT", {"Yes"},
         {link::row::batch_counter}, true},
        {"mrr_box", WindowId::setup_selection, "MRR", {}, {link::row::meter_roll_option}, true},
        {"watchdog_modem", WindowId::setup_selection, "MODEM_SETUP", {"MODEM", "10 RINGS", "ACCEPT / EXIT"},
         {link::row::watchdog}, true},
        {"watchdog_cancel", WindowId::setup_selection, "MODEM_SETUP", {"MODEM", "CANCEL"}, {}, true},
        {"user_settings_save", WindowId::extended_setup_selection, "USER_DEFAULTS", {"SAVE SETTINGS"},
         {link::row::display_options}, true},
    };
    for (const DialogRoad& r : roads) {
        SCOPED_TRACE(r.name);
        for (int i = 1; i <= static_cast<int>(link::kReplyRowCount); ++i) state.flags.lower(i);
        menu(r.menu)->show();
        bool acted = false;
        test::on_next_modal(nullptr, [&](QWidget* m) {
            acted = true;
            if (auto* box = qobject_cast<QMessageBox*>(m)) {
                box->button(QMessageBox::Yes)->click();
                return;
            }
            for (const char* name : r.presses) {
                if (std::string(name) == "HELP") {
                    // The help box opens over the dialog: close it, then go on.
                    test::on_next_modal(m, [](QWidget* help) { qobject_cast<QMessageBox*>(help)->accept(); });
                }
                auto* b = m->findChild<QPushButton*>(QString::fromLatin1(name));
                ASSERT_NE(b, nullptr) << name;
                QTest::mouseClick(b, Qt::LeftButton);
            }
        });
        QTest::mouseClick(menu(r.menu)->button(QString::fromLatin1(r.button)), Qt::LeftButton);
        EXPECT_TRUE(acted);
        EXPECT_EQ(raised_rows(state), r.sent);
        EXPECT_EQ(state.values.si_units.load() != 0, r.celsius);
        menu(r.menu)->hide();
    }
}

TEST_F(SetupMenusRoad, buttons_fit_the_screen_and_their_captions_fit_the_buttons) {
    for (WindowId id : {WindowId::setup_selection, WindowId::extended_setup_selection}) {
        SetupMenuWindow* m = menu(id);
        ASSERT_NE(m, nullptr);
        m->show();
        const auto buttons = m->findChildren<kit::PictureButton*>();
        for (const kit::PictureButton* b : buttons) {
            SCOPED_TRACE(b->objectName().toStdString());
            EXPECT_TRUE(QRect(0, kit::kCaptionBarHeight, 640, 475 - kit::kCaptionBarHeight).contains(b->geometry()));
            for (const kit::PictureButton* other : buttons) {
                if (other == b) continue;
                EXPECT_FALSE(b->geometry().intersects(other->geometry())) << other->objectName().toStdString();
            }
            if (b->picture() == 0) {
                EXPECT_TRUE(kit::fit_text(b->text(), b->rect().adjusted(4, 2, -4, -2), kit::panel_font(16, 700), true).fits);
            } else {
                EXPECT_FALSE(b->released_picture().isNull());
                EXPECT_EQ(b->released_picture().size(), b->size());  // the picture's own size
            }
        }
        m->hide();
    }
}

TEST_F(SetupMenusRoad, the_second_tick_shows_and_hides_the_status_driven_buttons) {
    SetupMenuWindow* ext = menu(WindowId::extended_setup_selection);
    SetupMenuWindow* hw = menu(WindowId::setup_selection);
    hw->show();
    ext->show();
    state.status.set(off::status_183, 0x04);
    state.status.set(off::options_225, 0x20);
    emit w->events().second_tick();
    EXPECT_TRUE(ext->button(QStringLiteral("SETUP CYCLED MOISTURE SAMPLER"))->isVisible());
    EXPECT_FALSE(ext->button(QStringLiteral("PLENUM SETUP"))->isVisible());
    EXPECT_FALSE(hw->button(QStringLiteral("BURNER_MODE"))->isVisible());
    state.status.set(off::status_183, 0x02);
    state.status.set(off::options_225, 0x00);
    emit w->events().second_tick();
    EXPECT_FALSE(ext->button(QStringLiteral("SETUP CYCLED MOISTURE SAMPLER"))->isVisible());
    EXPECT_TRUE(ext->button(QStringLiteral("PLENUM SETUP"))->isVisible());
    EXPECT_TRUE(hw->button(QStringLiteral("BURNER_MODE"))->isVisible());
}

}  // namespace
}  // namespace dryer::setup
