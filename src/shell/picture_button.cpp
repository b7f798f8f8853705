#include "shell/picture_button.h"

#include <QPainter>

#include "shell/panel_font.h"

namespace dryer::shell {

PictureButton::PictureButton(const QString& name, int command, QWidget* parent)
    : QAbstractButton(parent), command_(command) {
    setObjectName(name);
    setText(name);
    setFocusPolicy(Qt::NoFocus);
}

void PictureButton::set_picture(const QImage& released) { set_pictures(released, pressed_form(released)); }

void PictureButton::set_pictures(const QImage& released, const QImage& pressed) {
    released_ = released;
    pressed_ = pressed;
    update();
}

void PictureButton::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QImage& pic = isDown() ? pressed_ : released_;
    if (!pic.isNull()) {
        p.drawImage(rect(), pic);
        return;
    }
    const int shift = isDown() ? 1 : 0;
    p.fillRect(rect(), QColor(192, 192, 192));
    p.setPen(isDown() ? QColor(64, 64, 64) : Qt::white);
    p.drawLine(0, 0, width() - 1, 0);
    p.drawLine(0, 0, 0, height() - 1);
    p.setPen(isDown() ? Qt::white : QColor(64, 64, 64));
    p.drawLine(0, height() - 1, width() - 1, height() - 1);
    p.drawLine(width() - 1, 0, width() - 1, height() - 1);
    p.setPen(Qt::black);
    p.setFont(panel_font(16, 700));
    p.drawText(rect().translated(shift, shift), Qt::AlignCenter, text());
}

QImage pressed_form(const QImage& released) {
    if (released.isNull()) return {};
    QImage out(released.size(), QImage::Format_RGB32);
    out.fill(QColor(64, 64, 64));
    QPainter p(&out);
    p.drawImage(1, 1, released);
    p.fillRect(out.rect(), QColor(0, 0, 0, 40));
    p.setPen(QColor(64, 64, 64));
    p.drawLine(0, 0, out.width() - 1, 0);
    p.drawLine(0, 0, 0, out.height() - 1);
    return out;
}

}  // namespace dryer::shell
