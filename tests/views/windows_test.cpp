// The windows under the offscreen platform: pixels at the panel's
// coordinates, the warning window's show/hide tick and its help dialog.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QPaintEvent>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>

#include "tests/views/sample_status.h"
#include "views/dryer_picture/dryer_picture_window.h"
#include "views/plenum/plenum_window.h"
#include "views/scene/blink.h"
#include "views/state_line/state_line_window.h"
#include "views/status_bars/status_bars_windows.h"
#include "views/warning/warning_window.h"

using namespace dryer;
using namespace dryer::views;
namespace off = link::off;

namespace {

QColor pixel(const QPixmap& pm, int x, int y) { return pm.toImage().pixelColor(x, y); }

class Windows : public ::testing::Test {
protected:
    link::LinkState st;
    NumberTexts texts;
};

TEST_F(Windows, every_window_carries_its_class_name) {
    DryerPictureWindow a(nullptr, st, texts);
    PlenumWindow b(nullptr, st, texts);
    StateLineWindow c(nullptr, st, texts);
    LeftStatusBarWindow d(nullptr, st, texts);
    ReadingsWindow e(nullptr, st, texts);
    WarningWindow f(nullptr, st, texts);
    EXPECT_EQ(a.objectName(), "DRYER_PIC_WINDOW");
    EXPECT_EQ(b.objectName(), "CUSTOM_VIEW_WINDOW");
    EXPECT_EQ(c.objectName(), "DRYER_RIGHT_STATUS_BAR_WINDOW");
    EXPECT_EQ(d.objectName(), "DRYER_LEFT_STATUS_BAR_WINDOW");
    EXPECT_EQ(e.objectName(), "LINE_GRAPH_WINDOW");
    EXPECT_EQ(f.objectName(), "WARNING_WINDOW");
    EXPECT_EQ(a.render_offscreen().size(), QSize(240, 420));
    EXPECT_EQ(b.render_offscreen().size(), QSize(396, 151));  // the client area below the caption bar
    EXPECT_EQ(c.render_offscreen().size(), QSize(400, 40));
    EXPECT_EQ(f.render_offscreen().size(), QSize(596, 301));
}

TEST_F(Windows, airflow_banner_is_red_in_the_blink_phase_only) {
    st.status.set(off::heater_status_143 + 2, 0x04);
    LeftStatusBarWindow bar(nullptr, st, texts);
    bar.set_blink_flags(blink::phase);
    EXPECT_EQ(pixel(bar.render_offscreen(), 4, 4), QColor(255, 0, 0));
    bar.set_blink_flags(0);
    EXPECT_EQ(pixel(bar.render_offscreen(), 4, 4), QColor(0, 0, 0));
}

TEST_F(Windows, big_figure_is_green) {
    st.status.set(off::mc_mode_flags, 0x03);
    st.status.set_u16be(off::moisture_189, 888);
    DryerPictureWindow pic(nullptr, st, texts);
    const QImage img = pic.render_offscreen().toImage();
    int green = 0;
    for (int y = 345; y < 415; ++y)
        for (int x = 0; x < 130; ++x)
            if (img.pixelColor(x, y) == QColor(0, 255, 0)) ++green;
    EXPECT_GT(green, 200);
}

TEST_F(Windows, plenum_six_boxes_for_code_4_none_for_5) {
    PlenumWindow plenum(nullptr, st, texts);
    st.status.set(off::fan_heater_count, 4);
    // Dividers of the three-by-two grid.
    const QImage six = plenum.render_offscreen().toImage();
    EXPECT_EQ(six.pixelColor(132, 40), QColor(128, 128, 128));
    EXPECT_EQ(six.pixelColor(264, 120), QColor(128, 128, 128));
    EXPECT_EQ(six.pixelColor(60, 75), QColor(128, 128, 128));
    st.status.set(off::fan_heater_count, 5);
    const QImage none = plenum.render_offscreen().toImage();
    for (int y = 0; y < none.height(); y += 5)
        for (int x = 0; x < none.width(); x += 5) ASSERT_EQ(none.pixelColor(x, y), QColor(0, 0, 0)) << x << "," << y;
}

TEST_F(Windows, plenum_figures_stay_inside_their_boxes) {
    PlenumWindow plenum(nullptr, st, texts);
    st.status.set(off::fan_heater_count, 1);  // two boxes: units 5 and 6
    for (int unit : {5, 6}) st.status.set_u16le(link::heater_temperature_offset(unit), 888);
    const QImage img = plenum.render_offscreen().toImage();
    // No red ink of a three-digit figure may touch the divider between the
    // boxes or the panel's edges: the figures shrink to fit.
    for (int y = 40; y < 110; ++y) {
        for (int x : {0, 1, 196, 197, 198, 199, 200, 394, 395}) {
            ASSERT_NE(img.pixelColor(x, y), QColor(255, 0, 0)) << x << "," << y;
        }
    }
    int red = 0;
    for (int y = 20; y < 120; ++y)
        for (int x = 0; x < img.width(); ++x) red += img.pixelColor(x, y) == QColor(255, 0, 0);
    EXPECT_GT(red, 2000) << "the figures are still drawn large";
}

TEST_F(Windows, state_line_draws_its_colour) {
    st.status.set(off::status_118, 0x20);
    StateLineWindow line(nullptr, st, texts);
    line.set_blink_flags(blink::phase);
    const QImage img = line.render_offscreen().toImage();
    int red = 0;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 400; ++x)
            if (img.pixelColor(x, y) == QColor(255, 0, 0)) ++red;
    EXPECT_GT(red, 30);
}

