// 254: the "RESET DEFAULTS" dipswitch as it sits on the back of the switch
// input/output board, 300 by 120: a red four-way switch block whose levers
// slide left (off) and right (on), the defaults switch marked and drawn in
// its left position, and the board's red light beside it, off.
#include <QFont>
#include <QPainter>

#include "art/art_p.h"

namespace dryer::art {

namespace {

void draw_switch(QPainter& p, int y, bool left) {
    p.setPen(QPen(QColor(60, 60, 60), 1));
    p.setBrush(QColor(245, 245, 245));
    p.drawRect(130, y, 60, 16);  // slot
    p.setBrush(QColor(40, 40, 40));
    p.drawRect(left ? 132 : 162, y + 2, 26, 12);  // lever
}

}  // namespace

QImage picture_254() {
    QImage img(300, 120, QImage::Format_RGB32);
    img.fill(QColor(0, 100, 40));  // circuit board green
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QFont f("Tahoma");
    f.setPixelSize(11);
    f.setWeight(QFont::Bold);
    p.setFont(f);

    p.setPen(QPen(QColor(90, 0, 0), 2));
    p.setBrush(QColor(200, 20, 20));
    p.drawRect(120, 6, 80, 92);
    for (int i = 0; i < 4; ++i) draw_switch(p, 12 + i * 21, true);

    p.setPen(Qt::white);
    p.drawText(QRect(2, 10, 100, 20), Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("RESET DEFAULTS"));
    p.setPen(QPen(Qt::yellow, 2));
    p.drawLine(106, 20, 126, 20);  // arrow to switch 1
    p.drawLine(126, 20, 121, 16);
    p.drawLine(126, 20, 121, 24);
    p.setPen(Qt::white);
    p.drawText(QRect(120, 101, 40, 14), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("OFF"));
    p.drawText(QRect(160, 101, 40, 14), Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("ON"));
    p.drawText(QRect(206, 80, 90, 20), Qt::AlignCenter, QStringLiteral("LIGHT OFF"));

    p.setPen(QPen(QColor(40, 0, 0), 1));
    p.setBrush(QColor(90, 20, 20));  // an unlit red light
    p.drawEllipse(QPoint(251, 60), 10, 10);
    return img;
}

}  // namespace dryer::art
