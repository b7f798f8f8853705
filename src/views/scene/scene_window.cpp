#include "views/scene/scene_window.h"

#include <QPainter>

#include "views/scene/scene_painter.h"

namespace dryer::views {

SceneWindow::SceneWindow(QWidget* parent, link::LinkState& state, const Texts& texts, const char* class_name)
    : kit::PanelWindow(parent, QString::fromLatin1(class_name), QString(), false), state_(state), texts_(texts) {}

const QPixmap& SceneWindow::render_offscreen() {
    render_scene(build_scene(), offscreen_);
    return offscreen_;
}

void SceneWindow::listen(kit::PanelEvents& events) {
    connect(&events, &kit::PanelEvents::fast_tick, this, &SceneWindow::set_blink_flags);
    connect(&events, &kit::PanelEvents::display_tick, this, &SceneWindow::set_blink_flags);
}

void SceneWindow::paintEvent(QPaintEvent* e) {
    ++paints_;
    kit::PanelWindow::paintEvent(e);
}

void SceneWindow::paint_client(QPainter& p) {
    render_offscreen();
    p.drawPixmap(0, 0, offscreen_);
}

}  // namespace dryer::views
