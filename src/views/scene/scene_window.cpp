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
    // A raised frame with a dark blue title bar, as the panel's windows have.
    const QRect r = rect();
    p.fillRect(r, Qt::black);
    p.setPen(QColor(223, 223, 223));
    p.drawLine(r.topLeft(), r.topRight());
    p.drawLine(r.topLeft(), r.bottomLeft());
    p.setPen(QColor(128, 128, 128));
    p.drawLine(r.bottomLeft(), r.bottomRight());
    p.drawLine(r.topRight(), r.bottomRight());
    const QRect bar(2, 2, r.width() - 4, kCaptionHeight);
    p.fillRect(bar, QColor(0, 0, 128));
    p.setPen(Qt::white);
    p.setFont(panel_font(13, 700));
    p.drawText(bar.adjusted(2, 0, -2, 0), Qt::AlignLeft | Qt::AlignVCenter, windowTitle());
    const QRect client = contentsRect();
    p.setClipRect(client);
    p.drawPixmap(client.topLeft(), offscreen_);
}

}  // namespace dryer::views
