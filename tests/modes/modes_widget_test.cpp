// The drying and burner mode dialogs as the operator meets them: the
// panel's main window with every registered screen under the offscreen
// platform, the setup menu's buttons, the dialogs' own buttons and the
// keypads they open; what is left raised in the change flags is what the
// link sends.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <cstdlib>
#include <functional>
#include <memory>

#include "kit/fit_text.h"
#include "kit/panel_style.h"
#include "link/fields.h"
#include "setup/modes/modes_dialogs.h"
#include "setup/setup_selection/setup_selection_window.h"
#include "shell/main_window.h"
#include "shell/screen_registry.h"
#include "tests/l10n/test_root.h"
#include "tests/setup/modal_watch.h"
#include "tests/support/raised_rows.h"
#include "views/scene/texts.h"

namespace dryer::setup {
namespace {

using kit::WindowId;
using test::on_next_modal;
namespace off = link::off;
namespace row = link::row;

std::filesystem::path built_languages() {
    const char* dir = std::getenv("DRYER_BINARY_DIR");
    return std::filesystem::path(dir ? dir : ".") / "panel-root" / "Hard Disk" / "Languages";
}

using test_support::raised_rows;

void press(QWidget* dialog, const char* name) {
    auto* b = dialog->findChild<QPushButton*>(QString::fromUtf8(name));
    ASSERT_NE(b, nullptr) << name;
    ASSERT_TRUE(b->isEnabled()) << name;
    QTest::mouseClick(b, Qt::LeftButton);
}

// Presses `names` on the modal that opens next over `over`.
void press_on_next(QWidget* over, std::vector<const char*> names, QString* title = nullptr) {
    on_next_modal(over, [names, title](QWidget* m) {
        if (title) *title = m->windowTitle();
        for (const char* n : names) press(m, n);
    });
}

// Closes the message box that opens next over `over`, keeping its title.
void close_next_box(QWidget* over, QString* title) {
    on_next_modal(over, [title](QWidget* m) {
        *title = m->windowTitle();
        qobject_cast<QMessageBox*>(m)->accept();
    });
}

struct ModesRoad : ::testing::Test {
    l10n::testing::TempRoot root;
    link::LinkState state;
    views::TableTexts texts;
    std::unique_ptr<shell::MainWindow> w;

