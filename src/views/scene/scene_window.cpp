#include "views/scene/scene_window.h"

#include <QPainter>

#include "views/scene/scene_painter.h"

namespace dryer::views {

SceneWindow::SceneWindow(QWidget* parent, link::LinkState& state, const Texts& texts, const char* class_name)
    : QWidget(parent), state_(state), texts_(texts) {
    setObjectName(QString::fromLatin1(class_name));
    setAttribute(Qt::WA_OpaquePaintEvent);  // the off-screen copy covers the whole window
    load_panel_fonts();
}

const QPixmap& SceneWindow::render_offscreen() {
    render_scene(build_scene(), offscreen_);
    return offscreen_;
}

void SceneWindow::set_caption_bar(bool on) {
    caption_bar_ = on;
    setContentsMargins(on ? QMargins(2, kCaptionHeight + 2, 2, 2) : QMargins());
    update();
}

void SceneWindow::paintEvent(QPaintEvent*) {
    ++paints_;
    render_offscreen();
    QPainter p(this);
    if (!caption_bar_) {
        p.drawPixmap(0, 0, offscreen_);
        return;
    }
    paint_window_frame(p, rect(), windowTitle());
    const QRect client = contentsRect();
    p.setClipRect(client);
    p.drawPixmap(client.topLeft(), offscreen_);
}

}  // namespace dryer::views
