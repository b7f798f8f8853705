#include "shell/panel_window.h"

#include <QPainter>

#include "shell/panel_font.h"

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
    p.fillRect(rect(), Qt::black);
    if (!caption_bar_) return;
    // A raised frame with a dark blue title bar, as the panel's windows have.
    const QRect r = rect();
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
    p.drawText(bar.adjusted(2, 0, -2, 0), Qt::AlignLeft | Qt::AlignVCenter, caption_);
}

}  // namespace dryer::shell