    void SetUp() override {
        std::filesystem::create_directory_symlink(built_languages(), root.hard_disk() / "Languages");
        w = std::make_unique<shell::MainWindow>(state, texts, shell::screen_registry(), shell::dialog_registry());
        w->create_child_windows();
        w->show();
        menu()->show();
    }
    SetupMenuWindow* menu() const { return qobject_cast<SetupMenuWindow*>(w->window(WindowId::setup_selection)); }
    // Presses the menu's button; `act` runs on the dialog once it is up.
    void open(const char* button, std::function<void(QWidget*)> act) {
        bool acted = false;
        on_next_modal(nullptr, [&](QWidget* m) {
            acted = true;
            act(m);
        });
        QPushButton* b = menu()->button(QString::fromLatin1(button));
        ASSERT_TRUE(b->isEnabled()) << button;
        QTest::mouseClick(b, Qt::LeftButton);
        EXPECT_TRUE(acted) << button;
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr);  // every dialog closed
    }
};

TEST_F(ModesRoad, staged_batch_chosen_and_set_up_through_the_drying_mode_dialog) {
    QString caption, nested;
    open("DRYING_MODE", [&](QWidget* dm) {
        caption = dm->objectName();
        press(dm, "STAGED BATCH");
        EXPECT_EQ(raised_rows(state), std::vector<int>{row::mc_mode});  // the scheme at once
        EXPECT_TRUE(dm->findChild<Lamp*>(QStringLiteral("STAGED BATCH INDICATOR"))->lit());
        press_on_next(dm, {"TIME", "ACCEPT"}, &nested);
        press(dm, "MOISTURE CONTROL SETUP");  // returns once the setup is accepted
    });
    EXPECT_EQ(caption, QStringLiteral("Drying Mode Selection - 07"));
    EXPECT_EQ(nested, QStringLiteral("STAGED BATCH SETUP - 09"));
    EXPECT_EQ(raised_rows(state), (std::vector<int>{row::drying_mode, row::mc_mode, row::system_flags}));
    EXPECT_EQ(state.settings.get(off::drying_mode), 1);
    EXPECT_EQ(state.settings.get(off::system_flags_257), 0x10);
}

TEST_F(ModesRoad, staged_batch_refuses_dual_plenum_and_an_accept_without_criteria) {
    state.status.set(off::drying_mode, 1);
    state.status.set(off::fan_heater_count, 2);
    state.status.set(off::system_flags_257, 0x00);
    QString refusal, help;
    open("MC_SETUP", [&](QWidget* sb) {
        EXPECT_EQ(sb->objectName(), QStringLiteral("STAGED BATCH SETUP - 09"));
        close_next_box(sb, &help);
        press(sb, "ACCEPT");
        ASSERT_TRUE(sb->isVisible());  // still open without a criterion
        press(sb, "TEMPERATURE");
        close_next_box(sb, &refusal);
        press(sb, "DUAL *");
        press(sb, "ACCEPT");
    });
    EXPECT_EQ(help, QStringLiteral("NO DRYING CRITERIA SELECTED"));
    EXPECT_EQ(refusal, QStringLiteral("INVALID SELECTION"));
    EXPECT_EQ(raised_rows(state), std::vector<int>{row::system_flags});
    EXPECT_EQ(state.settings.get(off::system_flags_257), 0x20);
}

TEST_F(ModesRoad, continuous_flow_scheme_at_once_the_rest_on_accept) {
    state.status.set(off::mc_mode_flags, 1);
    state.status.set(off::display_options_266, 0x30);
    state.status.set(off::cf_277, 150);
    open("MC_SETUP", [&](QWidget* cf) {
        EXPECT_EQ(cf->objectName(), QStringLiteral("CONTINUOUS FLOW SETUP"));
        auto* five = cf->findChild<QPushButton*>(QStringLiteral("5 SPEED SETUP"));
        EXPECT_FALSE(five->isVisibleTo(cf));
        press(cf, "MOISTURE");
        EXPECT_EQ(raised_rows(state), std::vector<int>{row::mc_mode});
        EXPECT_TRUE(five->isVisibleTo(cf));
        EXPECT_EQ(five->isEnabled(), w->has_dialog(kit::DialogId::five_speed));
        EXPECT_FALSE(cf->findChild<QPushButton*>(QStringLiteral("2 SPEED"))->isEnabled());
        press(cf, "AUTO CENTERING");
        press_on_next(cf, {"1", "8", "0", "ACCEPT"});
        press(cf, "MAX GRAIN TEMP");
        EXPECT_EQ(cf->findChild<Lamp*>(QStringLiteral("MAX GRAIN TEMP VALUE"))->text(), QStringLiteral("180 F"));
        EXPECT_EQ(raised_rows(state), std::vector<int>{row::mc_mode});  // the keypad's value waits for ACCEPT
        press(cf, "ACCEPT");
    });
    EXPECT_EQ(raised_rows(state), (std::vector<int>{row::mc_mode, row::drying_option, row::max_grain_temp}));
    EXPECT_EQ(state.settings.get(off::mc_mode_flags), 4);
    EXPECT_EQ(state.settings.get(off::mode_224), 0x80);
    EXPECT_EQ(link::u16le(state.settings, off::cf_277), 180);
}

TEST_F(ModesRoad, burner_modes_cancel_sends_nothing_accept_sends_the_change) {
    state.status.set(burner_mode_offset_of(2), 0x40);
    open("BURNER_MODE", [&](QWidget* d) {
        press(d, "ALL AUTO");
        EXPECT_TRUE(d->findChild<QPushButton*>(QStringLiteral("Fan/Heater #6 AUTO"))->isChecked());
        press(d, "CANCEL");
    });
    EXPECT_TRUE(raised_rows(state).empty());
    open("BURNER_MODE", [&](QWidget* d) {
        EXPECT_TRUE(d->findChild<QPushButton*>(QStringLiteral("Fan/Heater #2 HI / LO"))->isChecked());
        press(d, "Fan/Heater #2 SELECT");
        EXPECT_TRUE(d->findChild<QPushButton*>(QStringLiteral("Fan/Heater #2 ON / OFF"))->isChecked());
        press(d, "ACCEPT");
    });
    EXPECT_EQ(raised_rows(state), std::vector<int>{link::burner_mode_row(link::plenum_unit(2))});
    EXPECT_EQ(state.settings.get(burner_mode_offset_of(2)), 0x41);
}

// Every control lies inside its dialog and no caption is cut.
TEST_F(ModesRoad, controls_fit_their_dialogs) {
    kit::PanelContext context{state, texts, w->events(), *w, nullptr, nullptr};
    DryingModeDialog dm(context, w.get());
    ContinuousFlowDialog cf(context, w.get());
    StagedBatchDialog sb(context, w.get());
    BurnerModeDialog bm(context, w.get());
    for (kit::PanelDialog* d : std::initializer_list<kit::PanelDialog*>{&dm, &cf, &sb, &bm}) {
        SCOPED_TRACE(d->objectName().toStdString());
        d->show();
        EXPECT_TRUE(QRect(0, 0, 640, 480).contains(d->geometry()));
        for (const QPushButton* b : d->findChildren<QPushButton*>()) {
            SCOPED_TRACE(b->objectName().toStdString());
            EXPECT_TRUE(d->rect().contains(b->geometry()));
            if (!b->text().isEmpty()) {
                EXPECT_TRUE(kit::fit_text(b->text(), b->rect().adjusted(4, 2, -4, -2), b->font(), true).fits);
            }
        }
        d->hide();
    }
}

}  // namespace
}  // namespace dryer::setup
