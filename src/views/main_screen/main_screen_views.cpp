#include "views/main_screen/main_screen_views.h"

#include "views/dryer_picture/dryer_picture_window.h"
#include "views/plenum/plenum_window.h"
#include "views/state_line/state_line_window.h"
#include "views/status_bars/status_bars_windows.h"
#include "views/warning/warning_window.h"

namespace dryer::views {

MainScreenViews::MainScreenViews(link::LinkState& state, const Texts& texts) : state_(state), texts_(texts) {}

MainScreenViews::MainScreenViews(QWidget* parent, link::LinkState& state, const Texts& texts)
    : MainScreenViews(state, texts) {
    for (std::string_view name : kClassNames) create_window(name, parent);
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

QWidget* MainScreenViews::create_window(std::string_view name, QWidget* parent) {
    SceneWindow* w = nullptr;
    if (name == "DRYER_PIC_WINDOW") w = pic_ = new DryerPictureWindow(parent, state_, texts_);
    if (name == "DRYER_LEFT_STATUS_BAR_WINDOW") w = bar_ = new LeftStatusBarWindow(parent, state_, texts_);
    if (name == "DRYER_RIGHT_STATUS_BAR_WINDOW") w = line_ = new StateLineWindow(parent, state_, texts_);
    if (name == "LINE_GRAPH_WINDOW") w = readings_ = new ReadingsWindow(parent, state_, texts_);
    if (name == "CUSTOM_VIEW_WINDOW") w = plenum_ = new PlenumWindow(parent, state_, texts_);
    if (name == "WARNING_WINDOW") w = warning_ = new WarningWindow(parent, state_, texts_);
    if (w && blink_source_) w->set_blink_source(blink_source_);
    return w;
}

std::array<SceneWindow*, 6> MainScreenViews::windows() const { return {pic_, bar_, line_, readings_, plenum_, warning_}; }

void MainScreenViews::set_blink_source(std::function<std::uint32_t()> source) {
    blink_source_ = std::move(source);
    for (SceneWindow* w : windows())
        if (w) w->set_blink_source(blink_source_);
}

void MainScreenViews::set_blink_flags(std::uint32_t flags) {
    for (SceneWindow* w : windows())
        if (w) w->set_blink_flags(flags);
}

void MainScreenViews::advance_dryer_picture() {
    if (pic_) pic_->advance_phase();
}

void MainScreenViews::warning_message_line_tick() {
    if (warning_) warning_->marker_tick();
}

void MainScreenViews::shutdown_help_tick() {
    if (warning_ && warning_->help_dialog()) warning_->help_dialog()->animation_tick();
}

bool MainScreenViews::help_opened_from_history() const {
    return warning_ && warning_->help_dialog() && warning_->help_dialog()->owned_by_history();
}

void MainScreenViews::close_help() {
    if (warning_ && warning_->help_dialog() && warning_->help_dialog()->isVisible()) warning_->help_dialog()->accept();
}

void MainScreenViews::display_tick(std::uint32_t blink_flags) {
    set_blink_flags(blink_flags);
    if (warning_) warning_->display_tick();
    if (++ticks_ % 3 == 0) warning_message_line_tick();
    advance_dryer_picture();
}

void MainScreenViews::fast_tick(std::uint32_t blink_flags) {
    set_blink_flags(blink_flags);
    if (line_) line_->redraw();
    if (bar_) bar_->redraw();
}

void MainScreenViews::second_tick() {
    if (pic_) pic_->second_tick();
}

void MainScreenViews::apply_redraw(std::uint64_t bits) {
    namespace rd = link::redraw;
    if (pic_ && (bits & rd::dryer_picture)) pic_->redraw();
    if (bar_ && (bits & rd::left_status_bar)) bar_->redraw();
    if (line_ && (bits & (rd::right_status_bar | rd::dryer_state_line))) line_->redraw();
    if (readings_ && (bits & rd::line_graph)) readings_->redraw();
    if (plenum_ && (bits & (rd::plenum_view | (0x3Full * rd::plenum_box_first)))) plenum_->redraw();
    if (warning_ && (bits & rd::warning_window)) warning_->redraw();
}

}  // namespace dryer::views
