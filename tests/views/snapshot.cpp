// Renders the main screen's windows for a sample status image into PNG files
// (views_snapshot OUT_DIR [busy|tower1|tower2|406|lost|shutdown|celsius|five|batch|dual|big]
// [PANEL_ROOT]), to look at them as an operator would. With a panel root the
// windows show its English texts, else the text numbers ("T288"), and the
// timer and temperature selection screens are written too.
#include <QApplication>
#include <QDir>

#include "tests/views/sample_status.h"
#include "views/dryer_picture/dryer_picture_window.h"
#include "l10n/language.h"
#include "setup/temp_select/temp_select_window.h"
#include "setup/timer_select/timer_select_window.h"
#include "platform/panel_paths.h"
#include "views/plenum/plenum_window.h"
#include "views/scene/l10n_texts.h"
#include "views/state_line/state_line_window.h"
#include "views/status_bars/status_bars_windows.h"
#include "views/warning/warning_window.h"

using namespace dryer;
using namespace dryer::views;

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QString out = argc > 1 ? argv[1] : QStringLiteral(".");
    const std::string variant = argc > 2 ? argv[2] : "busy";
    const QString tag = QString::fromStdString(variant);
    QDir().mkpath(out);
    link::LinkState st;
    sample::fill_busy(st);
    auto& s = st.status;
    if (variant == "tower1") s.set(link::off::module_count, 1);
    if (variant == "tower2") s.set(link::off::module_count, 2);
    if (variant == "406") s.set(link::off::options_225, 0x20);
    if (variant == "five") s.set(link::off::fan_heater_count, 3);
    if (variant == "lost") link::store(st.link_alive, 0u);
    if (variant == "shutdown") {
        s.set(link::off::shutdown_node, 3);
        s.set(link::off::shutdown_code, 5);
    }
    if (variant == "celsius") link::store(st.values.si_units, std::uint8_t{1});
    if (variant == "batch" || variant == "dual") {
        s.set(link::off::drying_mode, 1);
        s.set(link::off::system_flags_257, variant == "dual" ? 0x12 : 0x10);
        s.set(link::off::fan_heater_count, 0);
    }
    if (variant == "big") {
        s.set_u16le(link::off::value_93, 188);
        s.set_u16be(link::off::value_173, 65000);
        s.set(link::off::unload_counter + 3, 0x10);
        s.set(link::off::mc_mode_flags, 0x85);
        s.set_u16le(link::off::target_149, 110);
        s.set(link::off::fan_heater_count, 2);
        for (int k = 1; k <= 6; ++k) s.set_u16le(link::heater_temperature_offset(k), 288);
    }
    NumberTexts numbers;
    L10nTexts localized;
    const Texts* texts = &numbers;
    if (argc > 3) {
        platform::set_panel_root(argv[3]);
        l10n::reset_localization();
        texts = &localized;
    }

    QWidget panel;
    panel.setStyleSheet(QStringLiteral("background: rgb(60,60,60);"));
    panel.resize(640, 480);
    auto place = [&panel](SceneWindow* w, const kit::ScreenRow& row) {
        w->setParent(&panel);
        w->setGeometry(row.rect);
        w->set_caption_bar(row.frame == kit::Frame::caption_bar);
        w->set_blink_flags(0x5);
        w->setVisible(row.shown);
        return w;
    };
    auto* pic = new DryerPictureWindow(nullptr, st, *texts);
    place(pic, dryer_picture_screen);
    for (int i = 0; i < 7; ++i) pic->advance_phase();
    place(new StateLineWindow(nullptr, st, *texts), state_line_screen);
    place(new PlenumWindow(nullptr, st, *texts), plenum_screen)->show();
    auto* warning = new WarningWindow(nullptr, st, *texts);
    place(warning, warning_screen)->setVisible(variant == "lost" || variant == "shutdown");
    auto* bar = place(new LeftStatusBarWindow(nullptr, st, *texts), left_status_bar_screen);
    auto* readings = place(new ReadingsWindow(nullptr, st, *texts), readings_screen);
    panel.show();
    QApplication::processEvents();
    panel.grab().save(out + "/panel_" + tag + ".png");
    bar->show();
    bar->grab().save(out + "/left_bar.png");
    readings->show();
    readings->grab().save(out + "/readings_" + tag + ".png");
    if (argc > 3) {  // the setup screens with the same texts
        setup::TimerSelectWindow timers(st);
        timers.show();
        timers.grab().save(out + "/timer_select_" + tag + ".png");
        setup::TempSelectWindow temps(st);
        temps.show();
        temps.grab().save(out + "/temp_select_" + tag + ".png");
    }
    return 0;
}
