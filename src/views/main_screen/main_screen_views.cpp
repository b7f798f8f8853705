#include "views/main_screen/main_screen_views.h"

#include "views/dryer_picture/dryer_picture_window.h"
#include "views/plenum/plenum_window.h"
#include "views/state_line/state_line_window.h"
#include "views/status_bars/status_bars_windows.h"
#include "views/warning/warning_window.h"

namespace dryer::views {

MainScreenViews::MainScreenViews(QWidget* parent, link::LinkState& state, const Texts& texts)
    : pic_(new DryerPictureWindow(parent, state, texts)),
      bar_(new LeftStatusBarWindow(parent, state, texts)),
      line_(new StateLineWindow(parent, state, texts)),
      readings_(new ReadingsWindow(parent, state, texts)),
      plenum_(new PlenumWindow(parent, state, texts)),
      warning_(new WarningWindow(parent, state, texts)) {
    pic_->move(0, 0);
    bar_->move(0, 0);
    line_->move(240, 0);
    readings_->move(0, 40);
    plenum_->move(240, 245);
    warning_->move(10, 20);
    // Shown at start: the dryer picture and the state line. The shell's
    // view rules show the others.
    bar_->hide();
    readings_->hide();
    plenum_->hide();
}

void MainScreenViews::set_blink_flags(std::uint32_t flags) {
    for (SceneWindow* w : {static_cast<SceneWindow*>(pic_), static_cast<SceneWindow*>(bar_),
                           static_cast<SceneWindow*>(line_), static_cast<SceneWindow*>(readings_),
                           static_cast<SceneWindow*>(plenum_), static_cast<SceneWindow*>(warning_)})
        w->set_blink_flags(flags);
}

void MainScreenViews::display_tick(std::uint32_t blink_flags) {
    set_blink_flags(blink_flags);
    warning_->display_tick();
    if (++ticks_ % 3 == 0) warning_->marker_tick();
    pic_->advance_phase();
}

void MainScreenViews::fast_tick(std::uint32_t blink_flags) {
    set_blink_flags(blink_flags);
    line_->redraw();
    bar_->redraw();
}

void MainScreenViews::second_tick() { pic_->second_tick(); }

void MainScreenViews::apply_redraw(std::uint64_t bits) {
    namespace rd = link::redraw;
    if (bits & rd::dryer_picture) pic_->redraw();
    if (bits & rd::left_status_bar) bar_->redraw();
    if (bits & (rd::right_status_bar | rd::dryer_state_line)) line_->redraw();
    if (bits & rd::line_graph) readings_->redraw();
    if (bits & (rd::plenum_view | (0x3Full * rd::plenum_box_first))) plenum_->redraw();
    if (bits & rd::warning_window) warning_->redraw();
}

}  // namespace dryer::views