TEST_F(Windows, readings_selector_button_advances_its_state) {
    ReadingsWindow r(nullptr, st, texts);
    auto* b = r.findChild<QPushButton*>("GRAIN_TEMP_SELECT_BUTTON");
    ASSERT_NE(b, nullptr);
    for (int i = 0; i < 3; ++i) QTest::mouseClick(b, Qt::LeftButton);
    EXPECT_EQ(r.selection().temperature, 0);
    QTest::mouseClick(b, Qt::LeftButton);
    EXPECT_EQ(r.selection().temperature, 1);
    QTest::mouseClick(r.findChild<QPushButton*>("MOISTURE_VIEW_SELECT_BUTTON"), Qt::LeftButton);
    EXPECT_EQ(r.selection().moisture, 1);
}

TEST_F(Windows, warning_window_link_lost_asks_for_the_link_lost_reply_and_moves_marker) {
    WarningWindow w(nullptr, st, texts);
    EXPECT_TRUE(w.isHidden());  // the shell's display tick shows it
    link::store(st.link_alive, 0u);
    w.show();
    for (int i = 0; i < 4; ++i) {
        w.marker_tick();
        w.render_offscreen();
    }
    const QPixmap& pm = w.render_offscreen();  // no marker step without a tick
    EXPECT_EQ(link::load(st.link_lost_request), 1);
    EXPECT_EQ(w.windowTitle(), kConnectionLostCaption);
    EXPECT_EQ(w.marker(), 4);
    EXPECT_EQ(pixel(pm, 147, 70), QColor(0, 0, 150));  // the marker at m = 4: x 145..160
    EXPECT_EQ(pixel(pm, 200, 70), QColor(0, 125, 0));  // the bar
    EXPECT_EQ(pixel(pm, 590, 300), QColor(100, 100, 100));
}

// Records the rectangles of the paint events a widget receives.
struct PaintRecorder : QObject {
    std::vector<QRect> rects;
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Paint) rects.push_back(static_cast<QPaintEvent*>(e)->rect());
        return false;
    }
};

