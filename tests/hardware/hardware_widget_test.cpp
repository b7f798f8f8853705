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

TEST_F(HardwareRoad, select_inverter_and_sampler_then_accept_sends_them_and_asks_for_the_graph) {
    EXPECT_FALSE(w->timers().graph_request());
    run([&](DryerHardwareDialog* d) {
        EXPECT_LE(d->width(), 640);
        EXPECT_LE(d->height(), 480);
        for (QPushButton* b : d->findChildren<QPushButton*>()) {
            const bool two_lines = b->text().contains(QLatin1Char('\n'));
            EXPECT_TRUE(kit::fit_text(b->text(), b->rect().adjusted(6, 2, -6, -2), b->font(), two_lines).fits)
                << b->text().toStdString();
        }
        EXPECT_EQ(d->group(HardwareGroup::fan_heaters)->checked(), 1);
        select(d, "Number FH");  // two modules: three <-> four
        EXPECT_EQ(d->group(HardwareGroup::fan_heaters)->checked(), 2);
        click(d, "Grain Inverter");
        auto* sampler = d->findChild<QPushButton*>(QStringLiteral("Cycled Sampler"));
        // CANCEL changes nothing, whatever the click did to the button.
        on_next_modal(d, [](QWidget* ask) { click(ask, "CANCEL"); });
        click(d, "Cycled Sampler");
        EXPECT_FALSE(sampler->isChecked());
        on_next_modal(d, [](QWidget* ask) {
            EXPECT_EQ(ask->windowTitle(), QStringLiteral("Cycled Sampler"));
            click(ask, "Yes");
        });
        click(d, "Cycled Sampler");
        EXPECT_TRUE(sampler->isChecked());
        EXPECT_TRUE(d->findChild<QPushButton*>(QStringLiteral("Grain Inverter"))->isChecked());
        click(d, "ACCEPT/EXIT");
    });
    EXPECT_EQ(raised_rows(state), (std::vector<int>{row::fan_heater_count, row::system_flags,
                                                    row::hardware_options, row::hardware_options_2}));
    EXPECT_EQ(state.settings.get(off::fan_heater_count), 2);
    EXPECT_EQ(state.settings.get(off::system_flags_257), 0x00);  // dual plenum needs one fan/heater
    EXPECT_EQ(state.settings.get(off::options_279), 0x80);
    EXPECT_EQ(state.settings.get(off::options_293), 0x80);
    EXPECT_TRUE(w->timers().graph_request());

    // An enabled sampler is cleared without a question.
    run([&](DryerHardwareDialog* d) {
        click(d, "Cycled Sampler");
        EXPECT_EQ(QApplication::activeModalWidget(), d);
        EXPECT_FALSE(d->model().sampler_enabled());
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
