#include "views/state_line/state_line_window.h"

#include "views/state_line/state_line_model.h"

namespace dryer::views {

StateLineWindow::StateLineWindow(QWidget* parent, link::LinkState& state, const Texts& texts)
    : SceneWindow(parent, state, texts, "DRYER_RIGHT_STATUS_BAR_WINDOW") {
    setWindowTitle(QStringLiteral(" DRYER BAR STATUS"));
    resize(kStateLineWidth, kStateLineHeight);
}

Scene StateLineWindow::build_scene() {
    return state_line_scene(state_line(state_.status, blink_flags(), celsius(), texts_));
}

const kit::ScreenRow state_line_screen{kit::WindowId::right_status_bar,
                                       "DRYER_RIGHT_STATUS_BAR_WINDOW",
                                       " DRYER BAR STATUS",
                                       {240, 0, 400, 40},
                                       kit::Frame::none,
                                       false,
                                       true,
                                       link::redraw::right_status_bar | link::redraw::dryer_state_line,
                                       create_scene_window<StateLineWindow>};

}  // namespace dryer::views
