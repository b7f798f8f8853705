// Dryer bodies: the mixed-flow towers, the column dryer and the single-unit
// dryer, in the grey of galvanized steel on a transparent background.
#include <QLinearGradient>
#include <QPainterPath>

#include "art/main_screen_p.h"

namespace dryer::art::main_screen {
namespace {

void steel_fill(QPainter& p, const QRectF& r) {
    QLinearGradient g(r.topLeft(), r.topRight());
    g.setColorAt(0.0, QColor(110, 115, 120));
    g.setColorAt(0.45, QColor(190, 195, 200));
    g.setColorAt(1.0, QColor(95, 100, 105));
    p.fillRect(r, g);
    p.setPen(QPen(steel_dark(), 1));
    p.drawRect(r);
}

// Roof with a wet-grain garner on top, a hopper below.
void roof(QPainter& p, qreal left, qreal right, qreal top, qreal bottom) {
    QPainterPath path;
    const qreal mid = (left + right) / 2;
    path.moveTo(left - 4, bottom);
    path.lineTo(mid - 10, top);
    path.lineTo(mid + 10, top);
    path.lineTo(right + 4, bottom);
    path.closeSubpath();
    p.fillPath(path, QColor(150, 40, 30));
    p.setPen(QPen(QColor(90, 20, 15), 1));
    p.drawPath(path);
}

void hopper(QPainter& p, qreal left, qreal right, qreal top, qreal bottom) {
    QPainterPath path;
    const qreal mid = (left + right) / 2;
    path.moveTo(left, top);
    path.lineTo(right, top);
    path.lineTo(mid + 8, bottom);
    path.lineTo(mid - 8, bottom);
    path.closeSubpath();
    p.fillPath(path, QColor(120, 125, 130));
    p.setPen(QPen(steel_dark(), 1));
    p.drawPath(path);
}

// Rows of roof-shaped air ducts of a mixed-flow section.
void ducts(QPainter& p, const QRectF& r) {
    p.setPen(QPen(QColor(70, 70, 75), 1));
    p.setBrush(QColor(60, 60, 65));
    int row = 0;
    for (qreal y = r.top() + 6; y < r.bottom() - 6; y += 12, ++row) {
        const qreal off = (row % 2) ? 7 : 0;
        for (qreal x = r.left() + 3 + off; x + 8 < r.right(); x += 14) {
            const QPointF tri[3] = {{x, y + 6}, {x + 4, y}, {x + 8, y + 6}};
            p.drawPolygon(tri, 3);
        }
    }
    p.setBrush(Qt::NoBrush);
}

// Perforated screen of a grain column.
void screen(QPainter& p, const QRectF& r) {
    QColor grain(205, 160, 60);
    p.fillRect(r, grain);
    p.setPen(QPen(QColor(150, 110, 40), 1));
    for (qreal y = r.top() + 3; y < r.bottom(); y += 5)
        for (qreal x = r.left() + 2 + (static_cast<int>(y) % 2); x < r.right(); x += 4) p.drawPoint(QPointF(x, y));
    p.setPen(QPen(steel_dark(), 1));
    p.drawRect(r);
}

}  // namespace

QColor steel() { return {170, 175, 180}; }
QColor steel_dark() { return {60, 62, 66}; }

void draw_tower(QPainter& p, int w, int h) {
    const qreal left = w * 0.14, right = w * 0.86;
    roof(p, left, right, 8, 34);
    p.fillRect(QRectF(w / 2.0 - 7, 0, 14, 10), QColor(120, 125, 130));  // inlet spout
    const QRectF body(left, 34, right - left, h - 34 - 44);
    steel_fill(p, body);
    ducts(p, body.adjusted(3, 4, -3, -4));
    // Section bands.
    p.setPen(QPen(steel_dark(), 2));
    for (int i = 1; i < 6; ++i) {
        const qreal y = body.top() + body.height() * i / 6;
        p.drawLine(QPointF(body.left(), y), QPointF(body.right(), y));
    }
    hopper(p, left, right, h - 44, h - 14);
    p.fillRect(QRectF(w / 2.0 - 7, h - 14, 14, 14), QColor(120, 125, 130));  // discharge spout
}

void draw_column(QPainter& p, int w, int h) {
    const qreal left = 36, right = w - 36;
    roof(p, left, right, 6, 30);
    p.fillRect(QRectF(w / 2.0 - 6, 0, 12, 8), QColor(120, 125, 130));
    const QRectF body(left, 30, right - left, h - 30 - 40);
    steel_fill(p, body);
    // Two grain columns around the hot-air plenum.
    const qreal col = 22;
    screen(p, QRectF(body.left() + 3, body.top() + 4, col, body.height() - 8));
    screen(p, QRectF(body.right() - 3 - col, body.top() + 4, col, body.height() - 8));
    p.fillRect(QRectF(body.left() + col + 6, body.top() + 4, body.width() - 2 * col - 12, body.height() - 8),
               QColor(45, 45, 50));
    // Metering rolls under the columns.
    p.setPen(QPen(steel_dark(), 1));
    p.setBrush(QColor(100, 100, 105));
    p.drawEllipse(QPointF(body.left() + 3 + col / 2, body.bottom() - 8), 5, 5);
    p.drawEllipse(QPointF(body.right() - 3 - col / 2, body.bottom() - 8), 5, 5);
    p.setBrush(Qt::NoBrush);
    hopper(p, left, right, h - 40, h - 12);
    p.fillRect(QRectF(w / 2.0 - 6, h - 12, 12, 12), QColor(120, 125, 130));
}

void draw_single_unit_dryer(QPainter& p, int w, int h) {
    const qreal left = 30, right = w - 30;
    roof(p, left, right, 6, 28);
    const QRectF body(left, 28, right - left, h - 28 - 60);
    steel_fill(p, body);
    screen(p, QRectF(body.left() + 4, body.top() + 6, 18, body.height() - 12));
    screen(p, QRectF(body.right() - 22, body.top() + 6, 18, body.height() - 12));
    // Legs and a cross conveyor below.
    p.setPen(QPen(steel_dark(), 3));
    p.drawLine(QPointF(left + 6, body.bottom()), QPointF(left + 6, h - 4));
    p.drawLine(QPointF(right - 6, body.bottom()), QPointF(right - 6, h - 4));
    hopper(p, left, right, body.bottom(), h - 24);
    p.fillRect(QRectF(10, h - 24, w - 20, 10), QColor(110, 110, 115));
}

}  // namespace dryer::art::main_screen
