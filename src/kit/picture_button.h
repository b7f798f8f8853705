// The panel's one owner-drawn button: its face is a picture, one form while
// released and one while pressed; without a picture it draws a plain raised
// face with its name. Localized button pictures are taken by number from the
// current language (button_picture()); built-in pictures are handed over as
// images.
#pragma once

#include <QImage>
#include <QPushButton>
#include <functional>

namespace dryer::kit {

class PictureButton : public QPushButton {
    Q_OBJECT
public:
    // The name is the button's objectName and the text of its plain face.
    PictureButton(const QString& name, QWidget* parent, int picture = 0);

    // Shows localized button picture `number` (0: none) and its pressed look.
    void set_picture(int number);
    int picture() const { return picture_; }
    // Shows `released` and its pressed look (a built-in picture).
    void set_image(const QImage& released);
    void set_images(const QImage& released, const QImage& pressed);
    const QImage& released_picture() const { return released_; }
    const QImage& pressed_picture() const { return pressed_; }
    // Loads the localized picture again (after a language change).
    void reload_picture();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int picture_ = 0;
    QImage released_;
    QImage pressed_;
};

// Loads again the localized picture of every picture button inside root
// (after a language change); buttons showing a built-in picture keep it.
void reload_pictures(QWidget& root);

// Returns localized button picture n of the current language, or a null
// image when it cannot be loaded.
QImage button_picture(int n);

// Makes button_picture() ask `source` instead of the language folders (the
// widget tests draw pictures of their own); an empty source restores them.
void set_button_picture_source(std::function<QImage(int)> source);

}  // namespace dryer::kit
