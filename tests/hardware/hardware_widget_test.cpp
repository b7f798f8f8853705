// The dryer hardware setup and the moisture sensor selection as the
// technician meets them: the panel's main window with every registered
// screen and dialog under the offscreen platform, the dialogs opened by their
// ids and answered through their own buttons.
#include <gtest/gtest.h>

#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <functional>
#include <memory>

#include "kit/fit_text.h"
#include "kit/panel_style.h"
#include "link/fields.h"
#include "setup/hardware/hardware_dialog.h"
#include "setup/setup_dialogs/setup_dialogs.h"
#include "shell/main_window.h"
#include "shell/screen_registry.h"
#include "tests/setup/modal_watch.h"
#include "views/scene/texts.h"

namespace dryer::setup {
namespace {

namespace off = link::off;
namespace row = link::row;
using test::on_next_modal;

std::vector<int> raised_rows(const link::LinkState& s) {
    std::vector<int> r;
    for (int i = 1; i <= static_cast<int>(link::kReplyRowCount); ++i)
        if (s.flags.raised(i)) r.push_back(i);
    return r;
}

void click(QWidget* within, const char* name) {
    auto* b = within->findChild<QPushButton*>(QString::fromLatin1(name));
    ASSERT_NE(b, nullptr) << name;
    ASSERT_TRUE(b->isVisible()) << name;
    ASSERT_TRUE(b->isEnabled()) << name;
    QTest::mouseClick(b, Qt::LeftButton);
}

void select(QWidget* dialog, const char* group) {
    auto* box = dialog->findChild<QWidget*>(QString::fromLatin1(group));
    ASSERT_NE(box, nullptr) << group;
    click(box, "SELECT");
}

struct HardwareRoad : ::testing::Test {
    link::LinkState state;
    views::TableTexts texts{{{388, "Cycled Sampler"}, {389, "Install it first?"}, {134, "Yes"}, {135, "No"},
                             {10, "CANCEL"}, {147, "SPECIAL MODEL"}}};
    std::unique_ptr<shell::MainWindow> w;

