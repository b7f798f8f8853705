// 595: the "QS" button of the main row, 44 by 40: a raised green face with
// the letters in white.
#include <QFont>
#include <QLinearGradient>
#include <QPainter>

#include "art/art_p.h"

namespace dryer::art {

QImage picture_595() {
    QImage img(44, 40, QImage::Format_RGB32);
    img.fill(QColor(192, 192, 192));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient face(0, 0, 0, 40);
    face.setColorAt(0, QColor(60, 170, 60));
    face.setColorAt(1, QColor(0, 110, 0));
    p.setPen(QPen(QColor(0, 60, 0), 1));
    p.setBrush(face);
    p.drawRoundedRect(QRectF(1.5, 1.5, 41, 37), 5, 5);
    QFont f("Tahoma");
    f.setPixelSize(20);
    f.setWeight(QFont::Bold);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(QRect(0, 0, 44, 40), Qt::AlignCenter, QStringLiteral("QS"));
    return img;
}

}  // namespace dryer::art
