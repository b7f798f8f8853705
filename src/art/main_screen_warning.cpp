// The mark of the dryer picture and the pictures of the warning window: the
// panel, the dryer's controller cabinet and the shutdown sign.
#include <QFont>
#include <QPainterPath>

#include "art/main_screen_p.h"

namespace dryer::art::main_screen {
namespace {

void triangle_sign(QPainter& p, const QRectF& r) {
    QPainterPath tri;
    tri.moveTo(r.center().x(), r.top());
    tri.lineTo(r.right(), r.bottom());
    tri.lineTo(r.left(), r.bottom());
    tri.closeSubpath();
    p.fillPath(tri, QColor(255, 210, 0));
    p.setPen(QPen(QColor(0, 0, 0), qMax(1.0, r.width() / 14)));
    p.drawPath(tri);
    const qreal cx = r.center().x();
    p.setPen(QPen(QColor(0, 0, 0), qMax(1.5, r.width() / 9), Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(cx, r.top() + r.height() * 0.35), QPointF(cx, r.top() + r.height() * 0.68));
    p.drawPoint(QPointF(cx, r.top() + r.height() * 0.84));
}

}  // namespace

void draw_mark_462(QPainter& p, int w, int h) { triangle_sign(p, QRectF(1, 1, w - 2, h - 2)); }

void draw_panel_259(QPainter& p, int w, int h) {
    // The touch panel: a bezel with a screen showing a dryer outline.
    p.setPen(QPen(QColor(30, 30, 30), 2));
    p.setBrush(QColor(60, 60, 70));
    p.drawRoundedRect(QRectF(2, 2, w - 4, h - 4), 6, 6);
    p.setBrush(QColor(10, 40, 90));
    p.drawRect(QRectF(10, 9, w - 20, h - 24));
    p.setPen(QPen(QColor(0, 255, 0), 2));
    p.drawRect(QRectF(22, 18, 14, 30));
    p.setPen(QPen(QColor(255, 255, 0), 2));
    p.drawLine(QPointF(44, 24), QPointF(80, 24));
    p.drawLine(QPointF(44, 34), QPointF(72, 34));
    p.drawLine(QPointF(44, 44), QPointF(76, 44));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 200, 0));
    p.drawEllipse(QPointF(w / 2.0, h - 8), 3, 3);
    p.setBrush(Qt::NoBrush);
}

void draw_controller_260(QPainter& p, int w, int h) {
    // The controller cabinet with its door, lamps and the serial cable.
    p.setPen(QPen(QColor(30, 30, 30), 2));
    p.setBrush(QColor(200, 200, 190));
    p.drawRect(QRectF(10, 4, w - 20, h - 16));
    p.setBrush(QColor(180, 180, 170));
    p.drawRect(QRectF(16, 10, w - 32, h - 28));
    const QColor lamps[3] = {QColor(0, 200, 0), QColor(255, 190, 0), QColor(220, 0, 0)};
    for (int i = 0; i < 3; ++i) {
        p.setBrush(lamps[i]);
        p.drawEllipse(QPointF(30 + i * 20, 26), 5, 5);
    }
    p.setBrush(QColor(40, 40, 40));
    p.drawRect(QRectF(26, 44, w - 52, 30));
    p.setPen(QPen(QColor(0, 0, 0), 3));
    p.drawLine(QPointF(w - 24, 60), QPointF(w - 24, 90));
    p.setPen(QPen(QColor(20, 20, 20), 4));
    p.drawLine(QPointF(w / 2.0, h - 12), QPointF(w / 2.0, h));  // cable
    p.setBrush(Qt::NoBrush);
}

void draw_shutdown_517(QPainter& p, int w, int h) {
    triangle_sign(p, QRectF(4, 2, w - 8, h - 6));
}

}  // namespace dryer::art::main_screen
