#include "shell/picture_button.h"

#include <QPainter>

#include "l10n/qt/pictures.h"
#include "views/scene/scene_painter.h"

namespace dryer::shell {

PictureButton::PictureButton(const QString& name, int command, QWidget* parent)
    : QAbstractButton(parent), command_(command) {
    setObjectName(name);
    setText(name);
    setFocusPolicy(Qt::NoFocus);
}

void PictureButton::set_picture(const QImage& released) {
    set_pictures(released, l10n::qt::pressed_look(QPixmap::fromImage(released)).toImage());
}

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
    p.setFont(views::panel_font(16, 700));
    p.drawText(rect().translated(shift, shift), Qt::AlignCenter, text());
}

}  // namespace dryer::shell
