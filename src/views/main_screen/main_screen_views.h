// The status windows of the main screen together: created as children of the
// main window at their places, fed by the shell's timers and by the
// decoder's redraw requests.
//
// Usage (the main window):
//   views_ = std::make_unique<MainScreenViews>(this, link_state(), texts);
//   display timer:  views_->display_tick(blink_flags);
//   fast timer:     views_->fast_tick(blink_flags);
//   one-second:     views_->second_tick();
//   redraw wake-up: views_->apply_redraw(state.redraw.take());
#pragma once

#include <cstdint>

#include "link/link_state.h"
#include "views/scene/texts.h"

class QWidget;

namespace dryer::views {

class DryerPictureWindow;
class LeftStatusBarWindow;
class PlenumWindow;
class ReadingsWindow;
class StateLineWindow;
class WarningWindow;

class MainScreenViews {
public:
    // The windows are created as children of parent at their places on the
    // 640 by 480 panel; parent owns them.
    MainScreenViews(QWidget* parent, link::LinkState& state, const Texts& texts);

    // set_blink_flags() shall hand the shell's blink flags to every window.
    void set_blink_flags(std::uint32_t flags);
    // display_tick() is the 100 ms timer's share: show or hide the warning
    // window (and close its help dialog), every third tick step the link-lost
    // marker, advance and redraw the dryer picture.
    void display_tick(std::uint32_t blink_flags);
    // fast_tick() is the 175 ms timer's share: redraw the status bars.
    void fast_tick(std::uint32_t blink_flags);
    // second_tick() is the one-second timer's share: the hourly average.
    void second_tick();
    // apply_redraw() shall redraw the windows named by the decoder's redraw
    // bits (redraw::...); other bits are left to their owners.
    void apply_redraw(std::uint64_t bits);

    DryerPictureWindow* dryer_picture() const { return pic_; }
    LeftStatusBarWindow* left_status_bar() const { return bar_; }
    StateLineWindow* state_line() const { return line_; }
    ReadingsWindow* readings() const { return readings_; }
    PlenumWindow* plenum() const { return plenum_; }
    WarningWindow* warning() const { return warning_; }

private:
    DryerPictureWindow* pic_;
    LeftStatusBarWindow* bar_;
    StateLineWindow* line_;
    ReadingsWindow* readings_;
    PlenumWindow* plenum_;
    WarningWindow* warning_;
    unsigned ticks_ = 0;
};

}  // namespace dryer::views
