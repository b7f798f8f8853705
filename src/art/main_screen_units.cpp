// Fan/heater units: a fan housing whose blades turn between the three phases
// and, when the burner is lit, flames that flicker between phases.
#include <QPainterPath>
#include <QtMath>

#include "art/main_screen_p.h"

namespace dryer::art::main_screen {
namespace {

void blades(QPainter& p, QPointF c, qreal r, int phase, QColor colour) {
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    for (int i = 0; i < 3; ++i) {
        const qreal a = qDegreesToRadians(phase * 40.0 + i * 120.0);
        QPainterPath blade;
        blade.moveTo(c);
        blade.lineTo(c.x() + r * qCos(a - 0.35), c.y() + r * qSin(a - 0.35));
        blade.lineTo(c.x() + r * qCos(a + 0.35), c.y() + r * qSin(a + 0.35));
        blade.closeSubpath();
        p.drawPath(blade);
    }
    p.setBrush(QColor(40, 40, 40));
    p.drawEllipse(c, 2.5, 2.5);
    p.setBrush(Qt::NoBrush);
}

void flame(QPainter& p, QPointF base, qreal height, int phase) {
    static constexpr qreal kSway[3] = {-2.0, 0.0, 2.0};
    static constexpr qreal kScale[3] = {0.85, 1.0, 0.92};
    const qreal hgt = height * kScale[phase];
    const qreal sway = kSway[phase];
    QPainterPath outer;
    outer.moveTo(base.x() - 7, base.y());
    outer.cubicTo(base.x() - 8, base.y() - hgt * 0.5, base.x() + sway - 2, base.y() - hgt * 0.7,
                  base.x() + sway, base.y() - hgt);
    outer.cubicTo(base.x() + sway + 2, base.y() - hgt * 0.7, base.x() + 8, base.y() - hgt * 0.5, base.x() + 7,
                  base.y());
    outer.closeSubpath();
    p.fillPath(outer, QColor(255, 120, 0));
    QPainterPath inner;
    inner.moveTo(base.x() - 3.5, base.y());
    inner.quadTo(base.x() + sway / 2, base.y() - hgt * 1.1, base.x() + 3.5, base.y());
    inner.closeSubpath();
    p.fillPath(inner, QColor(255, 230, 60));
}

}  // namespace

void draw_unit(QPainter& p, int state, int phase, QColor housing) {
    // Housing 44 by 45: the fan on the left, the burner box on the right.
    p.setPen(QPen(QColor(30, 30, 30), 1));
    p.setBrush(housing);
    p.drawRoundedRect(QRectF(0.5, 8.5, 43, 36), 3, 3);
    p.setBrush(QColor(25, 25, 30));
    const QPointF fan(14, 26.5);
    p.drawEllipse(fan, 11, 11);
    const QColor blade_colour = state == 0 ? QColor(120, 120, 120) : QColor(80, 170, 255);
    blades(p, fan, 10, state == 0 ? 0 : phase, blade_colour);
    // Burner window.
    p.setPen(QPen(QColor(30, 30, 30), 1));
    p.setBrush(QColor(20, 20, 20));
    p.drawRect(QRectF(28.5, 14.5, 12, 26));
    p.setBrush(Qt::NoBrush);
    if (state >= 2) flame(p, QPointF(34.5, 40), state == 3 ? 24 : 14, phase);
    // Status lamp on top: grey off, green fan, orange burner, red high fire.
    static const QColor kLamp[4] = {QColor(90, 90, 90), QColor(0, 210, 0), QColor(255, 160, 0), QColor(255, 40, 0)};
    p.setPen(QPen(QColor(30, 30, 30), 1));
    p.setBrush(kLamp[state & 3]);
    p.drawEllipse(QPointF(22, 4.5), 4, 4);
    p.setBrush(Qt::NoBrush);
}

}  // namespace dryer::art::main_screen
