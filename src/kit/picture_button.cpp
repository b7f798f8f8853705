#include "kit/picture_button.h"

#include <QPainter>

#include "kit/fit_text.h"
#include "kit/panel_style.h"
#include "l10n/qt/pictures.h"

namespace dryer::kit {

namespace {
std::function<QImage(int)>& picture_source() {
    static std::function<QImage(int)> source;
    return source;
}
}  // namespace

QImage button_picture(int n) {
    if (const auto& source = picture_source()) return source(n);
    return l10n::qt::load_button_picture(n).toImage();
}

void set_button_picture_source(std::function<QImage(int)> source) { picture_source() = std::move(source); }

PictureButton::PictureButton(const QString& name, QWidget* parent, int picture) : QPushButton(name, parent) {
    setObjectName(name);
    setFocusPolicy(Qt::NoFocus);
    if (picture != 0) set_picture(picture);
}

void PictureButton::set_picture(int number) {
    picture_ = number;
    reload_picture();
}

void PictureButton::reload_picture() {
    if (picture_ == 0) {
        set_images(QImage(), QImage());
        return;
    }
    set_image(button_picture(picture_));
}

void reload_pictures(QWidget& root) {
    for (PictureButton* b : root.findChildren<PictureButton*>())
        if (b->picture() != 0) b->reload_picture();
}

void PictureButton::set_image(const QImage& released) {
    set_images(released, l10n::qt::pressed_look(QPixmap::fromImage(released)).toImage());
}

void PictureButton::set_images(const QImage& released, const QImage& pressed) {
    released_ = released;
    pressed_ = pressed;
    update();
}

void PictureButton::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QImage& pic = isDown() ? pressed_ : released_;
    if (!pic.isNull()) {
        p.drawImage(rect(), pic);
        if (!isEnabled()) p.fillRect(rect(), QColor(128, 128, 128, 150));
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
    p.setPen(isEnabled() ? Qt::black : QColor(128, 128, 128));
    // A caption without picture shrinks (and wraps) until it fits its face.
    draw_fitted_text(p, rect().adjusted(4, 2, -4, -2).translated(shift, shift), Qt::AlignCenter | Qt::TextWordWrap,
                     text(), panel_font(16, 700));
}

}  // namespace dryer::kit
