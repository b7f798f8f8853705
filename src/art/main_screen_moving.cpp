// Moving parts: load and discharge indicators (chevrons that march), augers
// (flights that turn), grain flow and the two-state status marks.
#include <QPainterPath>

#include "art/main_screen_p.h"

namespace dryer::art::main_screen {

void draw_load_indicator(QPainter& p, int w, int h, int phase) {
    // Three chevrons pointing down; the lit one moves with the phase.
    for (int i = 0; i < 3; ++i) {
        const qreal y = 2 + i * (h - 4) / 3.0;
        const qreal ch = (h - 4) / 3.0 - 1;
        QPainterPath chevron;
        chevron.moveTo(3, y);
        chevron.lineTo(w / 2.0, y + ch);
        chevron.lineTo(w - 3, y);
        p.setPen(QPen(i == phase ? QColor(255, 220, 0) : QColor(90, 80, 30), 2.5));
        p.drawPath(chevron);
    }
}

void draw_auger(QPainter& p, int w, int h, int phase) {
    p.setPen(QPen(QColor(60, 60, 65), 1));
    p.setBrush(QColor(150, 150, 155));
    p.drawRect(QRectF(0.5, 0.5, w - 1, h - 1));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(40, 40, 40), 1));
    p.drawLine(QPointF(1, h / 2.0), QPointF(w - 1, h / 2.0));  // shaft
    p.setPen(QPen(QColor(230, 200, 60), 2));
    const qreal pitch = 9;
    for (qreal x = phase * pitch / 3.0 - pitch; x < w; x += pitch)
        p.drawLine(QPointF(x + 2, h - 2.0), QPointF(x + pitch / 2 + 2, 2.0));
}

void draw_flow(QPainter& p, int w, int h, int phase) {
    // Kernels falling down a chute.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(215, 170, 60));
    for (int col = 0; col < 3; ++col)
        for (qreal y = phase * 3.0 + col * 2.0; y < h; y += 9)
            p.drawEllipse(QPointF(6 + col * (w - 12) / 2.0, y + 2), 2.5, 3.5);
    p.setBrush(Qt::NoBrush);
}

void draw_status_mark(QPainter& p, int w, int h, bool on) {
    p.setPen(QPen(QColor(20, 20, 20), 1));
    p.setBrush(on ? QColor(0, 230, 0) : QColor(110, 110, 110));
    p.drawEllipse(QRectF(1, 1, w - 2, h - 2));
    p.setBrush(Qt::NoBrush);
}

}  // namespace dryer::art::main_screen
