// The main window under the offscreen platform: child windows, the button
// row and its rules, screen switching, the decoder's events and redraw
// bits, the defaults-dipswitch dialog and auto-repeat on real buttons.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <memory>

#include "art/art.h"
#include "l10n/qt/pictures.h"
#include "link/fields.h"
#include "shell/auto_repeat_widgets.h"
#include "kit/panel_window.h"
#include "shell/condition_strip.h"
#include "shell/dipswitch_dialog.h"
#include "shell/main_buttons.h"
#include "shell/main_window.h"
#include "shell/screen_registry.h"
#include "shell/single_instance.h"
#include "tests/setup/modal_watch.h"
#include "views/scene/texts.h"

namespace dryer::shell {
namespace {

namespace off = link::off;

// A picture per number, filled with a colour that tells them apart.
QImage numbered_picture(int n) {
    QImage img(105, 40, QImage::Format_RGB32);
    img.fill(QColor(n * 20 % 256, 100, 200));
    return img;
}

using kit::WindowId;

struct MainWindowTest : ::testing::Test {
    link::LinkState state;
    views::TableTexts texts;
    std::unique_ptr<MainWindow> w;

    void SetUp() override {
        kit::set_button_picture_source(numbered_picture);
        w = std::make_unique<MainWindow>(state, texts, screen_registry(), dialog_registry());
        w->create_child_windows();
        w->show();
    }
    void TearDown() override { kit::set_button_picture_source({}); }
    bool shown(WindowId id) const { return w->window(id)->isVisible(); }
    QRect button_rect(int command) const { return w->button(command)->geometry(); }
};

// The main window's children as the operator's panel lays them out, in the
// order they are created (later ones lie above earlier ones).
struct ExpectedWindow {
    WindowId id;
    const char* name;
    QRect rect;
    bool caption_bar, shown;
};
const ExpectedWindow kExpected[] = {
    {WindowId::view_selection, "VIEW_SELECTION_WINDOW", {100, 50, 450, 275}, true, false},
    {WindowId::warning, "WARNING_WINDOW", {10, 20, 600, 325}, true, false},
    {WindowId::line_graph, "LINE_GRAPH_WINDOW", {0, 40, 240, 205}, true, false},
    {WindowId::average_values, "AVERAGE_VALUES_WINDOW", {240, 40, 400, 205}, true, false},
    {WindowId::boot_loader, "BOOT_LOADER_WINDOW", {0, 0, 640, 480}, true, false},
    {WindowId::custom_view, "CUSTOM_VIEW_WINDOW", {240, 245, 400, 175}, true, false},
    {WindowId::unload_status, "UNLOAD_STATUS_WINDOW", {0, 245, 240, 175}, true, false},
    {WindowId::left_status_bar, "DRYER_LEFT_STATUS_BAR_WINDOW", {0, 0, 240, 40}, false, false},
    {WindowId::right_status_bar, "DRYER_RIGHT_STATUS_BAR_WINDOW", {240, 0, 400, 40}, false, true},
    {WindowId::button_bar, "BUTTON_BAR_WINDOW", {0, 420, 640, 55}, false, true},
    {WindowId::timer_select, "TIMER_SELECT_WINDOW", {0, 0, 640, 475}, true, false},
    {WindowId::temp_select, "TEMP_SELECT_WINDOW", {0, 0, 640, 475}, true, false},
    {WindowId::setup_selection, "SETUP_SELECTION_WINDOW", {0, 0, 640, 475}, true, false},
    {WindowId::extended_setup_selection, "EXTENDED_SETUP_SELECTION_WINDOW_NEW", {0, 0, 640, 475}, true, false},
    {WindowId::graph, "GRAPH_WINDOW", {240, 40, 400, 380}, false, false},
    {WindowId::dryer_picture, "DRYER_PIC_WINDOW", {0, 0, 240, 420}, false, true},
    {WindowId::batch_drying, "BATCH_DRYING_WINDOW", {240, 40, 400, 205}, true, false},
    {WindowId::auto_start_config, "AUTO_START_CONFIG_WINDOW", {0, 0, 640, 475}, true, false},
};

TEST_F(MainWindowTest, eighteen_child_windows_in_order_named_placed_and_framed) {
    std::vector<QString> order;
    for (QObject* o : w->children())
        if (o->objectName().endsWith(QStringLiteral("_WINDOW")) || o->objectName().endsWith(QStringLiteral("_NEW")))
            order.push_back(o->objectName());
    ASSERT_EQ(order.size(), std::size(kExpected));
    std::size_t index = 0;
    for (const ExpectedWindow& e : kExpected) {
        QWidget* c = w->window(e.id);
        ASSERT_NE(c, nullptr) << e.name;
        EXPECT_EQ(order[index++], QString::fromLatin1(e.name));
        EXPECT_EQ(c->objectName(), QString::fromLatin1(e.name));
        EXPECT_EQ(c->geometry(), e.rect) << e.name;
        auto* frame = qobject_cast<kit::PanelWindow*>(c);
        ASSERT_NE(frame, nullptr) << e.name;
        EXPECT_EQ(frame->has_caption_bar(), e.caption_bar) << e.name;
        // Shown at start: the table's, plus the chart and plenum view of the
        // right-hand view rule for continuous flow without the graph.
        const bool by_rule = e.id == WindowId::average_values || e.id == WindowId::custom_view;
        EXPECT_EQ(shown(e.id), e.shown || by_rule) << e.name;
    }
}

// The decoder's redraw bits reach the windows that show the fields, and
// only those.
TEST_F(MainWindowTest, redraw_bits_repaint_the_windows_that_listen_to_them) {
    struct Row {
        std::uint64_t bits;
        std::vector<WindowId> repainted;
    };
    const Row rows[] = {
        {link::redraw::plenum_box(3), {WindowId::custom_view}},
        {link::redraw::dryer_state_line, {WindowId::right_status_bar}},
        {link::redraw::dryer_picture | link::redraw::line_graph, {WindowId::dryer_picture, WindowId::line_graph}},
        {link::redraw::warning_window, {WindowId::warning}},
    };
    state.status.set(off::shutdown_node, 3);  // the warning window is shown
    w->on_display_timer();
    w->window(WindowId::line_graph)->show();
    w->window(WindowId::line_graph)->raise();  // above the dryer picture
    for (const Row& r : rows) {
        QCoreApplication::processEvents();
        std::map<WindowId, int> paints;
        struct Counter : QObject {
            int* n;
            explicit Counter(int* c) : n(c) {}
            bool eventFilter(QObject*, QEvent* e) override {
                if (e->type() == QEvent::Paint) ++*n;
                return false;
            }
        };
        std::vector<std::unique_ptr<Counter>> counters;
        for (const ExpectedWindow& e : kExpected) {
            counters.push_back(std::make_unique<Counter>(&paints[e.id]));
            w->window(e.id)->installEventFilter(counters.back().get());
        }
        state.redraw.request(r.bits);
        // The queued wake-up, then the paints.
        EXPECT_TRUE(QTest::qWaitFor([&] {
            for (WindowId id : r.repainted)
                if (paints[id] == 0) return false;
            return true;
        }, 30000));
        for (const ExpectedWindow& e : kExpected) {
            const bool expected = std::find(r.repainted.begin(), r.repainted.end(), e.id) != r.repainted.end();
            if (expected) {
                EXPECT_GT(paints[e.id], 0) << e.name;
            } else {
                EXPECT_EQ(paints[e.id], 0) << e.name << " bits " << r.bits;
            }
        }
    }
}

TEST_F(MainWindowTest, five_buttons_then_six_with_qs_within_one_fast_tick) {
    const int five[] = {20, 144, 268, 392, 516};
    const int six[] = {10, 125, 240, 355, 470};
    w->on_fast_timer();  // the first tick remembers options_279
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(button_rect(kMainButtons[static_cast<std::size_t>(i)].command), QRect(five[i], 427, 105, 40));
        EXPECT_TRUE(w->button(kMainButtons[static_cast<std::size_t>(i)].command)->isVisible());
    }
    EXPECT_FALSE(w->button(command::quick_start)->isVisible());

