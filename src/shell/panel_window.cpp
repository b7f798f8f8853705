#include "shell/panel_window.h"

#include <QPainter>

#include "views/scene/scene_painter.h"

namespace dryer::shell {

PanelWindow::PanelWindow(const QString& class_name, const QString& caption, bool caption_bar, QWidget* parent)
    : QWidget(parent), caption_(caption), caption_bar_(caption_bar) {
    setObjectName(class_name);
    setWindowTitle(caption);
    setAttribute(Qt::WA_OpaquePaintEvent);
    if (caption_bar_) setContentsMargins(2, kCaptionHeight + 2, 2, 2);
}

void PanelWindow::set_caption(const QString& caption) {
    if (caption == caption_) return;
    caption_ = caption;
    setWindowTitle(caption);
    update(0, 0, width(), kCaptionHeight + 2);
}

void PanelWindow::paintEvent(QPaintEvent*) {
    QPainter p(this);
    if (!caption_bar_) {
        p.fillRect(rect(), Qt::black);
        return;
    }
    views::paint_window_frame(p, rect(), caption_);
}

}  // namespace dryer::shell
