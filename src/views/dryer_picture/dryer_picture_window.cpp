#include "views/dryer_picture/dryer_picture_window.h"

namespace dryer::views {

DryerPictureWindow::DryerPictureWindow(QWidget* parent, link::LinkState& state, const Texts& texts)
    : SceneWindow(parent, state, texts, "DRYER_PIC_WINDOW") {
    setWindowTitle(QStringLiteral(" SYSTEM STATUS"));
    resize(kDryerPicWidth, kDryerPicHeight);
}

void DryerPictureWindow::advance_phase() {
    animation_.tick(state_.status);
    update();
}

void DryerPictureWindow::second_tick() { average_.second_tick(state_.status); }

Scene DryerPictureWindow::build_scene() {
    return dryer_picture_scene(state_.status, animation_, average_, celsius(), texts_);
}

}  // namespace dryer::views