// The marker's tick repaints only the marker, so it brings the caption of a
// link lost during a shutdown itself; the next whole paint would be too late.
TEST_F(Windows, warning_window_marker_tick_brings_the_lost_link_caption) {
    WarningWindow w(nullptr, st, texts);
    link::store(st.link_alive, 1u);
    st.status.set(off::shutdown_node, 14);
    w.show();
    w.render_offscreen();
    EXPECT_EQ(w.windowTitle().toStdString(), texts.text(329));
    link::store(st.link_alive, 0u);
    w.marker_tick();
    EXPECT_EQ(w.windowTitle(), kConnectionLostCaption);
}

TEST_F(Windows, marker_step_repaints_the_marker_on_the_real_screen) {
    link::store(st.link_alive, 0u);
    WarningWindow w(nullptr, st, texts);
    PaintRecorder rec;
    w.installEventFilter(&rec);
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !rec.rects.empty(); }));
    for (int i = 0; i < 4; ++i) {  // past the picture that covers the bar's start
        w.marker_tick();
        ASSERT_TRUE(QTest::qWaitFor([&] { return w.marker() == i + 1; }));
    }
    QScreen* screen = w.screen();
    const QImage before = screen->grabWindow(w.winId()).toImage();
    rec.rects.clear();
    w.marker_tick();  // m 4 -> 5: the marker now covers x 155..170 of the drawing
    ASSERT_TRUE(QTest::qWaitFor([&] { return !rec.rects.empty(); }));
    const QImage after = screen->grabWindow(w.winId()).toImage();
    const QPoint o = w.contentsRect().topLeft();
    const QRect area = QRect(kMarkerArea.left, kMarkerArea.top, kMarkerArea.right - kMarkerArea.left,
                             kMarkerArea.bottom - kMarkerArea.top).translated(o);
    EXPECT_TRUE(rec.rects.back().contains(area)) << rec.rects.back().x() << "," << rec.rects.back().y();
    EXPECT_EQ(w.marker(), 5);
    EXPECT_EQ(before.pixelColor(o + QPoint(167, 70)), QColor(0, 125, 0));  // the bar
    EXPECT_EQ(after.pixelColor(o + QPoint(167, 70)), QColor(0, 0, 150));   // the marker
}

TEST_F(Windows, help_dialog_closes_on_the_tick_after_the_condition_clears) {
    QTemporaryDir dir;
    TableTexts t;
    t.set_warning_folder(dir.path().toStdString());
    {
        QFile f(dir.filePath("NID_02_WARNING_ID_05.txt"));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QByteArray("\xFF\xFE" "A\0\t\0B\0\r\0\n\0", 12));
    }
    QPixmap(500, 400).save(dir.filePath("NID_02_WARNING_ID_05.bmp"));
    st.status.set(off::shutdown_node, 4);
    st.status.set(off::shutdown_code, 5);
    WarningWindow w(nullptr, st, t);
    w.show();
    QTest::mouseClick(w.findChild<QPushButton*>("WARNING_HELP"), Qt::LeftButton);
    WarningHelpDialog* dlg = w.help_dialog();
    ASSERT_NE(dlg, nullptr);
    dlg->grab();  // paint once: loads the text and the picture
    ASSERT_EQ(dlg->list()->count(), 1);
    EXPECT_EQ(dlg->list()->item(0)->text(), "A    B");
    EXPECT_FALSE(dlg->picture_failed());
    // The dialog keeps its condition while the status changes.
    st.status.set(off::shutdown_node, 0);
    st.status.set(off::shutdown_code, 0);
    w.close_help();  // the shell's display tick: the condition has cleared
    EXPECT_FALSE(dlg->isVisible());
}

TEST_F(Windows, help_dialog_owned_by_history_stays_and_missing_text_says_so) {
    TableTexts t;
    st.status.set(off::shutdown_node, 15);
    st.status.set(off::shutdown_code, 1);
    WarningWindow w(nullptr, st, t);
    w.show();
    w.open_help();
    WarningHelpDialog* dlg = w.help_dialog();
    ASSERT_NE(dlg, nullptr);
    dlg->set_owned_by_history(true);
    st.status.set(off::shutdown_node, 0);
    st.status.set(off::shutdown_code, 0);
    w.close_help();
    EXPECT_TRUE(dlg->isVisible());
    dlg->grab();
    ASSERT_EQ(dlg->list()->count(), 1);
    EXPECT_EQ(dlg->list()->item(0)->text(), kNoHelpText);
    EXPECT_TRUE(dlg->picture_failed());
    dlg->reject();
}

