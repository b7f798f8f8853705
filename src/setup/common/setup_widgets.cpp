#include "setup/common/setup_widgets.h"

#include <QMessageBox>
#include <QPainter>
#include <QPaintEvent>

#include "l10n/qt/pictures.h"
#include "l10n/texts.h"

namespace dryer::setup {

TextFn panel_texts() {
    return [](unsigned n) { return l10n::text_utf8(n); };
}

QString qtext(unsigned n, const char* fallback) {
    return QString::fromStdString(title_text(panel_texts()(n), fallback));
}

QString caption_text(const TextFn& text, unsigned n, const char* caption) {
    return QString::fromStdString(title_text(text(n), caption));
}

QPixmap button_picture(int n) { return l10n::qt::load_button_picture(n); }

PictureButton::PictureButton(const QString& name, int picture, QWidget* parent) : QPushButton(name, parent) {
    setObjectName(name);
    setFocusPolicy(Qt::NoFocus);
    setPicture(picture);
}

void PictureButton::setPicture(int picture) {
    picture_ = picture;
    pixmap_ = button_picture(picture);
    pressed_ = l10n::qt::pressed_look(pixmap_);
    update();
}

void PictureButton::paintEvent(QPaintEvent* e) {
    if (pixmap_.isNull()) {
        QPushButton::paintEvent(e);
        return;
    }
    QPainter p(this);
    const QRect r = rect();
    p.drawPixmap(r, isDown() ? pressed_ : pixmap_);
}

CaptionedWindow::CaptionedWindow(const char* class_name, const char* caption, QWidget* parent)
    : QWidget(parent), caption_(QString::fromUtf8(caption)) {
    setObjectName(QString::fromUtf8(class_name));
    setWindowTitle(caption_);
    setAutoFillBackground(true);
}

void CaptionedWindow::setCaption(const QString& caption) {
    if (caption == caption_) return;
    caption_ = caption;
    setWindowTitle(caption);
    update();
}

void CaptionedWindow::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), QColor(192, 192, 192));
    const QRect bar(0, 0, width(), kCaptionHeight);
    p.fillRect(bar, QColor(0, 0, 128));
    p.setPen(Qt::white);
    QFont f(QStringLiteral("Tahoma"));
    f.setPixelSize(13);
    f.setBold(true);
    p.setFont(f);
    p.drawText(bar.adjusted(2, 0, 0, 0), Qt::AlignVCenter | Qt::AlignLeft, caption_);
    p.setPen(Qt::black);
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    p.translate(0, kCaptionHeight);
    paintContent(p);
}

void centre_over_parent(QDialog& dialog) {
    const QWidget* parent = dialog.parentWidget();
    if (!parent) return;
    const QWidget* top = parent->window();
    const QPoint centre = top->mapToGlobal(top->rect().center());
    const int x = std::max(0, centre.x() - dialog.width() / 2);
    const int y = std::max(0, centre.y() - dialog.height() / 2);
    dialog.move(x, y);
}

void show_out_of_range(QWidget* parent) {
    QMessageBox box(QMessageBox::Warning, QString::fromUtf8(kWarningTitle), QString::fromUtf8(kOutOfRangeText),
                    QMessageBox::Ok, parent);
    box.exec();
}

}  // namespace dryer::setup
