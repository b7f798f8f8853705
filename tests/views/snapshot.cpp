// Renders every main-screen window for a sample status image into PNG files
// (views_snapshot OUT_DIR [busy|column|tower1|tower2|406|lost|shutdown]), to
// look at the windows as an operator would.
#include <QApplication>
#include <QDir>
#include <QPainter>

#include "tests/views/sample_status.h"
#include "views/dryer_picture/dryer_picture_window.h"
#include "views/plenum/plenum_window.h"
#include "views/state_line/state_line_window.h"
#include "views/status_bars/status_bars_windows.h"
#include "views/warning/warning_window.h"

using namespace dryer;
using namespace dryer::views;

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QString out = argc > 1 ? argv[1] : QStringLiteral(".");
    const std::string variant = argc > 2 ? argv[2] : "busy";
    QDir().mkpath(out);
    link::LinkState st;
    sample::fill_busy(st);
    auto& s = st.status;
    if (variant == "tower1") s.set(link::off::module_count, 1);
    if (variant == "tower2") s.set(link::off::module_count, 2);
    if (variant == "406") s.set(link::off::options_225, 0x20);
    if (variant == "lost") link::store(st.link_alive, 0u);
    if (variant == "shutdown") {
        s.set(link::off::shutdown_node, 3);
        s.set(link::off::shutdown_code, 5);
    }
    if (variant == "celsius") link::store(st.values.si_units, std::uint8_t{1});
    NumberTexts texts;
    const std::uint32_t blink = 0x5;

    DryerPictureWindow pic(nullptr, st, texts);
    for (int i = 0; i < 7; ++i) pic.advance_phase();
    StateLineWindow line(nullptr, st, texts);
    LeftStatusBarWindow bar(nullptr, st, texts);
    ReadingsWindow readings(nullptr, st, texts);
    PlenumWindow plenum(nullptr, st, texts);
    WarningWindow warning(nullptr, st, texts);
    for (auto* w : std::initializer_list<SceneWindow*>{&pic, &line, &bar, &readings, &plenum, &warning})
        w->set_blink_flags(blink);

    QPixmap panel(640, 480);
    panel.fill(Qt::darkGray);
    QPainter p(&panel);
    p.drawPixmap(0, 0, pic.render_offscreen());
    p.drawPixmap(240, 0, line.render_offscreen());
    p.drawPixmap(240, 245, plenum.render_offscreen());
    if (variant == "lost" || variant == "shutdown") p.drawPixmap(10, 20, warning.render_offscreen());
    p.end();
    panel.save(out + "/panel_" + QString::fromStdString(variant) + ".png");
    bar.render_offscreen().save(out + "/left_bar.png");
    readings.render_offscreen().save(out + "/readings_" + QString::fromStdString(variant) + ".png");
    warning.render_offscreen().save(out + "/warning_" + QString::fromStdString(variant) + ".png");
    return 0;
}
