#include "kit/panel_dialog.h"

#include <QPainter>
#include <QScreen>
#include <algorithm>

namespace dryer::kit {

PanelDialog::PanelDialog(QWidget* over, const QString& caption, Look look)
    : QDialog(over ? over->window() : nullptr, Qt::Dialog | Qt::FramelessWindowHint), over_(over), look_(look) {
    load_panel_fonts();
    setObjectName(caption);
    setWindowTitle(caption);
    setModal(true);
    setContentsMargins(look == Look::status ? caption_margins(look) : QMargins(2, kCaptionBarHeight + 2, 2, 2));
}

void PanelDialog::set_client_size(int width, int height) {
    const QMargins m = contentsMargins();
    setFixedSize(width + m.left() + m.right(), height + m.top() + m.bottom());
}

void PanelDialog::place_below_caption(int width, int height) {
    set_client_size(width, height);
    const QPoint offset = contentsRect().topLeft();
    for (QWidget* child : findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        if (!child->isWindow()) child->move(child->pos() + offset);
}

void PanelDialog::set_caption(const QString& caption) {
    if (caption == windowTitle()) return;
    setWindowTitle(caption);
    update(0, 0, width(), kCaptionBarHeight + 2);
}

void PanelDialog::paintEvent(QPaintEvent*) {
    QPainter p(this);
    paint_window_frame(p, rect(), windowTitle(), look_);
    if (look_ == Look::setup) {
        // A raised edge around the grey client, as the status frame has.
        paint_raised_edge(p, rect());
    }
}

void PanelDialog::showEvent(QShowEvent* event) {
    centre_over(*this, over_);
    QDialog::showEvent(event);
}

void centre_over(QWidget& dialog, const QWidget* over) {
    if (!over) over = dialog.parentWidget();
    if (!over) return;
    const QPoint at = over->mapToGlobal(QPoint(0, 0));
    // Kept on the screen, so a dialog wider than the window it opens over
    // never runs off an edge.
    const QScreen* screen = over->screen();
    const QRect bounds = screen ? screen->geometry() : QRect(0, 0, 640, 480);
    const int x = std::clamp(at.x() + (over->width() - dialog.width()) / 2, bounds.left(),
                             std::max(bounds.left(), bounds.right() + 1 - dialog.width()));
    const int y = std::clamp(at.y() + (over->height() - dialog.height()) / 2, bounds.top(),
                             std::max(bounds.top(), bounds.bottom() + 1 - dialog.height()));
    dialog.move(std::max(0, x), std::max(0, y));
}

}  // namespace dryer::kit
