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

namespace {
QWidget* create(kit::PanelContext& c, QWidget* parent) {
    auto* w = new DryerPictureWindow(parent, c.state, c.texts);
    w->listen(c.events);
    QObject::connect(&c.events, &kit::PanelEvents::display_tick, w, &DryerPictureWindow::advance_phase);
    // The one-second housekeeping feeds the hourly average (second_tick()) in its place in the tick.
    return w;
}
}  // namespace

const kit::ScreenRow dryer_picture_screen{
    kit::WindowId::dryer_picture, "DRYER_PIC_WINDOW", " SYSTEM STATUS", {0, 0, 240, 420}, kit::Frame::none, false, true,
    link::redraw::dryer_picture, create};

}  // namespace dryer::views