    void SetUp() override {
        w = std::make_unique<shell::MainWindow>(state, texts, shell::screen_registry(), shell::dialog_registry());
        w->create_child_windows();
        w->show();
        state.status.set(off::fan_heater_count, 1);  // two
        state.status.set(off::module_count, 1);      // two
        state.status.set(off::system_flags_257, 0x02);
    }
    // Opens the hardware setup and runs act inside it.
    void run(const std::function<void(DryerHardwareDialog*)>& act) {
        bool acted = false;
        on_next_modal(nullptr, [&](QWidget* m) {
            acted = true;
            auto* d = qobject_cast<DryerHardwareDialog*>(m);
            ASSERT_NE(d, nullptr);
            act(d);
            if (d->isVisible()) d->reject();
        });
        ASSERT_TRUE(w->open_dialog(kit::DialogId::dryer_hardware, w.get()));
        EXPECT_TRUE(acted);
    }
};

TEST_F(HardwareRoad, select_inverter_sampler_yes_then_accept_sends_them_and_asks_for_the_graph) {
    EXPECT_FALSE(w->timers().graph_request());
    QString question;
    run([&](DryerHardwareDialog* d) {
        EXPECT_EQ(d->group(HardwareGroup::fan_heaters)->checked(), 1);
        select(d, "Number FH");  // two modules: three <-> four
        EXPECT_EQ(d->group(HardwareGroup::fan_heaters)->checked(), 2);
        click(d, "Grain Inverter");
        on_next_modal(d, [&question](QWidget* ask) {
            question = ask->windowTitle();
            QTest::mouseClick(ask->findChild<QPushButton*>(QStringLiteral("Yes")), Qt::LeftButton);
        });
        click(d, "Cycled Sampler");
        EXPECT_TRUE(d->findChild<QPushButton*>(QStringLiteral("Cycled Sampler"))->isChecked());
        EXPECT_TRUE(d->findChild<QPushButton*>(QStringLiteral("Grain Inverter"))->isChecked());
        click(d, "ACCEPT/EXIT");
    });
    EXPECT_EQ(question, QStringLiteral("Cycled Sampler"));
    EXPECT_EQ(raised_rows(state), (std::vector<int>{row::fan_heater_count, row::system_flags,
                                                    row::hardware_options, row::hardware_options_2}));
    EXPECT_EQ(state.settings.get(off::fan_heater_count), 2);
    EXPECT_EQ(state.settings.get(off::system_flags_257), 0x00);
    EXPECT_EQ(state.settings.get(off::options_279), 0x80);
    EXPECT_EQ(state.settings.get(off::options_293), 0x80);
    EXPECT_TRUE(w->timers().graph_request());
}

TEST_F(HardwareRoad, sampler_cancel_changes_nothing_and_a_set_sampler_clears_without_asking) {
    run([&](DryerHardwareDialog* d) {
        on_next_modal(d, [](QWidget* ask) {
            QTest::mouseClick(ask->findChild<QPushButton*>(QStringLiteral("CANCEL")), Qt::LeftButton);
        });
        click(d, "Cycled Sampler");
        EXPECT_FALSE(d->findChild<QPushButton*>(QStringLiteral("Cycled Sampler"))->isChecked());
        EXPECT_FALSE(d->model().sampler_enabled());
        click(d, "ACCEPT/EXIT");
    });
    // Two fan/heaters with dual plenum reported: only the dual-plenum bit goes.
    EXPECT_EQ(raised_rows(state), std::vector<int>{row::system_flags});

    state.status.set(off::options_293, 0x81);
    run([&](DryerHardwareDialog* d) {
        click(d, "Cycled Sampler");  // no question: it was enabled
        EXPECT_EQ(QApplication::activeModalWidget(), d);
        EXPECT_FALSE(d->model().sampler_enabled());
    });
    EXPECT_EQ(state.settings.get(off::options_293), 0x01);
}

TEST_F(HardwareRoad, the_model_family_hides_groups_and_every_text_fits) {
    state.status.set(off::options_225, 0x28);
    state.status.set(off::dryer_length_index, 13);
    run([&](DryerHardwareDialog* d) {
        EXPECT_LE(d->width(), 640);
        EXPECT_LE(d->height(), 480);
        EXPECT_FALSE(d->group(HardwareGroup::modules)->isVisible());
        EXPECT_FALSE(d->group(HardwareGroup::fuel)->isVisible());
        EXPECT_FALSE(d->group(HardwareGroup::load_system)->isVisible());
        EXPECT_FALSE(d->findChild<QPushButton*>(QStringLiteral("Grain Inverter"))->isVisible());
        ChoiceGroup* length = d->group(HardwareGroup::length);
        EXPECT_EQ(length->checked(), 13);
        EXPECT_EQ(length->choices()[13], QStringLiteral("SPECIAL MODEL"));
        for (QPushButton* b : d->findChildren<QPushButton*>()) {
            SCOPED_TRACE(b->text().toStdString());
            const bool two_lines = b->text().contains(QLatin1Char('\n'));
            EXPECT_TRUE(kit::fit_text(b->text(), b->rect().adjusted(6, 2, -6, -2), b->font(), two_lines).fits);
        }
        // Fan/heaters are one or three in this family.
        select(d, "Number FH");
        EXPECT_EQ(d->group(HardwareGroup::fan_heaters)->checked(), 0);
        // The controller reports the plain family: the groups come back.
        state.status.set(off::options_225, 0x00);
        d->redraw();
        EXPECT_TRUE(d->group(HardwareGroup::modules)->isVisible());
        EXPECT_EQ(d->group(HardwareGroup::length)->choices()[13], QStringLiteral("38"));
    });
}

TEST_F(HardwareRoad, sensor_setup_changes_the_dry_sensor_and_cancel_sends_nothing) {
    state.status.set(off::moisture_sensor_type, 0x02);  // wet sensor: neither kind
    run([&](DryerHardwareDialog* d) {
        on_next_modal(d, [](QWidget* m) {
            auto* s = qobject_cast<SensorSelectionDialog*>(m);
            ASSERT_NE(s, nullptr);
            EXPECT_EQ(s->group(SensorPlace::wet)->checked(), -1);
            EXPECT_EQ(s->group(SensorPlace::dry)->checked(), 0);
            click(s->group(SensorPlace::dry), "Network Interface");
            EXPECT_EQ(s->group(SensorPlace::dry)->checked(), 1);
            click(s, "Accept");
        });
        click(d, "SENSOR SETUP");
        on_next_modal(d, [](QWidget* m) { click(m, "Cancel"); });
        click(d, "SENSOR SETUP");
    });
    EXPECT_EQ(raised_rows(state), std::vector<int>{row::moisture_sensor_type});
    EXPECT_EQ(state.settings.get(off::moisture_sensor_type), 0x06);
}

}  // namespace
}  // namespace dryer::setup