TEST_F(Windows, help_dialog_rear_discharge_frames_advance_on_the_tick) {
    st.status.set(off::shutdown_node, 14);
    st.status.set(off::shutdown_code, 5);
    WarningWindow w(nullptr, st, texts);
    w.open_help();
    ASSERT_NE(w.help_dialog(), nullptr);
    for (int i = 0; i < 8; ++i) w.help_animation_tick();
    EXPECT_EQ(w.help_dialog()->frame(), 1);
    w.help_dialog()->reject();
}

}  // namespace

#include <QWidget>

#include "kit/screen.h"
#include "views/dryer_picture/dryer_picture_window.h"

namespace {

// The panel around a screen created from its registry row: no other windows.
struct NoShell : kit::PanelShell {
    QWidget* window(kit::WindowId) const override { return nullptr; }
    void restore_main_screen() override {}
    bool has_dialog(kit::DialogId) const override { return false; }
    bool open_dialog(kit::DialogId, QWidget*, int) override { return false; }
};

TEST_F(Windows, status_windows_hear_the_panel_ticks_they_subscribe_to) {
    kit::PanelEvents events;
    NoShell shell;
    kit::PanelContext context{st, texts, events, shell};
    std::unique_ptr<QWidget> pic(dryer_picture_screen.create(context, nullptr));
    std::unique_ptr<QWidget> warning(warning_screen.create(context, nullptr));
    auto* dryer = qobject_cast<DryerPictureWindow*>(pic.get());
    ASSERT_NE(dryer, nullptr);
    st.status.set(off::heater_status_125 + 5, 0x01);  // unit 6 turning
    for (int i = 0; i < 3; ++i) emit events.display_tick(blink::phase);
    EXPECT_EQ(dryer->animation().unit_phase(6), 0);  // three ticks: 1, 2, 0
    emit events.display_tick(blink::phase);
    EXPECT_EQ(dryer->animation().unit_phase(6), 1);
    EXPECT_EQ(qobject_cast<WarningWindow*>(warning.get())->blink_flags(), blink::phase);
    const int before = qobject_cast<WarningWindow*>(warning.get())->marker();
    emit events.message_line_tick();
    qobject_cast<WarningWindow*>(warning.get())->render_offscreen();
    EXPECT_NE(qobject_cast<WarningWindow*>(warning.get())->marker(), before);
}

}  // namespace

#include <QFileInfo>
#include <QFontInfo>
#include <QMessageBox>
#include <QTimer>

#include "views/scene/scene_painter.h"

namespace {

TEST_F(Windows, texts_are_drawn_in_tahoma_when_the_system_has_it) {
    if (!QFileInfo::exists("/usr/share/wine/fonts/tahoma.ttf")) GTEST_SKIP() << "no free Tahoma on this machine";
    load_panel_fonts();
    EXPECT_EQ(QFontInfo(panel_font(12, 400)).family(), "Tahoma");
    EXPECT_EQ(QFontInfo(panel_font(60, 700)).family(), "Tahoma");
}

// Answers the next message box with the given button once it shows; notes
// whether the box offered Retry.
void answer_message_box(QMessageBox::StandardButton button, QString* title, bool* offered_retry = nullptr) {
    QTimer::singleShot(0, [=] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* box = qobject_cast<QMessageBox*>(w); box && box->isVisible()) {
                *title = box->windowTitle();
                if (offered_retry) *offered_retry = box->button(QMessageBox::Retry) != nullptr;
                box->button(button)->click();
                return;
            }
        answer_message_box(button, title, offered_retry);
    });
}