    state.status.set(off::options_279, 0x01);
    w->on_fast_timer();
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(button_rect(kMainButtons[static_cast<std::size_t>(i)].command), QRect(six[i], 427, 105, 40));
    EXPECT_TRUE(w->button(command::quick_start)->isVisible());
    EXPECT_EQ(button_rect(command::quick_start), QRect(585, 427, 44, 40));

    state.status.set(off::options_279, 0x00);
    w->on_fast_timer();
    EXPECT_EQ(button_rect(command::timers).x(), 20);
    EXPECT_FALSE(w->button(command::quick_start)->isVisible());
}

TEST_F(MainWindowTest, buttons_draw_their_pictures_pressed_and_released) {
    const QImage grabbed = w->grab().toImage();
    // The TIMERS picture (number 1) fills its rectangle.
    EXPECT_EQ(grabbed.pixelColor(20 + 50, 427 + 20), numbered_picture(1).pixelColor(50, 20));
    EXPECT_EQ(grabbed.pixelColor(516 + 50, 427 + 20), numbered_picture(5).pixelColor(50, 20));
    kit::PictureButton* b = w->button(command::temps);
    const QImage up = b->grab().toImage();
    b->setDown(true);
    const QImage down = b->grab().toImage();
    b->setDown(false);
    EXPECT_NE(up, down);
    EXPECT_EQ(down, b->pressed_picture().convertToFormat(down.format()));
    // "QS" carries the built-in picture 595.
    EXPECT_EQ(w->button(command::quick_start)->released_picture().size(), QSize(44, 40));
}

TEST_F(MainWindowTest, misc_picture_swapped_while_batch_mode_flag_is_set) {
    kit::PictureButton* misc = w->button(command::misc);
    EXPECT_EQ(misc->released_picture(), numbered_picture(5));
    state.values.batch_mode = 1;
    w->on_fast_timer();
    EXPECT_EQ(misc->released_picture(), numbered_picture(kMiscBatchPicture));
    EXPECT_EQ(misc->pressed_picture(),
              l10n::qt::pressed_look(QPixmap::fromImage(numbered_picture(kMiscBatchPicture))).toImage());
    state.values.batch_mode = 0;
    w->on_fast_timer();
    EXPECT_EQ(misc->released_picture(), numbered_picture(5));
}

struct ViewRow {
    std::uint8_t drying_mode, display_options;
    bool graph, averages, custom, batch;
};

TEST_F(MainWindowTest, right_hand_view_rule_applied_when_the_decoder_asks) {
    const ViewRow rows[] = {{0, 0x40, true, false, false, false},
                            {0, 0x00, false, true, true, false},
                            {1, 0x40, false, false, true, true},
                            {0, 0x40, true, false, false, false}};
    for (const ViewRow& r : rows) {
        state.status.set(off::drying_mode, r.drying_mode);
        state.status.set(off::display_options_266, r.display_options);
        state.redraw.request(link::redraw::right_hand_view_rule);
        QCoreApplication::processEvents();  // the queued wake-up
        EXPECT_EQ(shown(WindowId::graph), r.graph);
        EXPECT_EQ(shown(WindowId::average_values), r.averages);
        EXPECT_EQ(shown(WindowId::custom_view), r.custom);
        EXPECT_EQ(shown(WindowId::batch_drying), r.batch);
        EXPECT_EQ(state.redraw.pending(), 0u);
    }
}

TEST_F(MainWindowTest, graph_companion_follows_the_graph_window) {
    QWidget companion(w.get());
    w->set_graph_companion(&companion);
    state.status.set(off::display_options_266, 0x40);
    w->apply_right_hand_view_rule();
    EXPECT_TRUE(companion.isVisible());
    w->command(command::timers);
    EXPECT_FALSE(companion.isVisible());
}

// The pictures of the language now chosen: a colour per picture number and
// language, so that a switch shows in every button.
int shown_language = 0;
QImage language_picture(int n) {
    QImage img(105, 40, QImage::Format_RGB32);
    img.fill(QColor(n * 20 % 256, shown_language == 0 ? 100 : 30, 200));
    return img;
}

// English -> Russian -> English with the main screen, the status chart and
// both selection screens built: every button picture, the chart's caption
// and its sample-time label follow at once.
TEST_F(MainWindowTest, a_language_switch_redraws_pictures_and_captions_of_open_screens) {
    kit::set_button_picture_source(language_picture);
    w->command(command::timers);
    auto* timers = w->window(WindowId::timer_select);
    auto* temps = w->window(WindowId::temp_select);
    auto* chart = qobject_cast<kit::PanelWindow*>(w->window(WindowId::average_values));
    ASSERT_TRUE(timers && temps && chart);
    auto* sample = chart->findChild<QPushButton*>(QStringLiteral("SAMPLE TIME"));
    ASSERT_TRUE(sample);
    struct Step {
        int language;
        const char* caption;
        const char* sample;
    };
    for (Step step : {Step{1, "ГРАФИК СОСТОЯНИЯ", "ПРОБА"}, Step{0, "DRYER STATUS CHART", "SAMPLE"}}) {
        shown_language = step.language;
        texts.set(340, step.caption);
        texts.set(286, step.sample);
        emit w->events().language_changed();
        for (QWidget* screen : {static_cast<QWidget*>(w.get()), timers, temps}) {
            const auto buttons = screen->findChildren<kit::PictureButton*>();
            ASSERT_FALSE(buttons.empty());
            for (kit::PictureButton* b : buttons) {
                if (b->picture() == 0) continue;
                EXPECT_EQ(b->released_picture(), language_picture(b->picture()))
                    << screen->objectName().toStdString() << " picture " << b->picture() << " language "
                    << step.language;
            }
        }
        EXPECT_EQ(chart->caption(), QString::fromUtf8(step.caption));
        EXPECT_TRUE(sample->text().startsWith(QString::fromUtf8(step.sample))) << sample->text().toStdString();
    }
}

TEST_F(MainWindowTest, timers_temps_setup_hide_the_main_screen) {
    struct Row {
        int command;
        WindowId screen;
    };
    for (Row r : {Row{command::timers, WindowId::timer_select}, Row{command::temps, WindowId::temp_select},
                  Row{command::setup, WindowId::setup_selection}}) {
        w->command(r.command);
        for (WindowId id : kMainScreenWindows) EXPECT_FALSE(shown(id)) << int(r.screen) << " " << int(id);
        for (const MainButton& b : kMainButtons) EXPECT_FALSE(w->button(b.command)->isVisible());
        EXPECT_TRUE(shown(r.screen));
        EXPECT_FALSE(w->main_screen_shown());
        w->window(r.screen)->hide();
        w->restore_main_screen();
        EXPECT_TRUE(shown(WindowId::dryer_picture));
        EXPECT_TRUE(shown(WindowId::average_values));
        EXPECT_TRUE(w->button(command::misc)->isVisible());
    }
    EXPECT_EQ(state.values.view_switching_enabled.load(), 0);  // SETUP turned it off
}

TEST_F(MainWindowTest, buttons_of_unbuilt_screens_are_disabled_and_a_double_tap_does_not_fall_through) {
    EXPECT_TRUE(w->button(command::timers)->isEnabled());
    EXPECT_TRUE(w->button(command::temps)->isEnabled());
    EXPECT_TRUE(w->button(command::view)->isEnabled());
    EXPECT_TRUE(w->button(command::setup)->isEnabled());  // the setup menus are built
    EXPECT_TRUE(w->button(command::quick_start)->isEnabled());  // the auto-start status dialog is built
    EXPECT_TRUE(w->main_screen_shown());
    // EXIT of TEMPS lies over SETUP and TIMERS: the second tap of a double
    // tap lands on the main screen right after it comes back.
    QTest::mouseClick(w->button(command::temps), Qt::LeftButton);
    ASSERT_FALSE(w->main_screen_shown());
    auto* exit = w->window(WindowId::temp_select)->findChild<QPushButton*>(QStringLiteral("EXIT"));
    QTest::mouseClick(exit, Qt::LeftButton);
    ASSERT_TRUE(w->main_screen_shown());
    QTest::mouseClick(w->button(command::timers), Qt::LeftButton);
    EXPECT_TRUE(w->main_screen_shown());
}

TEST_F(MainWindowTest, a_condition_blinks_over_the_caption_of_a_full_screen_screen) {
    texts.set_warning(3, 2, "0302 FAN/HEATER #1 HIGH LIMIT");
    w->command(command::temps);
    state.status.set(off::shutdown_node, 3);
    state.status.set(off::shutdown_code, 2);
    w->on_display_timer();
    auto* strip = w->findChild<ConditionStrip*>(QStringLiteral("CONDITION_STRIP"));
    ASSERT_NE(strip, nullptr);
    int lit = 0, dark = 0;
    for (int i = 0; i < 8; ++i) {
        w->on_fast_timer();
        (strip->isVisible() ? lit : dark)++;
    }
    EXPECT_GT(lit, 0);
    EXPECT_GT(dark, 0);
    EXPECT_EQ(strip->geometry(), QRect(0, 0, 640, 20));
    EXPECT_EQ(strip->text(), QStringLiteral("0302 FAN/HEATER #1 HIGH LIMIT"));
    state.status.set(off::shutdown_node, 0);
    state.status.set(off::shutdown_code, 0);
    w->on_display_timer();
    for (int i = 0; i < 8; ++i) w->on_fast_timer();
    EXPECT_FALSE(strip->isVisible());
}

TEST_F(MainWindowTest, setup_hides_the_warning_window_and_the_rule_waits_for_the_main_screen) {
    state.status.set(off::shutdown_node, 3);
    w->on_display_timer();
    EXPECT_TRUE(shown(WindowId::warning));
    w->command(command::setup);
    EXPECT_FALSE(shown(WindowId::warning));
    state.status.set(off::drying_mode, 1);
    state.redraw.request(link::redraw::right_hand_view_rule);
    QCoreApplication::processEvents();
    EXPECT_FALSE(shown(WindowId::batch_drying));  // nothing shows under the setup screen
    w->window(WindowId::setup_selection)->hide();
    w->restore_main_screen();
    EXPECT_TRUE(shown(WindowId::batch_drying));
}

TEST_F(MainWindowTest, view_shows_the_view_selection_over_the_main_screen) {
    w->command(command::view);
    EXPECT_TRUE(shown(WindowId::view_selection));
    EXPECT_TRUE(shown(WindowId::dryer_picture));
    QWidget* top = w->childAt(300, 100);
    while (top && top->parentWidget() != w.get()) top = top->parentWidget();
    ASSERT_NE(top, nullptr);
    EXPECT_EQ(top->objectName(), QStringLiteral("VIEW_SELECTION_WINDOW"));
}

TEST_F(MainWindowTest, warning_window_shown_when_the_link_is_lost_and_hidden_when_it_returns) {
    state.link_alive = 0;
    w->on_display_timer();
    EXPECT_TRUE(shown(WindowId::warning));
    state.link_alive = 10;
    w->on_display_timer();
    EXPECT_FALSE(shown(WindowId::warning));
}

TEST_F(MainWindowTest, heat_buttons_follow_drying_mode_and_dual_plenum) {
    QWidget* batch = w->window(WindowId::batch_drying);
    auto* single = batch->findChild<QPushButton*>(QString::fromLatin1(kSingleHeatButton));
    auto* high = batch->findChild<QPushButton*>(QString::fromLatin1(kHighHeatButton));
    auto* low = batch->findChild<QPushButton*>(QString::fromLatin1(kLowHeatButton));
    ASSERT_TRUE(single && high && low);
    single->setEnabled(false);
    struct Row {
        std::uint8_t mode, flags;
        bool single, dual;
    };
    for (Row r : {Row{1, 0x02, false, true}, Row{1, 0x00, true, false}, Row{3, 0x00, false, true}, Row{0, 0x02, true, false}}) {
        state.status.set(off::drying_mode, r.mode);
        state.status.set(off::system_flags_257, r.flags);
        state.redraw.request(link::redraw::batch_button_rule);
        QCoreApplication::processEvents();
        EXPECT_EQ(single->isVisibleTo(single->parentWidget()), r.single) << int(r.mode);
        EXPECT_EQ(high->isVisibleTo(high->parentWidget()), r.dual);
        EXPECT_EQ(low->isVisibleTo(low->parentWidget()), r.dual);
        EXPECT_TRUE(single->isEnabled());
    }
}

// Clicks "EXIT" on the dialog as soon as it is open (gives up after a second).
void exit_dipswitch_dialog_soon(int* opened) {
    auto* poll = new QTimer;
    auto tries = std::make_shared<int>(0);
    QObject::connect(poll, &QTimer::timeout, [poll, opened, tries] {
        for (QWidget* top : QApplication::topLevelWidgets()) {
            if (top->objectName() == QStringLiteral("Please turn off DEFAULTS dipswitch! - 33") && top->isVisible()) {
                ++*opened;
                EXPECT_NE(top->findChild<QLabel*>(QStringLiteral("254")), nullptr);
                EXPECT_NE(top->findChild<QLabel*>(QStringLiteral("Below is a picture of the dipswitch.")), nullptr);
                QTest::mouseClick(top->findChild<QPushButton*>(QStringLiteral("EXIT")), Qt::LeftButton);
                poll->deleteLater();
                return;
            }
        }
        if (++*tries > 100) poll->deleteLater();
    });
    poll->start(10);
}

TEST_F(MainWindowTest, dipswitch_event_opens_the_dialog_once_and_exit_sets_the_latch) {
    int opened = 0;
    state.values.dipswitch_event = 1;
    exit_dipswitch_dialog_soon(&opened);
    state.redraw.request(link::redraw::panel_event);  // the decoder's wake-up
    ASSERT_TRUE(QTest::qWaitFor([&] { return opened == 1; }, 30000));
    EXPECT_EQ(state.values.dipswitch_latch.load(), 1);
    EXPECT_EQ(state.values.dipswitch_event.load(), 0);
    state.values.dipswitch_event = 1;  // latched: not offered again
    w->on_fast_timer();
    EXPECT_EQ(opened, 1);
}

TEST(DipswitchDialog, centred_over_its_window_and_clamped_to_the_screen) {
    link::PanelValues values;
    QWidget top;
    top.setGeometry(0, 0, 640, 480);
    QWidget graph(&top);
    graph.setGeometry(0, 40, 240, 205);
    top.show();
    DefaultsDipswitchDialog d(values, &graph);
    d.show();
    EXPECT_EQ(d.pos(), QPoint(0, 0));
    d.hide();
    DefaultsDipswitchDialog d2(values, &top);
    d2.show();
    const QPoint origin = top.mapToGlobal(QPoint(0, 0));
    EXPECT_EQ(d2.pos(), origin + QPoint((640 - d2.width()) / 2, (480 - d2.height()) / 2));
}

TEST_F(MainWindowTest, meter_roll_event_becomes_command_34822) {
    // A dialog registry with a meter roll dialog that counts its openings.
    static int opened = 0;
    static const kit::DialogRow meter_roll{kit::DialogId::meter_roll_speed,
                                           [](kit::PanelContext&, QWidget*, int) { ++opened; }};
    const std::array<const kit::DialogRow*, 1> dialogs{&meter_roll};
    MainWindow win(state, texts, screen_registry(), dialogs);
    win.create_child_windows();
    state.values.meter_roll_event = 1;
    win.on_fast_timer();  // without a wake-up the fast tick takes the event
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(state.values.meter_roll_event.load(), 0);

    // During the learning period the event first asks the question in the
    // current language, buttons included; No opens nothing.
    for (const auto& [n, t] : std::initializer_list<std::pair<unsigned, const char*>>{
             {902, "LERNPHASE"}, {903, "Eins."}, {904, "Zwei."}, {905, "Drei?"}, {134, "Ja"}, {135, "Nein"}, {10, "ABBRECHEN"}})
        texts.set(n, t);
    state.status.set(off::mc_mode_flags, 3);
    state.status.set(off::status_52, 9);
    state.status.set(off::mode_flags_179, 0x04);
    QString title, body;
    QStringList buttons;
    setup::test::on_next_modal(nullptr, [&](QWidget* m) {
        auto* box = qobject_cast<QMessageBox*>(m);
        ASSERT_NE(box, nullptr);
        title = box->windowTitle();
        body = box->text();
        for (auto b : {QMessageBox::Yes, QMessageBox::No, QMessageBox::Cancel}) buttons << box->button(b)->text();
        box->button(QMessageBox::No)->click();
    });
    state.values.meter_roll_event = 1;
    win.on_fast_timer();
    EXPECT_EQ(title, QStringLiteral("LERNPHASE"));
    EXPECT_EQ(body, QStringLiteral("Eins.  Zwei.  Drei?"));
    EXPECT_EQ(buttons, (QStringList{"Ja", "Nein", "ABBRECHEN"}));
    EXPECT_EQ(opened, 1);
}

TEST(AutoRepeatWidgets, held_button_clicks_at_press_then_every_tick_after_500ms) {
    AutoRepeat service;
    QWidget dialog;
    auto* increase = new QPushButton(QStringLiteral("INCREASE"), &dialog);
    auto* decrease = new QPushButton(QStringLiteral("DECREASE"), &dialog);
    dialog.show();
    int up = 0, down = 0;
    QObject::connect(increase, &QPushButton::pressed, [&] { ++up; });  // the command at press
    QObject::connect(increase, &QPushButton::clicked, [&] { ++up; });
    QObject::connect(decrease, &QPushButton::clicked, [&] { ++down; });
    ASSERT_TRUE(register_repeat_buttons(service, repeat_group::meter_roll_speed, &dialog, {increase, decrease}));
    QTest::mousePress(increase, Qt::LeftButton);
    EXPECT_EQ(up, 1);
    for (int i = 0; i < 5; ++i) service.tick();
    EXPECT_EQ(up, 1);
    for (int i = 0; i < 3; ++i) service.tick();
    EXPECT_EQ(up, 4);
    EXPECT_TRUE(increase->isDown());  // still held
    QTest::mouseRelease(increase, Qt::LeftButton);
    EXPECT_EQ(up, 5);  // the release's own click
    service.tick();
    EXPECT_EQ(service.delay(repeat_group::meter_roll_speed), AutoRepeat::kDelay);
    EXPECT_EQ(down, 0);
}

TEST_F(MainWindowTest, titled_frames_draw_their_caption_bar_and_plain_windows_stay_black) {
    const QImage img = w->grab().toImage();
    EXPECT_EQ(img.pixelColor(240 + 300, 40 + 10), QColor(0, 0, 128));  // AVERAGE_VALUES_WINDOW's bar
    EXPECT_EQ(img.pixelColor(240 + 390, 245 + 12), QColor(0, 0, 128));  // CUSTOM_VIEW_WINDOW's bar
    EXPECT_EQ(img.pixelColor(5, 150), QColor(Qt::black));              // DRYER_PIC_WINDOW
    EXPECT_EQ(img.size(), QSize(640, 480));
}

TEST(BuiltinPictures, known_numbers_have_their_sizes_and_others_are_null) {
    EXPECT_EQ(art::builtin_picture(254).size(), QSize(300, 120));
    EXPECT_EQ(art::builtin_picture(595).size(), QSize(44, 40));
    for (int n : {-1, 0, 1, 253, 596, 100000}) EXPECT_TRUE(art::builtin_picture(n).isNull()) << n;
}

TEST(SingleInstance, second_claim_for_the_same_root_brings_the_first_to_the_front) {
    const QString root = QDir::temp().filePath(QStringLiteral("dryer-shell-single-%1").arg(QCoreApplication::applicationPid()));
    SingleInstance first(root);
    int activations = 0;
    QObject::connect(&first, &SingleInstance::activation_requested, [&] { ++activations; });
    ASSERT_TRUE(first.claim());
    SingleInstance second(root);
    EXPECT_FALSE(second.claim());
    EXPECT_TRUE(QTest::qWaitFor([&] { return activations == 1; }, 30000));
    SingleInstance other_root(root + QStringLiteral("-other"));
    EXPECT_TRUE(other_root.claim());
    EXPECT_NE(socket_name_for_root(root), socket_name_for_root(root + QStringLiteral("-other")));
    EXPECT_EQ(socket_name_for_root(root), socket_name_for_root(root + QStringLiteral("/")));
}

}  // namespace
}  // namespace dryer::shell
