// An owner-drawn button: its face is a picture, one form while pressed and
// one while released. Without a picture it draws a plain face with its name.
#pragma once

#include <QAbstractButton>
#include <QImage>

namespace dryer::shell {

class PictureButton : public QAbstractButton {
    Q_OBJECT
public:
    PictureButton(const QString& name, int command, QWidget* parent = nullptr);
    int command() const { return command_; }
    // set_picture() shall use `released` for the released form and its
    // pressed look (shifted, darkened, sunken edge) for the pressed form.
    void set_picture(const QImage& released);
    void set_pictures(const QImage& released, const QImage& pressed);
    const QImage& released_picture() const { return released_; }
    const QImage& pressed_picture() const { return pressed_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int command_;
    QImage released_;
    QImage pressed_;
};

}  // namespace dryer::shell
