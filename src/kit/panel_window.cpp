#include "kit/panel_window.h"

#include <QPainter>

namespace dryer::kit {

PanelWindow::PanelWindow(QWidget* parent, const QString& class_name, const QString& caption, bool caption_bar,
                         Look look)
    : QWidget(parent), caption_bar_(caption_bar), look_(look) {
    load_panel_fonts();
    setObjectName(class_name);
    setWindowTitle(caption);
    setAttribute(Qt::WA_OpaquePaintEvent);
    if (caption_bar_) setContentsMargins(caption_margins(look_));
}

void PanelWindow::set_caption(const QString& caption) {
    if (caption == windowTitle()) return;
    setWindowTitle(caption);
    update(0, 0, width(), kCaptionBarHeight + 2);
}

void PanelWindow::set_caption_bar(bool on) {
    caption_bar_ = on;
    setContentsMargins(on ? caption_margins(look_) : QMargins());
    update();
}

void PanelWindow::paintEvent(QPaintEvent*) {
    QPainter p(this);
    if (caption_bar_) {
        paint_window_frame(p, rect(), windowTitle(), look_);
    } else {
        p.fillRect(rect(), look_ == Look::status ? QColor(Qt::black) : QColor(192, 192, 192));
    }
    const QRect client = contentsRect();
    p.setClipRect(client);
    p.translate(client.topLeft());
    paint_client(p);
}

}  // namespace dryer::kit