TEST_F(Windows, missing_picture_asks_retry_or_cancel_and_cancel_closes) {
    TableTexts t;
    t.set(467, "NO PICTURE");
    t.set(468, "The picture could not be loaded.");
    st.status.set(off::shutdown_node, 15);
    st.status.set(off::shutdown_code, 2);
    WarningWindow w(nullptr, st, t);
    w.show();
    w.open_help();
    QPointer<WarningHelpDialog> dlg = w.help_dialog();
    ASSERT_TRUE(dlg);
    QString title;
    answer_message_box(QMessageBox::Retry, &title);
    dlg->grab();
    EXPECT_TRUE(dlg->picture_failed());
    for (int i = 0; i < 50 && title.isEmpty(); ++i) QApplication::processEvents();
    EXPECT_EQ(title, "NO PICTURE");
    EXPECT_FALSE(dlg->picture_failed());  // Retry: the next repaint tries again
    title.clear();
    bool offered_retry = true;
    answer_message_box(QMessageBox::Cancel, &title, &offered_retry);
    dlg->grab();
    for (int i = 0; i < 50 && title.isEmpty(); ++i) QApplication::processEvents();
    EXPECT_EQ(title, "NO PICTURE");
    EXPECT_FALSE(offered_retry) << "a picture that fails again is offered Cancel only";
    QApplication::processEvents();
    EXPECT_TRUE(!dlg || !dlg->isVisible());
}

TEST_F(Windows, help_during_a_lost_link_shows_the_lost_link_help) {
    QTemporaryDir dir;
    TableTexts t;
    t.set_warning_folder(dir.path().toStdString());
    {
        QFile f(dir.filePath("NID_00_WARNING_ID_00.txt"));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QByteArray("\xFF\xFE" "L\0o\0s\0t\0\r\0\n\0", 14));
    }
    QPixmap(500, 400).save(dir.filePath("NID_00_WARNING_ID_00.bmp"));
    st.status.set(off::shutdown_node, 14);  // the last report before the link went
    st.status.set(off::shutdown_code, 5);
    link::store(st.link_alive, 0u);
    WarningWindow w(nullptr, st, t);
    w.show();
    w.open_help();
    WarningHelpDialog* dlg = w.help_dialog();
    ASSERT_NE(dlg, nullptr);
    dlg->grab();
    ASSERT_EQ(dlg->list()->count(), 1);
    EXPECT_EQ(dlg->list()->item(0)->text(), "Lost");
    EXPECT_FALSE(dlg->picture_failed());
    dlg->reject();
}

}  // namespace

#include "art/art.h"

namespace {

TEST_F(Windows, built_in_pictures_have_their_sizes_and_every_phase_differs) {
    struct P {
        int first, count, w, h;
    } pictures[] = {{323, 1, 86, 420},  {324, 1, 122, 420}, {367, 1, 180, 315}, {406, 1, 150, 360},
                    {325, 12, 44, 45},  {341, 12, 44, 45},  {292, 6, 44, 45},   {301, 6, 44, 45},
                    {408, 3, 44, 45},   {418, 3, 44, 45},   {462, 1, 25, 25},   {259, 1, 100, 75},
                    {260, 1, 100, 124}, {517, 1, 100, 92}};
    for (const P& p : pictures)
        for (int n = p.first; n < p.first + p.count; ++n) EXPECT_EQ(art::builtin_picture(n).size(), QSize(p.w, p.h)) << n;
    // Moving parts and lit units: three phases, three different pictures.
    for (int first : {310, 317, 331, 354, 357, 360, 363, 418, 422, 425, 430}) {
        EXPECT_NE(art::builtin_picture(first), art::builtin_picture(first + 1)) << first;
        EXPECT_NE(art::builtin_picture(first + 1), art::builtin_picture(first + 2)) << first;
    }
    EXPECT_NE(art::builtin_picture(428), art::builtin_picture(429));
}

}  // namespace
