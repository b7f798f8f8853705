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

}  // namespace dryer::views
