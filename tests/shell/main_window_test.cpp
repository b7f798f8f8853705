// The main window under the offscreen platform: child windows, the button
// row and its rules, screen switching, the decoder's events and redraw
// bits, the defaults-dipswitch dialog and auto-repeat on real buttons.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <memory>

#include "art/art.h"
#include "l10n/qt/pictures.h"
#include "link/fields.h"
#include "shell/auto_repeat_widgets.h"
#include "shell/child_windows.h"
#include "shell/dipswitch_dialog.h"
#include "shell/event_poller.h"
#include "shell/main_window.h"
#include "shell/panel_window.h"
#include "shell/single_instance.h"

namespace dryer::shell {
namespace {

namespace off = link::off;

QString qs(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

// A picture per number, filled with a colour that tells them apart.
QImage numbered_picture(int n) {
    QImage img(105, 40, QImage::Format_RGB32);
    img.fill(QColor(n * 20 % 256, 100, 200));
    return img;
}

struct MainWindowTest : ::testing::Test {
    link::LinkState state;
    std::unique_ptr<MainWindow> w;

    void SetUp() override { make(); }
    void make(std::function<void(MainWindow&)> before_children = {}) {
        ShellHooks hooks;
        hooks.button_picture = numbered_picture;
        w = std::make_unique<MainWindow>(state, hooks);
        if (before_children) before_children(*w);
        w->create_child_windows();
        w->show();
    }
    bool shown(std::string_view name) const { return w->child(name)->isVisible(); }
    QRect button_rect(int command) const { return w->button(command)->geometry(); }
};

TEST_F(MainWindowTest, eighteen_child_windows_in_order_named_placed_and_titled) {
    int index = 0;
    const QObjectList& kids = w->children();
    std::vector<QString> order;
    for (QObject* o : kids)
        if (o->objectName().endsWith(QStringLiteral("_WINDOW")) || o->objectName().endsWith(QStringLiteral("_NEW")))
            order.push_back(o->objectName());
    ASSERT_EQ(order.size(), kChildWindows.size());
    for (const ChildWindowSpec& entry : kChildWindows) {
        QWidget* c = w->child(entry.class_name);
        ASSERT_NE(c, nullptr) << entry.class_name;
        EXPECT_EQ(order[static_cast<std::size_t>(index++)], qs(entry.class_name));
        EXPECT_EQ(c->geometry(), QRect(entry.x, entry.y, entry.w, entry.h)) << entry.class_name;
        EXPECT_EQ(c->windowTitle(), qs(entry.caption));
        auto* frame = qobject_cast<PanelWindow*>(c);
        ASSERT_NE(frame, nullptr);
        EXPECT_EQ(frame->has_caption_bar(), entry.caption_bar) << entry.class_name;
    }
    // Shown at start: the table's, plus the chart and plenum view of the
    // right-hand view rule for continuous flow without the graph.
    for (const ChildWindowSpec& entry : kChildWindows) {
        const bool by_rule = entry.class_name == "AVERAGE_VALUES_WINDOW" || entry.class_name == "CUSTOM_VIEW_WINDOW";
        EXPECT_EQ(shown(entry.class_name), entry.shown || by_rule) << entry.class_name;
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
    PictureButton* b = w->button(command::temps);
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
    PictureButton* misc = w->button(command::misc);
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
        EXPECT_EQ(shown("GRAPH_WINDOW"), r.graph);
        EXPECT_EQ(shown("AVERAGE_VALUES_WINDOW"), r.averages);
        EXPECT_EQ(shown("CUSTOM_VIEW_WINDOW"), r.custom);
        EXPECT_EQ(shown("BATCH_DRYING_WINDOW"), r.batch);
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

TEST_F(MainWindowTest, timers_temps_setup_hide_the_main_screen) {
    struct Row {
        int command;
        const char* screen;
    };
    for (Row r : {Row{command::timers, "TIMER_SELECT_WINDOW"}, Row{command::temps, "TEMP_SELECT_WINDOW"},
                  Row{command::setup, "SETUP_SELECTION_WINDOW"}}) {
        QTest::mouseClick(w->button(r.command), Qt::LeftButton);
        for (std::string_view name : kMainScreenWindows) EXPECT_FALSE(shown(name)) << r.screen << " " << name;
        for (const MainButtonSpec& b : kMainButtons) EXPECT_FALSE(w->button(b.command)->isVisible());
        EXPECT_TRUE(shown(r.screen));
        EXPECT_FALSE(w->main_screen_shown());
        w->child(r.screen)->hide();
        w->restore_main_screen();
        EXPECT_TRUE(shown("DRYER_PIC_WINDOW"));
        EXPECT_TRUE(shown("AVERAGE_VALUES_WINDOW"));
        EXPECT_TRUE(w->button(command::misc)->isVisible());
    }
    EXPECT_EQ(state.values.view_switching_enabled.load(), 0);  // SETUP turned it off
}

TEST_F(MainWindowTest, setup_hides_the_warning_window_and_the_rule_waits_for_the_main_screen) {
    state.status.set(off::shutdown_node, 3);
    w->on_display_timer();
    EXPECT_TRUE(shown("WARNING_WINDOW"));
    w->command(command::setup);
    EXPECT_FALSE(shown("WARNING_WINDOW"));
    state.status.set(off::drying_mode, 1);
    state.redraw.request(link::redraw::right_hand_view_rule);
    QCoreApplication::processEvents();
    EXPECT_FALSE(shown("BATCH_DRYING_WINDOW"));  // nothing shows under the setup screen
    w->child("SETUP_SELECTION_WINDOW")->hide();
    w->restore_main_screen();
    EXPECT_TRUE(shown("BATCH_DRYING_WINDOW"));
}

TEST_F(MainWindowTest, view_shows_the_view_selection_over_the_main_screen) {
    w->command(command::view);
    EXPECT_TRUE(shown("VIEW_SELECTION_WINDOW"));
    EXPECT_TRUE(shown("DRYER_PIC_WINDOW"));
    EXPECT_EQ(w->childAt(300, 100)->objectName(), QStringLiteral("VIEW_SELECTION_WINDOW"));
}

TEST_F(MainWindowTest, warning_window_shown_when_the_link_is_lost_and_hidden_when_it_returns) {
    state.link_alive = 0;
    w->on_display_timer();
    EXPECT_TRUE(shown("WARNING_WINDOW"));
    state.link_alive = 10;
    w->on_display_timer();
    EXPECT_FALSE(shown("WARNING_WINDOW"));
}

TEST(BatchButtons, heat_buttons_follow_drying_mode_and_dual_plenum) {
    link::LinkState state;
    MainWindow w(state, {});
    QPushButton *single = nullptr, *high = nullptr, *low = nullptr;
    w.set_child_factory("BATCH_DRYING_WINDOW", [&](QWidget* parent) {
        auto* frame = new PanelWindow(QStringLiteral("BATCH_DRYING_WINDOW"), QString(), true, parent);
        single = new QPushButton(frame);
        single->setObjectName(QString::fromLatin1(kSingleHeatButton));
        single->setEnabled(false);
        high = new QPushButton(frame);
        high->setObjectName(QString::fromLatin1(kHighHeatButton));
        low = new QPushButton(frame);
        low->setObjectName(QString::fromLatin1(kLowHeatButton));
        return frame;
    });
    w.create_child_windows();
    w.show();
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
    EventBytePoller poller(state.values, *w);
    int opened = 0;
    state.values.dipswitch_event = 1;
    exit_dipswitch_dialog_soon(&opened);
    QTest::qWait(100);  // any event polls; the command runs queued
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(state.values.dipswitch_latch.load(), 1);
    EXPECT_EQ(state.values.dipswitch_event.load(), 0);
    state.values.dipswitch_event = 1;  // latched: not offered again
    QTest::qWait(100);
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
    int opened = 0;
    ShellHooks hooks;
    hooks.open_meter_roll_speed = [&](QWidget*) { ++opened; };
    MainWindow win(state, hooks);
    win.create_child_windows();
    EventBytePoller poller(state.values, win);
    state.values.meter_roll_event = 1;
    QTest::qWait(20);
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(state.values.meter_roll_event.load(), 0);
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
    EXPECT_EQ(img.pixelColor(240 + 150, 40 + 10), QColor(0, 0, 128));  // AVERAGE_VALUES_WINDOW's bar
    EXPECT_EQ(img.pixelColor(240 + 390, 245 + 12), QColor(0, 0, 128));  // CUSTOM_VIEW_WINDOW's bar
    EXPECT_EQ(img.pixelColor(100, 200), QColor(Qt::black));            // DRYER_PIC_WINDOW
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
    EXPECT_TRUE(QTest::qWaitFor([&] { return activations == 1; }, 2000));
    SingleInstance other_root(root + QStringLiteral("-other"));
    EXPECT_TRUE(other_root.claim());
    EXPECT_NE(socket_name_for_root(root), socket_name_for_root(root + QStringLiteral("-other")));
    EXPECT_EQ(socket_name_for_root(root), socket_name_for_root(root + QStringLiteral("/")));
}

}  // namespace
}  // namespace dryer::shell
